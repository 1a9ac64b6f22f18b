#include "soak/soak_script_support.h"

#include <random>

namespace soak {
namespace {

// Where the maze screen's other buttons stand.
constexpr Area kButtons[] = {
    {27, 163, 109, 209},                                                                     // about
    {27, 215, 109, 261},                                                                     // new game
    {27, 267, 109, 313},                                                                     // help
    {583, 310, 667, 362}, {672, 310, 756, 362}, {583, 368, 667, 420}, {672, 368, 756, 420},  // arrows
    {583, 424, 756, 474},                                                                    // back
};

int Between(std::mt19937& random, int low, int high) {
    return std::uniform_int_distribution<int>(low, high - 1)(random);
}

}  // namespace

std::string SoakScript(std::uint32_t seed, std::uint64_t frames) {
    std::mt19937 random(seed);
    std::string script = "# Soak: seeded random clicks\nframes 50\n";
    std::uint64_t planned = 50;
    while (planned < frames) {
        int x = 0;
        int y = 0;
        do {
            const Area area = Between(random, 0, 2) == 0 ? kButtons[Between(random, 0, std::size(kButtons))]
                                                         : Area{0, 0, 800, 600};
            x = Between(random, area.left, area.right);
            y = Between(random, area.top, area.bottom);
        } while (kForbidden[0].Holds(x, y) || kForbidden[1].Holds(x, y));
        const bool right = Between(random, 0, 20) == 0;
        script += "move " + std::to_string(x) + " " + std::to_string(y) + "\n";
        script += right ? "rpress\nrrelease\n" : "press\nrelease\n";
        const int pause = Between(random, 1, 13);
        script += "frames " + std::to_string(pause) + "\n";
        planned += 3 + static_cast<std::uint64_t>(pause);
    }
    return script;
}

}  // namespace soak

// The soak's script: seeded random clicks over the whole screen, but never on the buttons that
// end the program ("exit" and "menu"), so that the run lasts its length.
#pragma once

#include <cstdint>
#include <string>

namespace soak {

struct Area {
    int left, top, right, bottom;  // right and bottom excluded
    bool Holds(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

// The maze screen's "exit" and "menu" buttons, a few pixels larger all round.
inline constexpr Area kForbidden[] = {{24, 368, 112, 420}, {24, 316, 112, 368}};

// `frames` frames (at least) of play: the 50 frames of the start-up music, then clicks, each held
// for one frame and followed by a random pause. Half the clicks land on one of the other buttons
// (about, new game, help, the four arrows and back), the rest anywhere; a few are right clicks.
std::string SoakScript(std::uint32_t seed, std::uint64_t frames);

}  // namespace soak

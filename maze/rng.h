// A small random generator of our own: the standard distributions differ between libraries, and
// the game's data must come out byte for byte the same wherever the generator is built.
#pragma once

#include <cstdint>

namespace assets {

class Rng {
public:
    explicit Rng(std::uint64_t seed) : state_(seed) {}

    // splitmix64
    std::uint64_t Next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // 0 <= result < bound (bound > 0); the bias is far below anything a picture could show.
    int Below(int bound) { return static_cast<int>(Next() % static_cast<std::uint64_t>(bound)); }
    // [0, 1)
    double Unit() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }
    double Between(double low, double high) { return low + (high - low) * Unit(); }
    bool Chance(double p) { return Unit() < p; }

private:
    std::uint64_t state_;
};

}  // namespace assets

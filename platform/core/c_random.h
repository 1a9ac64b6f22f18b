// The C library's rand() as glibc computes it. The program seeds it and draws from it (the
// characters that walk by, the winners' file); a build whose C library computes another sequence
// (Emscripten's) uses this one instead, so that the same seed gives the same game everywhere.
#pragma once

#include <array>
#include <cstdint>

namespace platform {

class CRandom {
public:
    explicit CRandom(unsigned seed = 1) { Seed(seed); }
    void Seed(unsigned seed);
    // 0..RAND_MAX (2^31 - 1).
    int Next();

private:
    // The additive feedback generator x[i] = x[i-3] + x[i-31] over the last 34 values.
    std::array<std::uint32_t, 34> ring_{};
    int at_ = 0;
};

}  // namespace platform

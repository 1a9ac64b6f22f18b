#include "platform/core/c_random.h"

namespace platform {

void CRandom::Seed(unsigned seed) {
    std::array<std::int32_t, 344> warm{};
    warm[0] = static_cast<std::int32_t>(seed == 0 ? 1 : seed);
    // x * 16807 mod (2^31 - 1), computed without overflow (Schrage's method).
    for (int i = 1; i < 31; ++i) {
        const std::int32_t hi = warm[i - 1] / 127773;
        const std::int32_t lo = warm[i - 1] % 127773;
        std::int32_t word = 16807 * lo - 2836 * hi;
        if (word < 0) word += 2147483647;
        warm[i] = word;
    }
    for (int i = 31; i < 34; ++i) warm[i] = warm[i - 31];
    // The first 310 values after the seed are thrown away.
    for (int i = 34; i < 344; ++i)
        warm[i] = static_cast<std::int32_t>(static_cast<std::uint32_t>(warm[i - 31]) +
                                            static_cast<std::uint32_t>(warm[i - 3]));
    for (int i = 0; i < 34; ++i) ring_[i] = static_cast<std::uint32_t>(warm[310 + i]);
    at_ = 0;
}

int CRandom::Next() {
    // ring_[at_] is the value 34 back; the one 31 back and 3 back follow from it.
    const std::uint32_t value = ring_[(at_ + 3) % 34] + ring_[(at_ + 31) % 34];
    ring_[at_] = value;
    at_ = (at_ + 1) % 34;
    return static_cast<int>(value >> 1);
}

}  // namespace platform

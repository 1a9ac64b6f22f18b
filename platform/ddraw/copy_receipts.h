// Copies whose result is known to be in place on a surface. A copy writes onto its target area a
// function of its source's pixels (and, where the source is transparent, of the target's own), so
// doing it again gives the same pixels for as long as neither the source nor that target area has
// changed. The compositor wipes the same areas and the buttons draw themselves on the same places
// every frame; such repeats are recognised here and left out.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/api/types.h"

namespace platform {

// A number for each state of a surface's pixels and key, never the same twice in the process,
// also across surfaces, so that a surface made where a freed one lay cannot pass for it; and above
// `after`, a surface's version so far, whichever thread gave it.
std::uint64_t NextSurfaceVersion(std::uint64_t after = 0);

class CopyReceipts {
public:
    struct Copy {
        const void* source;
        std::uint64_t sourceVersion;
        RECT from;
        RECT to;
        bool keyed;
    };

    bool InPlace(const Copy& copy) const;
    // Something drew on `area` of the target: the copies whose target area meets it are void.
    void Overwritten(const RECT& area);
    // Before `copy` is done. The copies whose target area it meets are void, except those from the
    // same source as it is now, unscaled and shifted as it is: where they meet it writes what they
    // wrote, and a repeat of either still changes nothing.
    void Overwriting(const Copy& copy);
    // After the copy has been done.
    void Add(const Copy& copy);
    void Clear() { copies_.clear(); }

private:
    std::vector<Copy> copies_;
};

}  // namespace platform

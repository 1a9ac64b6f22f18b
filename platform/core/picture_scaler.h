// Scales parts of a 16-bit picture into a 32-bit (0x00RRGGBB) output with the chosen filter, one
// output rectangle at a time, so that a frame that changed a little costs a little at any size.
// Portable: the desktop backend uses it, and any backend that draws its own pixels can.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/api/types.h"
#include "platform/core/backend.h"
#include "platform/core/picture_transform.h"

namespace platform {

// For each output pixel along one axis: the first source pixel and the weight (0 to 256) of the
// one after it.
struct AxisTaps {
    std::vector<int> first;
    std::vector<int> weight;
};

// Sharp: whole-number nearest scaling, then linear for the rest, so pixels stay square and crisp
// and no row is doubled unevenly. Below the picture's size every filter is linear, so thin text
// keeps its strokes.
AxisTaps PlanAxis(ScaleFilter filter, int source, int target);

class PictureScaler {
public:
    void Configure(ScaleFilter filter, int pictureWidth, int pictureHeight, const Placement& placement);
    // The output pixels (relative to the placement) that show source area `area`, or an empty rect.
    RECT OutputArea(const RECT& area) const;
    // Draws output rectangle `out` (relative to the placement) from the 16-bit source.
    void Scale(const std::uint16_t* source, int sourcePitch, PixelLayout layout, const RECT& out, std::uint32_t* target,
               int targetPitch) const;

private:
    static void Span(const AxisTaps& taps, LONG from, LONG to, LONG* first, LONG* last);

    AxisTaps columns_;
    AxisTaps rows_;
    int pictureWidth_ = 0;
    int pictureHeight_ = 0;
    bool oneToOne_ = false;  // every output pixel is its source pixel
    // Each output column's weight of the source pixel after its own, once for each of a colour's
    // four channels, as the vector mix reads them.
    std::vector<std::uint16_t> columnTakes_;
    // Each output column's second source column: the one after its first, or the first itself.
    std::vector<int> nextColumns_;
};

}  // namespace platform

#include "platform/web/frame_buffers.h"

#include <algorithm>
#include <cstring>

#include "platform/core/widened_colours.h"

namespace platform::web {

namespace {

// A widened colour as the canvas keeps it in memory: red, green, blue, then an opaque alpha.
std::uint32_t CanvasPixel(std::uint32_t colour) {
    const std::uint8_t rgba[4] = {static_cast<std::uint8_t>(colour >> 16), static_cast<std::uint8_t>(colour >> 8),
                                  static_cast<std::uint8_t>(colour), 255};
    std::uint32_t pixel;
    std::memcpy(&pixel, rgba, 4);
    return pixel;
}

}  // namespace

void WidenPixel(std::uint16_t pixel, PixelLayout layout, std::uint8_t* rgba) {
    const std::uint32_t canvas = CanvasPixel(WidenedColours(layout)[pixel]);
    std::memcpy(rgba, &canvas, 4);
}

void FrameBuffers::Resize(int width, int height) {
    const std::size_t bytes = static_cast<std::size_t>(width) * height * 4;
    current_.assign(bytes, 0);
    // Only the program's buffers are resized here; the page's is replaced when it takes the next
    // frame, and a resize happens once, before the first frame is published.
    buffers_[back_].assign(bytes, 0);
    height_.store(height);
    width_.store(width);
}

bool FrameBuffers::ConvertArea(const Picture& picture, const RECT& area) {
    const LONG left = std::max<LONG>(area.left, 0);
    const LONG right = std::min<LONG>(area.right, picture.width);
    const std::uint32_t* colours = WidenedColours(picture.layout);
    bool changed = false;
    for (LONG y = std::max<LONG>(area.top, 0); y < std::min<LONG>(area.bottom, picture.height); ++y) {
        const std::uint16_t* in = picture.pixels + static_cast<std::size_t>(y) * picture.pitch;
        std::uint8_t* out = current_.data() + (static_cast<std::size_t>(y) * picture.width) * 4;
        for (LONG x = left; x < right; ++x) {
            const std::uint32_t wide = CanvasPixel(colours[in[x]]);
            std::uint32_t shown;
            std::memcpy(&shown, out + x * 4, 4);
            if (shown == wide) continue;
            std::memcpy(out + x * 4, &wide, 4);
            changed = true;
        }
    }
    return changed;
}

void FrameBuffers::Present(const Picture& picture) {
    const bool resized = picture.width != width_.load() || picture.height != height_.load();
    if (resized) Resize(picture.width, picture.height);
    const std::vector<RECT> whole{RECT{0, 0, picture.width, picture.height}};
    const std::vector<RECT>& areas = resized || picture.changed == nullptr ? whole : *picture.changed;
    bool changed = resized;
    for (const RECT& area : areas) changed = ConvertArea(picture, area) || changed;
    if (!changed) return;
    buffers_[back_] = current_;
    back_ = static_cast<int>(middle_.exchange(static_cast<unsigned>(back_) | kFresh) & 3);
}

const std::uint8_t* FrameBuffers::TakeFrame() {
    if ((middle_.load() & kFresh) == 0) return nullptr;
    front_ = static_cast<int>(middle_.exchange(static_cast<unsigned>(front_)) & 3);
    return buffers_[front_].data();
}

}  // namespace platform::web

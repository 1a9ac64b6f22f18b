#include "platform/web/frame_buffers.h"

#include <algorithm>
#include <cstring>

namespace platform::web {

void WidenPixel(std::uint16_t pixel, PixelLayout layout, std::uint8_t* rgba) {
    const unsigned p = pixel;
    const bool wideGreen = layout == PixelLayout::Rgb565;
    const unsigned r = wideGreen ? p >> 11 : (p >> 10) & 0x1F;
    const unsigned g = wideGreen ? (p >> 5) & 0x3F : (p >> 5) & 0x1F;
    const unsigned b = p & 0x1F;
    rgba[0] = static_cast<std::uint8_t>(r << 3 | r >> 2);
    rgba[1] = static_cast<std::uint8_t>(wideGreen ? (g << 2 | g >> 4) : (g << 3 | g >> 2));
    rgba[2] = static_cast<std::uint8_t>(b << 3 | b >> 2);
    rgba[3] = 255;
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
    bool changed = false;
    std::uint8_t rgba[4];
    for (LONG y = std::max<LONG>(area.top, 0); y < std::min<LONG>(area.bottom, picture.height); ++y) {
        const std::uint16_t* in = picture.pixels + static_cast<std::size_t>(y) * picture.pitch;
        std::uint8_t* out = current_.data() + (static_cast<std::size_t>(y) * picture.width) * 4;
        for (LONG x = left; x < right; ++x) {
            WidenPixel(in[x], picture.layout, rgba);
            if (std::memcmp(out + x * 4, rgba, 4) == 0) continue;
            std::memcpy(out + x * 4, rgba, 4);
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

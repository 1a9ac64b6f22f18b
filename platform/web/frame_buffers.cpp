#include "platform/web/frame_buffers.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>

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

namespace {

// Every 16-bit pixel's RGBA, as the bytes lie in memory, for one layout. Looking a pixel up costs
// a fraction of widening it: the first picture, all of it new, took some 40 ms to convert pixel by
// pixel in the browser.
using WideningTable = std::array<std::uint32_t, 65536>;

std::unique_ptr<WideningTable> MakeTable(PixelLayout layout) {
    auto table = std::make_unique<WideningTable>();
    std::uint8_t rgba[4];
    for (std::size_t pixel = 0; pixel < table->size(); ++pixel) {
        WidenPixel(static_cast<std::uint16_t>(pixel), layout, rgba);
        std::memcpy(&(*table)[pixel], rgba, 4);
    }
    return table;
}

const WideningTable& TableFor(PixelLayout layout) {
    static const std::unique_ptr<WideningTable> wideGreen = MakeTable(PixelLayout::Rgb565);
    static const std::unique_ptr<WideningTable> narrowGreen = MakeTable(PixelLayout::Rgb555);
    return layout == PixelLayout::Rgb565 ? *wideGreen : *narrowGreen;
}

}  // namespace

bool FrameBuffers::ConvertArea(const Picture& picture, const RECT& area) {
    const LONG left = std::max<LONG>(area.left, 0);
    const LONG right = std::min<LONG>(area.right, picture.width);
    const WideningTable& table = TableFor(picture.layout);
    bool changed = false;
    for (LONG y = std::max<LONG>(area.top, 0); y < std::min<LONG>(area.bottom, picture.height); ++y) {
        const std::uint16_t* in = picture.pixels + static_cast<std::size_t>(y) * picture.pitch;
        std::uint8_t* out = current_.data() + (static_cast<std::size_t>(y) * picture.width) * 4;
        for (LONG x = left; x < right; ++x) {
            const std::uint32_t wide = table[in[x]];
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

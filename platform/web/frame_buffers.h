// The presented picture as the page draws it: 8-bit RGBA, widened as the screenshots are. The
// program's thread converts what changed and hands whole frames to the page's thread through three
// buffers, so that neither waits for the other and the page never shows half a frame.
#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "platform/core/backend.h"

namespace platform::web {

class FrameBuffers {
public:
    // The program's thread. Converts the changed areas; publishes a frame only when a pixel
    // changed, so that the idle game costs the page nothing.
    void Present(const Picture& picture);

    // The page's thread: the newest frame not taken yet, or null; valid until the next call.
    const std::uint8_t* TakeFrame();
    int Width() const { return width_.load(); }
    int Height() const { return height_.load(); }

private:
    bool ConvertArea(const Picture& picture, const RECT& area);
    void Resize(int width, int height);

    static constexpr unsigned kFresh = 4;  // beside a buffer's number: not yet taken by the page
    std::vector<std::uint8_t> current_;    // the program thread's whole picture
    std::vector<std::uint8_t> buffers_[3];
    int back_ = 0;                     // the program thread's
    std::atomic<unsigned> middle_{1};  // the one handed over
    int front_ = 2;                    // the page's
    std::atomic<int> width_{0};
    std::atomic<int> height_{0};
};

// One 16-bit pixel as 8-bit RGBA, each channel widened as WidenedColours widens it.
void WidenPixel(std::uint16_t pixel, PixelLayout layout, std::uint8_t* rgba);

}  // namespace platform::web

// The browser backend's parts that need no browser: what the page draws, where it places the
// picture and how a point maps back, its keys, and the rings between its threads.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/api/qz.h"
#include "platform/api/user.h"
#include "platform/core/c_random.h"
#include "platform/web/frame_buffers.h"
#include "platform/web/page_keys.h"
#include "platform/web/page_typing.h"
#include "platform/web/picture_fit.h"
#include "platform/web/spsc_ring.h"
#include "platform/qz/widen_row.h"

namespace {

using platform::PixelLayout;
using platform::web::FrameBuffers;

// The page's pixels are the screenshots' pixels, for every value in both layouts.
TEST(WebFrames, EveryPixelWidensAsTheScreenshotsDo) {
    for (const PixelLayout layout : {PixelLayout::Rgb565, PixelLayout::Rgb555}) {
        std::vector<std::uint16_t> all(65536);
        for (unsigned v = 0; v < all.size(); ++v) all[v] = static_cast<std::uint16_t>(v);
        std::vector<std::uint8_t> rgb(all.size() * 3);
        platform::WidenRow(all.data(), static_cast<int>(all.size()), layout, rgb.data());
        for (unsigned v = 0; v < all.size(); ++v) {
            std::uint8_t rgba[4];
            platform::web::WidenPixel(all[v], layout, rgba);
            ASSERT_EQ(rgba[0], rgb[3 * v]) << v;
            ASSERT_EQ(rgba[1], rgb[3 * v + 1]) << v;
            ASSERT_EQ(rgba[2], rgb[3 * v + 2]) << v;
            ASSERT_EQ(rgba[3], 255) << v;
        }
    }
}

// What the page is handed is each pixel widened, whichever layout the picture has.
TEST(WebFrames, AFrameHoldsEveryPixelWidened) {
    std::vector<std::uint16_t> all(65536);
    for (unsigned v = 0; v < all.size(); ++v) all[v] = static_cast<std::uint16_t>(v);
    for (const PixelLayout layout : {PixelLayout::Rgb565, PixelLayout::Rgb555}) {
        FrameBuffers frames;
        frames.Present(platform::Picture{all.data(), 256, 256, 256, layout, nullptr});
        const std::uint8_t* frame = frames.TakeFrame();
        ASSERT_NE(frame, nullptr);
        for (unsigned v = 0; v < all.size(); ++v) {
            std::uint8_t rgba[4];
            platform::web::WidenPixel(all[v], layout, rgba);
            ASSERT_EQ(std::memcmp(frame + 4 * v, rgba, 4), 0) << v;
        }
    }
}

struct Screen {
    static constexpr int kWidth = 8;
    static constexpr int kHeight = 4;
    std::vector<std::uint16_t> pixels = std::vector<std::uint16_t>(kWidth * kHeight, 0);
    std::vector<RECT> changed;
    platform::Picture Picture(bool whole = false) const {
        return platform::Picture{
            pixels.data(), kWidth, kWidth, kHeight, PixelLayout::Rgb565, whole ? nullptr : &changed};
    }
};

std::uint8_t RedAt(const std::uint8_t* frame, int x, int y) { return frame[(y * Screen::kWidth + x) * 4]; }

TEST(WebFrames, EachChangedFrameIsTakenOnceAndWhole) {
    FrameBuffers frames;
    Screen screen;
    EXPECT_EQ(frames.TakeFrame(), nullptr);
    screen.pixels[0] = 0xF800;
    frames.Present(screen.Picture(true));
    const std::uint8_t* first = frames.TakeFrame();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(RedAt(first, 0, 0), 255);
    EXPECT_EQ(frames.TakeFrame(), nullptr);

    // Presenting the same pixels again hands the page nothing to draw.
    screen.changed = {RECT{0, 0, Screen::kWidth, Screen::kHeight}};
    frames.Present(screen.Picture());
    EXPECT_EQ(frames.TakeFrame(), nullptr);

    // Several frames while the page is away: it gets the newest, with every earlier change in it,
    // whichever of the three buffers that lands in.
    for (int x = 1; x < Screen::kWidth; ++x) {
        screen.pixels[static_cast<std::size_t>(3 * Screen::kWidth + x)] = 0xF800;
        screen.changed = {RECT{x, 3, x + 1, 4}};
        frames.Present(screen.Picture());
        if (x % 3 == 0) {
            ASSERT_NE(frames.TakeFrame(), nullptr);
        }
    }
    const std::uint8_t* last = frames.TakeFrame();
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(RedAt(last, 0, 0), 255);
    for (int x = 1; x < Screen::kWidth; ++x) EXPECT_EQ(RedAt(last, x, 3), 255) << x;
    EXPECT_EQ(RedAt(last, 0, 3), 0);
    EXPECT_EQ(frames.Width(), Screen::kWidth);
    EXPECT_EQ(frames.Height(), Screen::kHeight);
}

TEST(WebPlacement, FitsAsTheWindowDoesAndMapsPointsBack) {
    using platform::web::FitPicture;
    using platform::web::ToPicture;
    // The test's 1280x960 page leaves a play area too small for twice the picture: shown 1:1.
    const auto one = FitPicture(1280, 800, 800, 600);
    EXPECT_EQ(one.x, 240);
    EXPECT_EQ(one.y, 100);
    EXPECT_EQ(one.width, 800);
    EXPECT_EQ(one.height, 600);
    const auto two = FitPicture(1700, 1300, 800, 600);
    EXPECT_EQ(two.width, 1600);
    EXPECT_EQ(two.height, 1200);
    // Smaller than the picture: the largest that keeps its shape.
    const auto small = FitPicture(400, 400, 800, 600);
    EXPECT_EQ(small.width, 400);
    EXPECT_EQ(small.height, 300);
    EXPECT_EQ(small.y, 50);

    EXPECT_EQ(ToPicture(two, two.x + 2 * 137 + 1, two.y + 2 * 421, 800, 600).x, 137);
    EXPECT_EQ(ToPicture(two, two.x + 2 * 137 + 1, two.y + 2 * 421, 800, 600).y, 421);
    EXPECT_EQ(ToPicture(small, 200, 60, 800, 600).y, 20);
    // Over the bars, clamped to the picture's edge.
    EXPECT_EQ(ToPicture(one, 0, 0, 800, 600).x, 0);
    EXPECT_EQ(ToPicture(one, 1279, 799, 800, 600).x, 799);
    EXPECT_EQ(ToPicture(one, 1279, 799, 800, 600).y, 599);
}

TEST(WebKeys, PageKeysBecomeTheProgramsKeys) {
    using platform::web::KeyFromPage;
    EXPECT_EQ(KeyFromPage(27, 0).virtualKey, VK_ESCAPE);
    EXPECT_EQ(KeyFromPage(112, 0).virtualKey, VK_F1);
    EXPECT_EQ(KeyFromPage(37, 0).virtualKey, VK_LEFT);
    EXPECT_EQ(KeyFromPage(40, 0).scanCode, DIK_DOWN);
    EXPECT_EQ(KeyFromPage('Q', 0).virtualKey, 'Q');
    EXPECT_NE(KeyFromPage('Q', 0).scanCode, 0);
    // The two shift keys are told apart by their scan codes, as the key ring needs.
    EXPECT_EQ(KeyFromPage(16, 1).scanCode, DIK_LSHIFT);
    EXPECT_EQ(KeyFromPage(16, 2).scanCode, DIK_RSHIFT);
    // Keys the program does not know stay with the browser.
    EXPECT_EQ(KeyFromPage(144, 0).virtualKey, 0);
    EXPECT_EQ(KeyFromPage(226, 0).virtualKey, 0);
}

TEST(WebRing, KeepsOrderAcrossTheWrapAndRefusesWhenFull) {
    platform::web::SpscRing<int, 8> ring;
    int next = 0;
    int expected = 0;
    for (int round = 0; round < 10; ++round) {
        const int batch[5] = {next, next + 1, next + 2, next + 3, next + 4};
        ASSERT_EQ(ring.Push(batch, 5), 5u);
        next += 5;
        int out[5];
        ASSERT_EQ(ring.Pop(out, 5), 5u);
        for (const int v : out) EXPECT_EQ(v, expected++);
    }
    const int many[10] = {};
    EXPECT_EQ(ring.Push(many, 10), 8u);
    EXPECT_EQ(ring.Free(), 0u);
    int out[10];
    EXPECT_EQ(ring.Pop(out, 10), 8u);
    EXPECT_EQ(ring.Pop(out, 1), 0u);
}

// A tap takes typing inside an area's edges only; a new set replaces the old, and past the most
// the page reads none is offered.
TEST(WebTyping, TapsLandInTheAreasNamedLast) {
    platform::web::PageTyping typing;
    platform::TypingState state;
    state.areas = {RECT{130, 370, 392, 396}, RECT{548, 10, 704, 32}};
    typing.Publish(state);
    EXPECT_TRUE(typing.TakesTyping(130, 370));
    EXPECT_TRUE(typing.TakesTyping(391, 395));
    EXPECT_FALSE(typing.TakesTyping(392, 380));
    EXPECT_FALSE(typing.TakesTyping(200, 396));
    EXPECT_TRUE(typing.TakesTyping(600, 20));
    EXPECT_FALSE(typing.Editing());

    state.areas.assign(platform::web::PageTyping::kMostAreas + 1, RECT{0, 0, 10, 10});
    state.areas.back() = RECT{500, 500, 510, 510};
    state.editing = true;
    state.caret = RECT{140, 374, 142, 392};
    typing.Publish(state);
    EXPECT_FALSE(typing.TakesTyping(600, 20));
    EXPECT_TRUE(typing.TakesTyping(5, 5));
    EXPECT_FALSE(typing.TakesTyping(505, 505));
    EXPECT_TRUE(typing.Editing());
    EXPECT_EQ(typing.Caret().left, 140);
    EXPECT_EQ(typing.Caret().bottom, 392);
}

// The browser build's rand() draws what glibc's does, for the seeds the program uses (seconds of
// the day, and 0, which glibc takes as 1).
TEST(WebRandom, DrawsTheDesktopsSequence) {
    for (const unsigned seed : {0u, 1u, 2u, 12345u, 86399u, 4294967295u}) {
        std::srand(seed);
        platform::CRandom ours(seed);
        for (int i = 0; i < 2000; ++i) ASSERT_EQ(ours.Next(), std::rand()) << "seed " << seed << ", draw " << i;
    }
}

}  // namespace

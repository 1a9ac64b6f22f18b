// A back buffer holds back a frame that repeats the one before, and redraws only where a frame
// differs from it. Whatever it holds back, at every flip, and whenever it is read in between, it
// must hold exactly what doing every copy and fill would have put there. Frames are repeated with
// changes: ops altered, moved, dropped or added, sources written (whole or in part), rekeyed or
// released in the middle of a frame, the buffer read as a source, written through a lock or copied
// onto itself, and all of it is held against a plain model of the pixels.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <random>
#include <vector>

#include "platform/ddraw/ddraw_surface.h"
#include "platform/ddraw_helpers.h"
#include "platform/pixel_model.h"

namespace {

using namespace testing_ddraw;

constexpr int kWidth = kModelWidth;
constexpr int kHeight = kModelHeight;

SurfacePtr MakeBackBuffer(int width = kWidth, int height = kHeight) {
    DirectDrawPtr dd(platform::CreateDirectDrawObject(platform::PixelLayout::Rgb565));
    DDSURFACEDESC desc = EmptyDesc();
    desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    desc.dwWidth = static_cast<DWORD>(width);
    desc.dwHeight = static_cast<DWORD>(height);
    desc.ddsCaps.dwCaps = DDSCAPS_BACKBUFFER;
    LPDIRECTDRAWSURFACE surface = nullptr;
    EXPECT_EQ(dd->CreateSurface(&desc, &surface, nullptr), DD_OK);
    return SurfacePtr(surface);
}

// Areas that overlap one another, and corners apart from most of them, so that some parts of a
// frame repeat while others change.
const RECT kAreas[] = {{0, 0, 8, 6},  {4, 3, 12, 9},  {8, 6, 16, 12}, {2, 2, 6, 6},
                       {0, 6, 8, 12}, {0, 0, 16, 12}, {12, 0, 16, 3}, {0, 9, 3, 12}};
constexpr int kAreaCount = 8;

// One copy or fill onto the back buffer: from surface `source` (0 or 1), or a fill when it is -1.
struct Op {
    int source;
    RECT from, to;
    bool keyed;
    std::uint16_t fill;
};

class FrameJournalTest : public ::testing::Test {
protected:
    // surfaces 0 and 1 are sources, 2 the back buffer, 3 a surface the back buffer is copied to.
    std::array<SurfacePtr, 4> surfaces{Make565(kWidth, kHeight), Make565(kWidth, kHeight), MakeBackBuffer(),
                                       Make565(kWidth, kHeight)};
    std::array<Model, 4> models;
    std::mt19937 random{5};

    Op RandomOp() {
        Op op{static_cast<int>(random() % 3) - 1, kAreas[random() % kAreaCount], kAreas[random() % kAreaCount],
              random() % 2 == 0, static_cast<std::uint16_t>(random() % 8)};
        if (random() % 3 != 0) {  // mostly unscaled copies, some stretched
            op.to.right = op.to.left + (op.from.right - op.from.left);
            op.to.bottom = op.to.top + (op.from.bottom - op.from.top);
            if (op.to.right > kWidth || op.to.bottom > kHeight) op.to = op.from;
        }
        return op;
    }

    // The op drawn a pixel or two away, where it still fits.
    void Move(Op* op) {
        const LONG dx = static_cast<LONG>(random() % 5) - 2, dy = static_cast<LONG>(random() % 5) - 2;
        const RECT moved{op->to.left + dx, op->to.top + dy, op->to.right + dx, op->to.bottom + dy};
        if (moved.left >= 0 && moved.top >= 0 && moved.right <= kWidth && moved.bottom <= kHeight) op->to = moved;
    }

    void Do(const Op& op) {
        Model& back = models[2];
        if (op.source < 0) {
            DDBLTFX fx{};
            fx.dwSize = sizeof fx;
            fx.dwFillColor = op.fill;
            RECT to = op.to;
            ASSERT_EQ(surfaces[2]->Blt(&to, nullptr, nullptr, DDBLT_COLORFILL, &fx), DD_OK);
            for (LONG y = to.top; y < to.bottom; ++y)
                for (LONG x = to.left; x < to.right; ++x) back.At(int(x), int(y)) = op.fill;
            return;
        }
        const bool keyed = op.keyed && models[op.source].keyed;
        Copy(op.source, 2, op.from, op.to, keyed);
    }

    void Copy(int s, int t, RECT from, RECT to, bool keyed) {
        ASSERT_EQ(surfaces[t]->Blt(&to, surfaces[s].get(), &from, keyed ? DDBLT_KEYSRC : 0, nullptr), DD_OK);
        ModelCopy(models[s], models[t], from, to, keyed);
    }

    // Something that is not one of the frame's copies, in the middle of a frame.
    void Interrupt() {
        switch (random() % 7) {
        case 6: {  // a pixel of a source written through a lock of that pixel alone
            const int s = static_cast<int>(random() % 2);
            const int x = static_cast<int>(random() % kWidth), y = static_cast<int>(random() % kHeight);
            const auto value = static_cast<std::uint16_t>(random() % 8);
            RECT pixel{x, y, x + 1, y + 1};
            DDSURFACEDESC desc = EmptyDesc();
            ASSERT_EQ(surfaces[s]->Lock(&pixel, &desc, DDLOCK_WAIT, nullptr), DD_OK);
            std::memcpy(desc.lpSurface, &value, sizeof value);
            surfaces[s]->Unlock(nullptr);
            models[s].At(x, y) = value;
            break;
        }
        case 0: {  // a source written through a lock
            const int s = static_cast<int>(random() % 2);
            const int x = static_cast<int>(random() % kWidth), y = static_cast<int>(random() % kHeight);
            const auto value = static_cast<std::uint16_t>(random() % 8);
            Locked(surfaces[s].get()).Set(x, y, value);
            models[s].At(x, y) = value;
            break;
        }
        case 1: {  // a source given a new key
            const int s = static_cast<int>(random() % 2);
            models[s].keyed = true;
            models[s].low = random() % 8;
            models[s].high = random() % 8;
            DDCOLORKEY key{models[s].low, models[s].high};
            ASSERT_EQ(surfaces[s]->SetColorKey(DDCKEY_SRCBLT, &key), DD_OK);
            break;
        }
        case 5: {  // a corner of a source filled, which some copies read and others do not
            const int s = static_cast<int>(random() % 2);
            RECT corner = kAreas[6 + random() % 2];
            const auto value = static_cast<std::uint16_t>(random() % 8);
            DDBLTFX fx{};
            fx.dwSize = sizeof fx;
            fx.dwFillColor = value;
            ASSERT_EQ(surfaces[s]->Blt(&corner, nullptr, nullptr, DDBLT_COLORFILL, &fx), DD_OK);
            for (LONG y = corner.top; y < corner.bottom; ++y)
                for (LONG x = corner.left; x < corner.right; ++x) models[s].At(int(x), int(y)) = value;
            break;
        }
        case 2: Copy(2, 3, RECT{0, 0, 16, 12}, RECT{0, 0, 16, 12}, false); break;  // the back buffer read as a source
        case 3: {  // the back buffer written through a lock
            const int x = static_cast<int>(random() % kWidth), y = static_cast<int>(random() % kHeight);
            Locked(surfaces[2].get()).Set(x, y, 5);
            models[2].At(x, y) = 5;
            break;
        }
        case 4: Copy(2, 2, RECT{0, 0, 8, 6}, RECT{4, 3, 12, 9}, false); break;  // onto itself, overlapping
        default: {  // a source released, and another made in its place with the same pixels and key
            const int s = static_cast<int>(random() % 2);
            surfaces[s] = Make565(kWidth, kHeight);
            {
                Locked lock(surfaces[s].get());
                for (int y = 0; y < kHeight; ++y)
                    for (int x = 0; x < kWidth; ++x) lock.Set(x, y, models[s].At(x, y));
            }
            DDCOLORKEY key{models[s].low, models[s].high};
            if (models[s].keyed) {
                ASSERT_EQ(surfaces[s]->SetColorKey(DDCKEY_SRCBLT, &key), DD_OK);
            }
            break;
        }
        }
    }

    // The flip reads the buffer whole, through a read-only lock; so does this check.
    void FlipAndCheck(int frame) {
        for (int i = 0; i < 4; ++i) {
            DDSURFACEDESC desc = EmptyDesc();
            ASSERT_EQ(surfaces[i]->Lock(nullptr, &desc, DDLOCK_READONLY, nullptr), DD_OK);
            for (int y = 0; y < kHeight; ++y) {
                const auto* row = reinterpret_cast<const std::uint16_t*>(static_cast<BYTE*>(desc.lpSurface) +
                                                                         y * desc.lPitch);
                for (int x = 0; x < kWidth; ++x)
                    ASSERT_EQ(row[x], models[i].At(x, y))
                        << "surface " << i << " at " << x << "," << y << ", frame " << frame;
            }
            surfaces[i]->Unlock(nullptr);
        }
    }
};

TEST_F(FrameJournalTest, TheBufferHoldsWhatEveryFrameWouldHaveDrawn) {
    for (int s = 0; s < 2; ++s) FillAlike(surfaces[s].get(), models[s], random);
    std::vector<Op> frame;
    for (int f = 0; f < 6000; ++f) {
        // Now and then a new frame; otherwise the last one again, more often than not unchanged.
        if (frame.empty() || random() % 20 == 0) {
            frame.clear();
            for (int n = 2 + static_cast<int>(random() % 8); n > 0; --n) frame.push_back(RandomOp());
        }
        std::vector<Op> now = frame;
        switch (random() % 8) {
        case 0: now[random() % now.size()] = RandomOp(); break;
        case 1: now.erase(now.begin() + static_cast<std::ptrdiff_t>(random() % now.size())); break;
        case 2: now.insert(now.begin() + static_cast<std::ptrdiff_t>(random() % now.size()), RandomOp()); break;
        case 3: Move(&now[random() % now.size()]); break;
        default: break;
        }
        const bool interrupt = random() % 4 == 0;
        const size_t at = random() % (now.size() + 1);
        for (size_t i = 0; i <= now.size(); ++i) {
            if (interrupt && i == at) Interrupt();
            if (i < now.size()) Do(now[i]);
        }
        FlipAndCheck(f);
    }
}

// A 64x48 back buffer, a patterned picture of its size, and the flip that ends each frame.
class FrameJournalDamage : public ::testing::Test {
protected:
    void SetUp() override {
        Pattern(picture.get(), 0x100);
        buffer = dynamic_cast<platform::DdSurface*>(back.get());
        ASSERT_NE(buffer, nullptr);
    }
    // Reads the buffer as the flip reads it, which ends the frame.
    void Flip() {
        DDSURFACEDESC read = EmptyDesc();
        ASSERT_EQ(back->Lock(nullptr, &read, DDLOCK_READONLY, nullptr), DD_OK);
        back->Unlock(nullptr);
    }
    const SurfacePtr back = MakeBackBuffer(64, 48), picture = Make565(64, 48);
    platform::DdSurface* buffer = nullptr;
};

// A sprite moved over a picture one pixel of which changed: the flip's changed areas, the only
// pixels drawn again, are that pixel and the sprite's old and new places.
TEST_F(FrameJournalDamage, AFrameThatMostlyRepeatsIsRedrawnOnlyWhereItDiffers) {
    const SurfacePtr sprite = Make565(8, 8);
    Pattern(sprite.get(), 1);
    SetKey(sprite.get(), 1, 1);  // the sprite's corner is transparent
    const auto frame = [&](LONG spriteX) {
        RECT whole{0, 0, 64, 48}, place{spriteX, 10, spriteX + 8, 18};
        ASSERT_EQ(back->Blt(&whole, picture.get(), nullptr, 0, nullptr), DD_OK);
        ASSERT_EQ(back->Blt(&place, sprite.get(), nullptr, DDBLT_KEYSRC, nullptr), DD_OK);
        Flip();
    };
    frame(20);
    frame(20);
    buffer->TakeChangedAreas();
    RECT pixel{50, 40, 51, 41};
    DDSURFACEDESC desc = EmptyDesc();
    ASSERT_EQ(picture->Lock(&pixel, &desc, DDLOCK_WAIT, nullptr), DD_OK);
    const std::uint16_t marked = 0x7777;
    std::memcpy(desc.lpSurface, &marked, sizeof marked);
    picture->Unlock(nullptr);
    frame(22);
    const RECT spriteBoth{20, 10, 30, 18};
    for (const RECT& area : buffer->TakeChangedAreas()) {
        const bool inPixel = area.left >= 50 && area.right <= 51 && area.top >= 40 && area.bottom <= 41;
        const bool inSprite = area.left >= spriteBoth.left && area.right <= spriteBoth.right &&
                              area.top >= spriteBoth.top && area.bottom <= spriteBoth.bottom;
        EXPECT_TRUE(inPixel || inSprite) << area.left << "," << area.top << " to " << area.right << "," << area.bottom;
    }
    EXPECT_EQ(PixelAt(back.get(), 50, 40), 0x7777u);
    EXPECT_EQ(PixelAt(back.get(), 21, 10), PixelAt(picture.get(), 21, 10)) << "where the sprite was";
    EXPECT_EQ(PixelAt(back.get(), 23, 11), PixelAt(sprite.get(), 1, 1)) << "where it is now";
    EXPECT_EQ(PixelAt(back.get(), 22, 10), PixelAt(picture.get(), 22, 10)) << "its transparent corner";
}

// A frame that leaves out what the frame before did under the ops it repeats (a screen-wide fill
// before a picture and a strip over it, as after a screen was entered) redraws nothing: each pixel
// ends as the last op to draw it left it. Where an op left out lay over them, the model test above
// holds the buffer to the pixels.
TEST_F(FrameJournalDamage, AnOpLeftOutUnderTheRepeatedOnesRedrawsNothing) {
    const SurfacePtr strip = Make565(64, 10);
    Pattern(strip.get(), 0x300);
    const auto frame = [&](bool withFill) {
        RECT whole{0, 0, 64, 48}, band{0, 20, 64, 30};
        DDBLTFX fx{};
        fx.dwSize = sizeof fx;
        if (withFill) {
            ASSERT_EQ(back->Blt(&whole, nullptr, nullptr, DDBLT_COLORFILL, &fx), DD_OK);
        }
        ASSERT_EQ(back->Blt(&whole, picture.get(), nullptr, 0, nullptr), DD_OK);
        ASSERT_EQ(back->Blt(&band, strip.get(), nullptr, 0, nullptr), DD_OK);
        Flip();
    };
    frame(true);
    frame(true);
    buffer->TakeChangedAreas();
    frame(false);
    EXPECT_TRUE(buffer->TakeChangedAreas().empty());
    EXPECT_EQ(PixelAt(back.get(), 1, 1), PixelAt(picture.get(), 1, 1));
    EXPECT_EQ(PixelAt(back.get(), 30, 25), PixelAt(strip.get(), 30, 5));
}

}  // namespace

// A flip hands the display only the areas of the back surface that changed since the flip before;
// what the display keeps must still be the whole picture.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "platform/ddraw/ddraw_surface.h"
#include "platform/ddraw_helpers.h"
#include "platform/display_fixture.h"

namespace {

using namespace testing_ddraw;

bool Same(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST(ChangedAreas, EveryWayOfChangingPixelsIsReportedOnce) {
    const SurfacePtr target = Make565(40, 30);
    const SurfacePtr source = Make565(40, 30);
    auto* surface = dynamic_cast<platform::DdSurface*>(target.get());
    ASSERT_NE(surface, nullptr);
    ASSERT_EQ(surface->TakeChangedAreas().size(), 1u) << "a new surface has changed all over";
    EXPECT_TRUE(surface->TakeChangedAreas().empty());

    RECT to{5, 6, 15, 16};
    RECT from{0, 0, 10, 10};
    ASSERT_EQ(target->Blt(&to, source.get(), &from, 0, nullptr), DD_OK);
    DDBLTFX fx{};
    fx.dwSize = sizeof fx;
    RECT filled{20, 0, 40, 4};
    ASSERT_EQ(target->Blt(&filled, nullptr, nullptr, DDBLT_COLORFILL, &fx), DD_OK);
    std::vector<RECT> areas = surface->TakeChangedAreas();
    ASSERT_EQ(areas.size(), 2u);
    EXPECT_TRUE(Same(areas[0], to));
    EXPECT_TRUE(Same(areas[1], filled));

    // The same copy again is already in place; a read-only lock changes nothing.
    ASSERT_EQ(target->Blt(&to, source.get(), &from, 0, nullptr), DD_OK);
    DDSURFACEDESC desc = EmptyDesc();
    ASSERT_EQ(target->Lock(nullptr, &desc, DDLOCK_READONLY, nullptr), DD_OK);
    target->Unlock(nullptr);
    EXPECT_TRUE(surface->TakeChangedAreas().empty());

    Locked(target.get()).Set(1, 1, 7);
    areas = surface->TakeChangedAreas();
    ASSERT_EQ(areas.size(), 1u);
    EXPECT_TRUE(Same(areas[0], RECT{0, 0, 40, 30})) << "a lock may have changed anything";

    RECT part{3, 4, 9, 6};
    ASSERT_EQ(target->Lock(&part, &desc, DDLOCK_WAIT, nullptr), DD_OK);
    target->Unlock(nullptr);
    areas = surface->TakeChangedAreas();
    ASSERT_EQ(areas.size(), 1u);
    EXPECT_TRUE(Same(areas[0], part)) << "a lock of a part changes that part only";
}

class FlipTest : public WithDisplay {};

TEST_F(FlipTest, TheDisplayKeepsTheWholePictureFromTheChangedAreas) {
    LPDIRECTDRAWSURFACE7 primary = nullptr;
    LPDIRECTDRAWSURFACE7 back = nullptr;
    QZGetDDInfo(&primary, &back);
    ASSERT_NE(back, nullptr);
    const SurfacePtr source = Make565(800, 600);
    Pattern(source.get(), 0x1000);
    std::mt19937 random(3);
    for (int frame = 0; frame < 200; ++frame) {
        // A few copies and fills of random areas, many of them too many to tell apart.
        const int changes = static_cast<int>(random() % 40);
        for (int i = 0; i < changes; ++i) {
            const LONG x = static_cast<LONG>(random() % 700), y = static_cast<LONG>(random() % 500);
            RECT area{x, y, x + 1 + static_cast<LONG>(random() % 100), y + 1 + static_cast<LONG>(random() % 100)};
            if (random() % 3 == 0) {
                DDBLTFX fx{};
                fx.dwSize = sizeof fx;
                fx.dwFillColor = random() % 0x10000;
                ASSERT_EQ(back->Blt(&area, nullptr, nullptr, DDBLT_COLORFILL, &fx), DD_OK);
            } else {
                const LONG shift = static_cast<LONG>(random() % 50);
                RECT from{area.left + shift, area.top, area.right + shift, area.bottom};
                if (from.right > 800) from = area;
                ASSERT_EQ(back->Blt(&area, source.get(), &from, 0, nullptr), DD_OK);
            }
        }
        if (random() % 10 == 0) Locked(back).Set(static_cast<int>(random() % 800), static_cast<int>(random() % 600), 1);
        ASSERT_EQ(QZFlip(), 1);
        const platform::Picture shown = platform::headless::LastPicture();
        DDSURFACEDESC desc = EmptyDesc();
        ASSERT_EQ(back->Lock(nullptr, &desc, DDLOCK_READONLY, nullptr), DD_OK);
        for (int y = 0; y < 600; ++y) {
            const auto* row = reinterpret_cast<const std::uint16_t*>(static_cast<BYTE*>(desc.lpSurface) +
                                                                     y * desc.lPitch);
            ASSERT_EQ(std::memcmp(row, shown.pixels + y * shown.pitch, 800 * 2), 0)
                << "row " << y << ", frame " << frame;
        }
        back->Unlock(nullptr);
    }
}

}  // namespace

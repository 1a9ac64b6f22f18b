// The rectangles a scaling display redraws: every differing pixel covered, changes far apart kept
// apart, and nothing for an unchanged picture.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "platform/core/picture_changes.h"

namespace {

constexpr int kWidth = 200, kHeight = 150, kPitch = 256;

struct Pictures {
    std::vector<std::uint16_t> shown = std::vector<std::uint16_t>(kWidth * kHeight, 7);
    std::vector<std::uint16_t> next = std::vector<std::uint16_t>(kPitch * kHeight, 7);
    void Change(int x, int y) { next[static_cast<size_t>(y) * kPitch + x] = 9; }
    std::vector<RECT> Parts(const RECT& area) const {
        std::vector<RECT> parts;
        platform::FindChangedParts(shown.data(), next.data(), kPitch, kWidth, kHeight, area, &parts);
        return parts;
    }
};

bool Covered(const std::vector<RECT>& parts, int x, int y) {
    for (const RECT& r : parts)
        if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return true;
    return false;
}

TEST(PictureChanges, AnUnchangedPictureGivesNothingAndFarChangesStayApart) {
    Pictures p;
    EXPECT_TRUE(p.Parts(RECT{0, 0, kWidth, kHeight}).empty());
    p.Change(3, 4);
    p.Change(190, 140);
    const std::vector<RECT> parts = p.Parts(RECT{0, 0, kWidth, kHeight});
    ASSERT_EQ(parts.size(), 2u);
    EXPECT_EQ(parts[0].left, 3);
    EXPECT_EQ(parts[0].right, 4);
    EXPECT_EQ(parts[1].top, 140);
    EXPECT_EQ(parts[1].bottom, 141);
}

TEST(PictureChanges, TouchingRowsWithNearSpansMakeOneBandAndFarSpansDoNot) {
    Pictures p;
    for (int y = 10; y < 20; ++y) p.Change(50 + y, y);
    EXPECT_EQ(p.Parts(RECT{0, 0, kWidth, kHeight}).size(), 1u);
    p.Change(180, 20);
    EXPECT_EQ(p.Parts(RECT{0, 0, kWidth, kHeight}).size(), 2u);
}

TEST(PictureChanges, EveryDifferingPixelInsideTheAreaIsCoveredAndNoneOutside) {
    std::mt19937 random(14);
    Pictures p;
    for (int i = 0; i < 300; ++i) p.Change(static_cast<int>(random() % kWidth), static_cast<int>(random() % kHeight));
    const RECT area{20, 10, 170, 130};
    const std::vector<RECT> parts = p.Parts(area);
    for (const RECT& r : parts) {
        EXPECT_GE(r.left, area.left);
        EXPECT_LE(r.right, area.right);
        EXPECT_GE(r.top, area.top);
        EXPECT_LE(r.bottom, area.bottom);
    }
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            if (p.next[static_cast<size_t>(y) * kPitch + x] == p.shown[static_cast<size_t>(y) * kWidth + x]) continue;
            ASSERT_TRUE(Covered(parts, x, y)) << x << "," << y;
        }
    }
}

}  // namespace

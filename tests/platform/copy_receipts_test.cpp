// Copies that are already in place are left out. Whatever is left out, every surface must hold
// exactly what doing every copy would have put there: a long random run of repeated copies,
// overlapping copies, stretches, fills, writes through locks and key changes is held against a
// plain model of the pixels.
#include <gtest/gtest.h>

#include <array>
#include <random>
#include <vector>

#include "platform/ddraw_helpers.h"
#include "platform/pixel_model.h"

namespace {

using namespace testing_ddraw;

constexpr int kWidth = kModelWidth;
constexpr int kHeight = kModelHeight;

// A few places, so that the same copy comes round again and again.
const RECT kAreas[] = {{0, 0, 8, 6}, {4, 3, 12, 9}, {8, 6, 16, 12}, {2, 2, 6, 6}, {0, 6, 8, 12}, {6, 0, 14, 6}};
const RECT kLarge = {0, 0, 16, 12};

TEST(CopyReceipts, SurfacesHoldWhatEveryCopyWouldHavePutThere) {
    std::array<SurfacePtr, 3> surfaces{Make565(kWidth, kHeight), Make565(kWidth, kHeight), Make565(kWidth, kHeight)};
    std::array<Model, 3> models;
    std::mt19937 random(11);
    for (int s = 0; s < 3; ++s) FillAlike(surfaces[s].get(), models[s], random);
    struct Copy {
        int s, t;
        RECT from, to;
        bool keyed;
    };
    std::vector<Copy> recent;
    for (int step = 0; step < 20000; ++step) {
        const int s = static_cast<int>(random() % 3);
        const int t = static_cast<int>(random() % 3);
        const int what = static_cast<int>(random() % 100);
        RECT from = kAreas[random() % 6];
        RECT to = kAreas[random() % 6];
        if (what < 70) {
            Copy copy{s, t, from, to, random() % 2 == 0};
            if (what < 40 && !recent.empty()) {  // one of the last few copies again
                copy = recent[random() % recent.size()];
            } else if (what < 60) {  // an unscaled copy
                copy.to.right = to.left + (from.right - from.left);
                copy.to.bottom = to.top + (from.bottom - from.top);
                if (copy.to.right > kWidth || copy.to.bottom > kHeight) continue;
            } else if (random() % 2 == 0) {  // a stretch onto the whole surface, or into an area
                copy.to = kLarge;
            }
            if (!models[copy.s].keyed) copy.keyed = false;
            ASSERT_EQ(surfaces[copy.t]->Blt(&copy.to, surfaces[copy.s].get(), &copy.from, copy.keyed ? DDBLT_KEYSRC : 0,
                                            nullptr),
                      DD_OK);
            ModelCopy(models[copy.s], models[copy.t], copy.from, copy.to, copy.keyed);
            recent.push_back(copy);
            if (recent.size() > 6) recent.erase(recent.begin());
        } else if (what < 78) {  // a fill
            const auto colour = static_cast<std::uint16_t>(random() % 8);
            DDBLTFX fx{};
            fx.dwSize = sizeof fx;
            fx.dwFillColor = colour;
            ASSERT_EQ(surfaces[t]->Blt(&to, nullptr, nullptr, DDBLT_COLORFILL, &fx), DD_OK);
            for (LONG y = to.top; y < to.bottom; ++y)
                for (LONG x = to.left; x < to.right; ++x) models[t].At(int(x), int(y)) = colour;
        } else if (what < 88) {  // one pixel written through a lock
            const int x = static_cast<int>(random() % kWidth), y = static_cast<int>(random() % kHeight);
            const auto value = static_cast<std::uint16_t>(random() % 8);
            Locked(surfaces[t].get()).Set(x, y, value);
            models[t].At(x, y) = value;
        } else {  // a new key, or none
            Model& model = models[s];
            model.keyed = random() % 4 != 0;
            model.low = random() % 8;
            model.high = random() % 8;
            DDCOLORKEY key{model.low, model.high};
            ASSERT_EQ(surfaces[s]->SetColorKey(DDCKEY_SRCBLT, model.keyed ? &key : nullptr), DD_OK);
        }
        // Looked at through read-only locks, which leave the receipts alone.
        for (int i = 0; i < 3; ++i) {
            DDSURFACEDESC desc = EmptyDesc();
            ASSERT_EQ(surfaces[i]->Lock(nullptr, &desc, DDLOCK_READONLY, nullptr), DD_OK);
            for (int y = 0; y < kHeight; ++y) {
                const auto* row = reinterpret_cast<const std::uint16_t*>(static_cast<BYTE*>(desc.lpSurface) +
                                                                         y * desc.lPitch);
                for (int x = 0; x < kWidth; ++x)
                    ASSERT_EQ(row[x], models[i].At(x, y))
                        << "surface " << i << " at " << x << "," << y << ", step " << step;
            }
            surfaces[i]->Unlock(nullptr);
        }
    }
}

}  // namespace

#include "tools/assets/colour_reduction.h"

#include <algorithm>
#include <map>

#include "tools/assets/display_colour.h"

namespace assets {

namespace {

struct Entry {
    Rgb colour;
    int count;
};

int Channel(const Rgb& c, int axis) { return axis == 0 ? c.r : axis == 1 ? c.g : c.b; }

struct ColourBox {
    std::vector<Entry> entries;

    int Range(int axis) const {
        int low = 255;
        int high = 0;
        for (const Entry& e : entries) {
            low = std::min(low, Channel(e.colour, axis));
            high = std::max(high, Channel(e.colour, axis));
        }
        return high - low;
    }
    int WidestAxis() const {
        int axis = 0;
        for (int a = 1; a < 3; ++a)
            if (Range(a) > Range(axis)) axis = a;
        return axis;
    }
    Rgb Mean() const {
        double r = 0, g = 0, b = 0, n = 0;
        for (const Entry& e : entries) {
            r += e.colour.r * double(e.count);
            g += e.colour.g * double(e.count);
            b += e.colour.b * double(e.count);
            n += e.count;
        }
        return Nearest565({float(r / n), float(g / n), float(b / n)});
    }
};

}  // namespace

IndexedPicture ReduceColours(const RgbPicture& picture, int colours) {
    std::map<std::uint32_t, int> counts;
    auto key = [](const Rgb& c) { return std::uint32_t{c.r} << 16 | std::uint32_t{c.g} << 8 | c.b; };
    for (const Rgb& c : picture.pixels) ++counts[key(c)];
    std::vector<ColourBox> boxes(1);
    for (const auto& [k, n] : counts)
        boxes[0].entries.push_back({{std::uint8_t(k >> 16), std::uint8_t(k >> 8 & 255), std::uint8_t(k & 255)}, n});

    while (static_cast<int>(boxes.size()) < colours) {
        auto widest = std::max_element(boxes.begin(), boxes.end(), [](const ColourBox& a, const ColourBox& b) {
            return a.Range(a.WidestAxis()) < b.Range(b.WidestAxis());
        });
        if (widest->entries.size() < 2) break;
        const int axis = widest->WidestAxis();
        std::sort(widest->entries.begin(), widest->entries.end(),
                  [axis](const Entry& a, const Entry& b) { return Channel(a.colour, axis) < Channel(b.colour, axis); });
        ColourBox upper;
        upper.entries.assign(widest->entries.begin() + static_cast<long>(widest->entries.size() / 2),
                             widest->entries.end());
        widest->entries.resize(widest->entries.size() / 2);
        boxes.push_back(std::move(upper));
    }

    IndexedPicture out(picture.width, picture.height);
    std::map<std::uint32_t, std::uint8_t> lookup;
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        out.palette[i] = boxes[i].Mean();
        for (const Entry& e : boxes[i].entries) lookup[key(e.colour)] = static_cast<std::uint8_t>(i);
    }
    for (std::size_t p = 0; p < picture.pixels.size(); ++p) out.indices[p] = lookup[key(picture.pixels[p])];
    return out;
}

RgbPicture Expand(const IndexedPicture& picture) {
    RgbPicture out(picture.width, picture.height);
    for (std::size_t p = 0; p < picture.indices.size(); ++p) out.pixels[p] = picture.palette[picture.indices[p]];
    return out;
}

}  // namespace assets

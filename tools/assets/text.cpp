#include "tools/assets/text.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cmath>
#include <map>
#include <memory>
#include <stdexcept>

namespace assets {

namespace {

#ifndef STALKWAY_FONT_DIR
#define STALKWAY_FONT_DIR "/usr/share/fonts/truetype/dejavu"
#endif

const char* FileOf(Typeface face) {
    switch (face) {
    case Typeface::Sans: return "DejaVuSans.ttf";
    case Typeface::SansBold: return "DejaVuSans-Bold.ttf";
    case Typeface::Serif: return "DejaVuSerif.ttf";
    case Typeface::SerifBold: return "DejaVuSerif-Bold.ttf";
    case Typeface::MonoBold: return "DejaVuSansMono-Bold.ttf";
    }
    return "";
}

class FontLibrary {
public:
    FontLibrary() {
        if (FT_Init_FreeType(&library_) != 0) throw std::runtime_error("FreeType does not start");
    }
    ~FontLibrary() {
        for (auto& [face, handle] : faces_) FT_Done_Face(handle);
        FT_Done_FreeType(library_);
    }
    FontLibrary(const FontLibrary&) = delete;
    FontLibrary& operator=(const FontLibrary&) = delete;

    FT_Face Face(Typeface face) {
        auto found = faces_.find(face);
        if (found != faces_.end()) return found->second;
        const std::string path = std::string(STALKWAY_FONT_DIR) + "/" + FileOf(face);
        FT_Face handle = nullptr;
        if (FT_New_Face(library_, path.c_str(), 0, &handle) != 0) throw std::runtime_error("no font " + path);
        faces_[face] = handle;
        return handle;
    }

private:
    FT_Library library_ = nullptr;
    std::map<Typeface, FT_Face> faces_;
};

FontLibrary& Library() {
    static FontLibrary library;
    return library;
}

std::vector<char32_t> Decode(const std::string& text) {
    std::vector<char32_t> out;
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        int extra = c < 0x80 ? 0 : c < 0xE0 ? 1 : c < 0xF0 ? 2 : 3;
        char32_t code = extra == 0 ? c : extra == 1 ? c & 0x1F : extra == 2 ? c & 0x0F : c & 0x07;
        for (int k = 1; k <= extra && i + k < text.size(); ++k) code = code << 6 | (text[i + k] & 0x3F);
        out.push_back(code);
        i += 1 + extra;
    }
    return out;
}

struct Placed {
    int x, y;  // top-left relative to the pen origin on the baseline
    int width, height;
    std::vector<float> coverage;
};

}  // namespace

TextMask SetText(Typeface typeface, float pixels, const std::string& text, float tracking) {
    FT_Face face = Library().Face(typeface);
    FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(std::lround(pixels)));
    std::vector<Placed> glyphs;
    float pen = 0;
    FT_UInt previous = 0;
    int top = 0;
    int bottom = 0;
    for (char32_t code : Decode(text)) {
        const FT_UInt index = FT_Get_Char_Index(face, code);
        if (previous != 0 && index != 0 && FT_HAS_KERNING(face)) {
            FT_Vector kern{};
            FT_Get_Kerning(face, previous, index, FT_KERNING_DEFAULT, &kern);
            pen += static_cast<float>(kern.x) / 64.0f;
        }
        if (FT_Load_Glyph(face, index, FT_LOAD_RENDER) != 0) continue;
        const FT_GlyphSlot slot = face->glyph;
        Placed placed{static_cast<int>(std::lround(pen)) + slot->bitmap_left,
                      -slot->bitmap_top,
                      static_cast<int>(slot->bitmap.width),
                      static_cast<int>(slot->bitmap.rows),
                      {}};
        for (int y = 0; y < placed.height; ++y)
            for (int x = 0; x < placed.width; ++x)
                placed.coverage.push_back(slot->bitmap.buffer[y * slot->bitmap.pitch + x] / 255.0f);
        top = std::min(top, placed.y);
        bottom = std::max(bottom, placed.y + placed.height);
        glyphs.push_back(std::move(placed));
        pen += static_cast<float>(slot->advance.x) / 64.0f + tracking;
        previous = index;
    }
    TextMask mask;
    const int ascender = static_cast<int>(face->size->metrics.ascender / 64);
    const int descender = static_cast<int>(-face->size->metrics.descender / 64);
    mask.ascent = std::max(ascender, -top);
    mask.width = std::max(1, static_cast<int>(std::ceil(pen - tracking)) + 2);
    mask.height = mask.ascent + std::max(descender, bottom);
    mask.coverage.assign(static_cast<std::size_t>(mask.width) * mask.height, 0.0f);
    for (const Placed& g : glyphs)
        for (int y = 0; y < g.height; ++y)
            for (int x = 0; x < g.width; ++x) {
                const int mx = g.x + x;
                const int my = mask.ascent + g.y + y;
                if (mx < 0 || my < 0 || mx >= mask.width || my >= mask.height) continue;
                float& cell = mask.coverage[static_cast<std::size_t>(my) * mask.width + mx];
                cell = std::min(1.0f, cell + g.coverage[static_cast<std::size_t>(y) * g.width + x]);
            }
    return mask;
}

TextMask Spread(const TextMask& mask, float radius) {
    const int r = static_cast<int>(std::ceil(radius));
    TextMask out;
    out.width = mask.width + 2 * r;
    out.height = mask.height + 2 * r;
    out.ascent = mask.ascent + r;
    out.coverage.assign(static_cast<std::size_t>(out.width) * out.height, 0.0f);
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x) {
            float best = 0;
            for (int dy = -r; dy <= r; ++dy)
                for (int dx = -r; dx <= r; ++dx) {
                    const float reach = std::clamp(radius + 0.5f - std::sqrt(float(dx * dx + dy * dy)), 0.0f, 1.0f);
                    if (reach > 0) best = std::max(best, mask.At(x - r + dx, y - r + dy) * reach);
                }
            out.coverage[static_cast<std::size_t>(y) * out.width + x] = best;
        }
    return out;
}

void DrawMask(Canvas& canvas, const TextMask& mask, float x, float y, const Paint& paint, float opacity) {
    const int left = static_cast<int>(std::lround(x));
    const int top = static_cast<int>(std::lround(y));
    for (int row = 0; row < mask.height; ++row)
        for (int column = 0; column < mask.width; ++column) {
            const float coverage = mask.At(column, row);
            if (coverage > 0)
                canvas.Blend(left + column, top + row, paint(float(left + column) + 0.5f, float(top + row) + 0.5f),
                             coverage * opacity);
        }
}

int DrawLeft(Canvas& canvas, const std::string& text, float x, float baseline, const TextStyle& style) {
    const TextMask mask = SetText(style.face, style.pixels, text, style.tracking);
    const float top = baseline - static_cast<float>(mask.ascent);
    if (style.shadow > 0) {
        const TextMask soft = Spread(mask, style.outline + 1);
        const float r = static_cast<float>(soft.width - mask.width) / 2;
        DrawMask(canvas, soft, x - r + style.shadow, top - r + style.shadow, Solid({0, 0, 0}), 0.35f);
    }
    if (style.outline > 0) {
        const TextMask ring = Spread(mask, style.outline);
        const float r = static_cast<float>(ring.width - mask.width) / 2;
        DrawMask(canvas, ring, x - r, top - r, Solid(style.outlineColour));
    }
    DrawMask(canvas, mask, x, top, style.paint ? style.paint : Solid(style.fill));
    return mask.width;
}

int DrawCentred(Canvas& canvas, const std::string& text, float x, float baseline, const TextStyle& style) {
    const int width = TextWidth(text, style);
    return DrawLeft(canvas, text, x - static_cast<float>(width) / 2, baseline, style);
}

int TextWidth(const std::string& text, const TextStyle& style) {
    return SetText(style.face, style.pixels, text, style.tracking).width;
}

}  // namespace assets

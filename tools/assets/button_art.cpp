// The ten buttons, each a strip of three frames: normal (a wooden sign), highlighted (lit in
// gold, as the pointer rests on it and as "New game" blinks) and pressed (sunk and darkened).
#include <cmath>
#include <cstring>
#include <string>

#include "tools/assets/art.h"
#include "tools/assets/art_style.h"
#include "tools/assets/text.h"

namespace assets {

namespace {

using namespace palette;

enum class Look { Normal, Lit, Pressed };

struct Face {
    Colour wood;
    Colour rim;
    Colour ink;
    Colour inkRim;
    float sink;  // pixels the face moves down and right
};

Face FaceFor(Look look) {
    switch (look) {
    case Look::Normal: return {kWoodLight, kWoodDark, kCream, kWoodDark, 0};
    case Look::Lit: return {Hex(0xe8b04c), Hex(0x6b3a10), Hex(0xfffbe8), Hex(0x7a3a08), 0};
    case Look::Pressed: return {Shade(kWood, -0.12f), kInk, kGoldPale, kInk, 2};
    }
    return {};
}

// The arrow of a direction button, pointing along (dx, dy), centred on (cx, cy).
Shape Arrow(float cx, float cy, float dx, float dy, float size) {
    const float px = -dy;
    const float py = dx;
    auto at = [&](float along, float across) {
        return Point{cx + dx * along + px * across, cy + dy * along + py * across};
    };
    return Polygon({at(size, 0), at(0, size * 0.95f), at(0, size * 0.42f), at(-size, size * 0.42f),
                    at(-size, -size * 0.42f), at(0, -size * 0.42f), at(0, -size * 0.95f)});
}

// A hooked arrow turning back, for "back".
Shape BackArrow(float cx, float cy, float size) {
    const Shape ring = Subtract(Outline(Circle(cx + size * 0.2f, cy, size * 0.62f), size * 0.3f),
                                RoundRect(cx - size * 1.2f, cy, size * 2.4f, size * 1.2f, 0));
    const Shape head = Polygon({{cx - size * 0.42f - size * 0.5f, cy + size * 0.02f},
                                {cx - size * 0.42f + size * 0.5f, cy + size * 0.02f},
                                {cx - size * 0.42f, cy + size * 0.62f}});
    const Shape tail = RoundRect(cx + size * 0.67f, cy - size * 0.02f, size * 0.3f, size * 0.5f, 1);
    return Union(Union(ring, head), tail);
}

void PaintSymbol(Canvas& canvas, const ButtonSpec& button, float cx, float cy, const Face& face) {
    const std::string name = button.name;
    const float size = 15;
    Shape symbol;
    if (name == "left") symbol = Arrow(cx, cy, -1, 0, size);
    if (name == "right") symbol = Arrow(cx, cy, 1, 0, size);
    if (name == "up") symbol = Arrow(cx, cy, 0, -1, size);
    if (name == "down") symbol = Arrow(cx, cy, 0, 1, size);
    Fill(canvas, Moved(Grow(symbol, 2.2f), 1.2f, 1.6f), Hex(0x000000), 0.3f);
    Fill(canvas, Grow(symbol, 2.2f), face.inkRim);
    Fill(canvas, symbol, face.ink);
}

const char* LabelOf(const ButtonSpec& button) {
    const std::string name = button.name;
    if (name == "brindle") return "About";
    if (name == "newgame") return "New game";
    if (name == "help") return "Help";
    if (name == "menu") return "Menu";
    if (name == "exit") return "Exit";
    if (name == "back") return "Back";
    // The launcher's signs.
    if (name == "music") return "Music";
    if (name == "effects") return "Effects";
    if (name == "clear") return "Clear";
    if (name == "play") return "Play";
    if (name == "quit") return "Quit";
    return nullptr;
}

void PaintFrame(Canvas& canvas, const ButtonSpec& button, int left, Look look) {
    const Face face = FaceFor(look);
    const auto w = static_cast<float>(button.rect.width);
    const auto h = static_cast<float>(button.rect.height);
    const auto x = static_cast<float>(left);
    constexpr float kRadius = 9;
    // A shadow under the raised sign; a pressed sign sits on it.
    if (look != Look::Pressed) Fill(canvas, RoundRect(x + 2, 3, w - 2, h - 3, kRadius), Hex(0x000000), 0.45f);
    const float s = face.sink;
    const Shape outer = RoundRect(x + s, s, w - 2 - (look == Look::Pressed ? 0 : 0), h - 3, kRadius);
    Fill(canvas, outer, face.rim);
    const Shape inner = Grow(outer, -2);
    Fill(canvas, inner, WoodPaint(face.wood, static_cast<std::uint32_t>(std::strlen(button.name) * 31 + 7)));
    const Shape bevel = Outline(Grow(inner, -1.2f), 1.8f);
    const Box top{x, 0, x + w, h * 0.45f};
    if (look == Look::Pressed) {
        Fill(canvas, Intersect(bevel, RoundRect(top.left, top.top, w, h * 0.45f, 0)), Hex(0x000000), 0.45f);
    } else {
        Fill(canvas, Intersect(bevel, RoundRect(top.left, top.top, w, h * 0.45f, 0)), Shade(face.wood, 0.55f), 0.7f);
        Fill(canvas, Intersect(bevel, RoundRect(x, h * 0.55f, w, h, 0)), Shade(face.wood, -0.5f), 0.6f);
    }
    if (look == Look::Lit) Fill(canvas, Outline(Grow(outer, -0.5f), 1.6f), kGoldPale, 0.9f);

    const float cx = x + s + (w - 2) / 2;
    const float cy = s + (h - 3) / 2;
    if (const char* label = LabelOf(button)) {
        TextStyle style;
        style.face = Typeface::SansBold;
        style.pixels = 14;
        style.fill = face.ink;
        style.outline = 1.4f;
        style.outlineColour = face.inkRim;
        float textX = cx;
        if (std::strcmp(button.name, "back") == 0) {
            const Shape arrow = BackArrow(cx - 30, cy - 2, 13);
            Fill(canvas, Grow(arrow, 1.8f), face.inkRim);
            Fill(canvas, arrow, face.ink);
            textX = cx + 14;
            style.pixels = 17;
        }
        // The command buttons share the size that fits the longest label.
        if (button.rect.x == kButtons[0].rect.x)
            for (const ButtonSpec& other : kButtons)
                if (const char* text = LabelOf(other); text != nullptr && other.rect.x == button.rect.x)
                    while (TextWidth(text, style) + 2 * style.outline > w - 8) style.pixels -= 1;
        DrawCentred(canvas, label, textX, cy + style.pixels * 0.36f, style);
    } else {
        PaintSymbol(canvas, button, cx, cy, face);
    }
}

}  // namespace

Canvas PaintButtonStrip(const ButtonSpec& button) {
    const int w = button.rect.width;
    Canvas canvas(3 * w, button.rect.height);
    PaintFrame(canvas, button, 0, Look::Normal);
    PaintFrame(canvas, button, w, Look::Lit);
    PaintFrame(canvas, button, 2 * w, Look::Pressed);
    return canvas;
}

}  // namespace assets

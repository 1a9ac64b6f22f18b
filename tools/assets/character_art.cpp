// "characters.bmp": four folk of the field, one of whom pops up now and then in the strip below
// the maze: a crow with a stolen kernel, the scarecrow, a field mouse and a corn cob.
#include <cmath>

#include "tools/assets/art.h"
#include "tools/assets/art_style.h"

namespace assets {

namespace {

using namespace palette;

const Colour kFeather = Hex(0x23232d);
const Colour kBeak = Hex(0xf2a230);
const Colour kGround = Hex(0x3a2614);

void GroundShadow(Canvas& canvas, float cx, float width) { Fill(canvas, Ellipse(cx, 92, width, 3.2f), kGround); }

void PaintCrow(Canvas& canvas) {
    GroundShadow(canvas, 82, 30);
    for (float x : {76.0f, 90.0f}) {
        Fill(canvas, Capsule({x, 76}, {x - 2, 91}, 1.6f), kBeak);
        Fill(canvas, Capsule({x - 2, 91}, {x + 5, 91}, 1.3f), kBeak);
    }
    Inked(canvas, Polygon({{58, 58}, {18, 46}, {24, 58}, {16, 68}, {56, 72}}), kFeather);
    Inked(canvas, Ellipse(76, 62, 29, 19), kFeather);
    Fill(canvas, Ellipse(80, 52, 18, 6), Hex(0x4b5a78), 0.7f);
    // The folded wing, its feather tips towards the tail.
    Inked(canvas, Polygon({{94, 55}, {90, 66}, {78, 72}, {70, 69}, {62, 73}, {54, 69}, {44, 71}, {52, 62}, {66, 55}}),
          Hex(0x15151c), 1.2f);
    Fill(canvas, Capsule({86, 60}, {60, 64}, 0.7f), Hex(0x4b5a78), 0.8f);
    Inked(canvas, Polygon({{112, 36}, {138, 43}, {112, 50}}), kBeak);
    Fill(canvas, Capsule({114, 43}, {134, 43}, 0.7f), Shade(kBeak, -0.4f));
    Inked(canvas, Circle(104, 42, 15), kFeather);
    Fill(canvas, Circle(100, 34, 5), Hex(0x4b5a78), 0.6f);
    Inked(canvas, Circle(108, 38, 4.6f), Hex(0xffffff), 1.2f);
    Fill(canvas, Circle(109.4f, 38.6f, 2.3f), kInk);
    Fill(canvas, Circle(110.2f, 37.6f, 0.9f), Hex(0xffffff));
    Inked(canvas, Ellipse(139, 44, 3.4f, 4.2f), kGold, 1.2f);
}

Paint Plaid() {
    return [](float x, float y) {
        const bool across = static_cast<int>(std::floor(y / 5)) % 3 == 0;
        const bool down = static_cast<int>(std::floor(x / 5)) % 3 == 0;
        const Colour base = Hex(0xb8372b);
        return across && down ? Shade(base, -0.45f) : across || down ? Shade(base, -0.22f) : base;
    };
}

void Straw(Canvas& canvas, Point at, float dx, float dy) {
    for (int i = -2; i <= 2; ++i) {
        const float spread = static_cast<float>(i) * 2.6f;
        Fill(canvas, Capsule(at, {at.x + dx + (dy != 0 ? spread : 0), at.y + dy + (dx != 0 ? spread : 0)}, 1.1f),
             i % 2 == 0 ? kGold : kGoldDeep);
    }
}

void PaintScarecrow(Canvas& canvas) {
    GroundShadow(canvas, 80, 16);
    Inked(canvas, Capsule({80, 92}, {80, 30}, 3.6f), WoodPaint(kWood, 5, true), 1.2f);
    Inked(canvas, Capsule({22, 47}, {138, 47}, 3.2f), WoodPaint(kWood, 6), 1.2f);
    Straw(canvas, {30, 48}, -10, 0);
    Straw(canvas, {130, 48}, 10, 0);
    Straw(canvas, {70, 80}, 0, 10);
    Straw(canvas, {90, 80}, 0, 10);
    Inked(
        canvas,
        Polygon(
            {{48, 38}, {112, 38}, {132, 42}, {132, 56}, {106, 54}, {104, 82}, {56, 82}, {54, 54}, {28, 56}, {28, 42}}),
        Plaid());
    Inked(canvas, RoundRect(84, 60, 12, 11, 1), Hex(0x3c6ea8), 1.2f);
    Fill(canvas, Capsule({86, 62}, {94, 69}, 0.6f), kCream, 0.8f);
    Inked(canvas, Circle(80, 27, 14), Hex(0xd8b47a));
    for (float side : {-1.0f, 1.0f}) {
        Fill(canvas, Capsule({80 + side * 5 - 2.2f, 22.5f}, {80 + side * 5 + 2.2f, 26.5f}, 0.9f), kInk);
        Fill(canvas, Capsule({80 + side * 5 - 2.2f, 26.5f}, {80 + side * 5 + 2.2f, 22.5f}, 0.9f), kInk);
    }
    Fill(canvas, Intersect(Outline(Circle(80, 26, 7), 1.6f), RoundRect(70, 29, 20, 8, 0)), kInk);
    for (float x = 74; x <= 86; x += 4) Fill(canvas, Capsule({x, 31}, {x, 34.5f}, 0.6f), kInk);
    Inked(canvas, Ellipse(80, 15, 25, 5), Hex(0x8a5a2a));
    Inked(canvas, RoundRect(67, 1, 26, 15, 5), Hex(0x9a6a34));
    Fill(canvas, RoundRect(67, 10, 26, 4, 0), kBarnRed);
}

void PaintMouse(Canvas& canvas) {
    const Colour fur = Hex(0x9c8774);
    const Colour pink = Hex(0xf0a0a0);
    GroundShadow(canvas, 84, 28);
    Fill(canvas, Capsule({58, 84}, {40, 80}, 1.8f), pink);
    Fill(canvas, Capsule({40, 80}, {28, 68}, 1.6f), pink);
    Fill(canvas, Capsule({28, 68}, {30, 56}, 1.4f), pink);
    Inked(canvas, Ellipse(78, 76, 25, 15), fur);
    Fill(canvas, Ellipse(84, 82, 14, 7), Shade(fur, 0.35f));
    Inked(canvas, Circle(92, 50, 9), fur);
    Fill(canvas, Circle(92, 50, 5.5f), pink);
    Inked(canvas, Circle(101, 64, 14), fur);
    Inked(canvas, Circle(110, 52, 8.5f), fur);
    Fill(canvas, Circle(110, 52, 5), pink);
    Inked(canvas, Ellipse(113, 69, 7, 5.5f), Shade(fur, 0.15f), 1.2f);
    Fill(canvas, Circle(119, 67.5f, 2.4f), Hex(0xd0606a));
    Fill(canvas, Circle(105, 61, 2.6f), kInk);
    Fill(canvas, Circle(105.8f, 60.2f, 0.9f), Hex(0xffffff));
    for (float dy : {-2.0f, 1.5f}) Fill(canvas, Capsule({116, 70}, {132, 68 + dy * 2.5f}, 0.45f), kInk, 0.8f);
    Inked(canvas, Ellipse(110, 82, 4.2f, 5.2f), kGold, 1.2f);
    Fill(canvas, Ellipse(106, 82, 3, 2.2f), pink);
    Fill(canvas, Ellipse(114, 83, 3, 2.2f), pink);
    for (float x : {66.0f, 84.0f}) Fill(canvas, Ellipse(x, 90, 5, 2.4f), pink);
}

void PaintCob(Canvas& canvas) {
    GroundShadow(canvas, 80, 18);
    PaintCornCob(canvas, 80, 52, 68, true);
    for (float x : {72.0f, 88.0f}) Inked(canvas, Ellipse(x, 89, 6, 3.2f), kLeafDark, 1.2f);
}

}  // namespace

Canvas PaintCharacters() {
    Canvas strip(4 * kCharacterWidth, kCharacterHeight);
    void (*painters[4])(Canvas&) = {PaintCrow, PaintScarecrow, PaintMouse, PaintCob};
    for (int i = 0; i < 4; ++i) {
        Canvas frame(kCharacterWidth, kCharacterHeight);
        painters[i](frame);
        strip.Draw(frame, i * kCharacterWidth, 0);
    }
    return strip;
}

}  // namespace assets

// "title\HowToPlay.bmp": the rules in a few plain sentences on a board, one small picture beside
// each, shown over the game until it is clicked.
#include <algorithm>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "tools/assets/art.h"
#include "tools/assets/art_style.h"
#include "tools/assets/text.h"

namespace assets {

namespace {

using namespace palette;

constexpr float kWidth = kHelpWidth;
constexpr float kHeight = kHelpHeight;
constexpr float kTextLeft = 92;
constexpr float kTextWidth = kWidth - kTextLeft - 34;

std::vector<std::string> Wrap(const std::string& text, const TextStyle& style, float width) {
    std::vector<std::string> lines;
    std::istringstream words(text);
    std::string word;
    std::string line;
    while (words >> word) {
        const std::string longer = line.empty() ? word : line + " " + word;
        if (!line.empty() && static_cast<float>(TextWidth(longer, style)) > width) {
            lines.push_back(line);
            line = word;
        } else {
            line = longer;
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

void Parchment(Canvas& canvas) {
    Fill(canvas, RoundRect(0, 0, kWidth, kHeight, 14), Shade(kWoodDark, -0.3f));
    Fill(canvas, RoundRect(2, 2, kWidth - 4, kHeight - 4, 12), WoodPaint(kWood, 401));
    const Shape paper = RoundRect(14, 14, kWidth - 28, kHeight - 28, 6);
    Fill(canvas, Grow(paper, 1.5f), kInk);
    Fill(canvas, paper, [](float x, float y) {
        const float n = Fractal(x / 60, y / 60, 402u);
        const float edge = std::min({x - 14, y - 14, kWidth - 14 - x, kHeight - 14 - y});
        return Shade(kCream, (n - 0.5f) * 0.08f - std::max(0.0f, 1 - edge / 26) * 0.12f);
    });
}

// The small pictures of the left column, each centred on (cx, cy).
void ArrowIcon(Canvas& canvas, float cx, float cy) {
    Inked(canvas, RoundRect(cx - 17, cy - 13, 34, 26, 6), WoodPaint(kWoodLight, 3), 1.4f);
    Inked(canvas,
          Polygon({{cx + 10, cy},
                   {cx, cy - 9},
                   {cx, cy - 4},
                   {cx - 10, cy - 4},
                   {cx - 10, cy + 4},
                   {cx, cy + 4},
                   {cx, cy + 9}}),
          kCream, 1.4f);
}

void TrailIcon(Canvas& canvas, float cx, float cy) {
    Fill(canvas, RoundRect(cx - 18, cy - 13, 36, 26, 3), kLeafDark);
    const Point bend[] = {{cx - 14, cy + 6}, {cx - 4, cy + 6}, {cx - 4, cy - 6}, {cx + 14, cy - 6}};
    for (int i = 0; i < 3; ++i) Fill(canvas, Capsule(bend[i], bend[i + 1], 3.4f), Hex(0xc4966a));
    for (int i = 0; i < 2; ++i) Fill(canvas, Capsule(bend[i], bend[i + 1], 2), Hex(0xff0000));
    Fill(canvas, RoundRect(cx - 6, cy - 8, 4, 4, 0), Hex(0x00ff00));
}

void BackIcon(Canvas& canvas, float cx, float cy) {
    Inked(canvas, RoundRect(cx - 17, cy - 13, 34, 26, 6), WoodPaint(kWoodLight, 4), 1.4f);
    const Shape hook = Subtract(Outline(Circle(cx + 2, cy + 1, 6.5f), 3), RoundRect(cx - 10, cy + 1, 20, 10, 0));
    Fill(canvas, hook, kCream);
    Fill(canvas, Polygon({{cx - 10, cy + 1}, {cx - 0.5f, cy + 1}, {cx - 5, cy + 7}}), kCream);
}

void ItemsIcon(Canvas& canvas, float cx, float cy) {
    Inked(canvas, Ellipse(cx - 9, cy + 2, 6, 8), Mix(kGold, kGoldPale, 0.3f), 1.4f);
    Inked(canvas, RoundRect(cx + 1, cy - 12, 18, 24, 3), VerticalGradient(kGoldPale, kGold, cy - 12, cy + 12), 1.4f);
    TextStyle letter;
    letter.face = Typeface::SerifBold;
    letter.pixels = 18;
    letter.fill = kBarnRed;
    DrawCentred(canvas, "P", cx + 10, cy + 6.5f, letter);
}

void ExitIcon(Canvas& canvas, float cx, float cy) {
    std::vector<Point> star;
    for (int i = 0; i < 10; ++i) {
        const float a = -1.5707963f + static_cast<float>(i) * 3.14159265f / 5;
        const float r = i % 2 == 0 ? 14.0f : 6.2f;
        star.push_back({cx + r * std::cos(a), cy + 1 + r * std::sin(a)});
    }
    Inked(canvas, Polygon(star), kGold, 1.4f);
}

}  // namespace

Canvas PaintHowToPlay() {
    Canvas canvas(kHelpWidth, kHelpHeight);
    Parchment(canvas);
    TextStyle title;
    title.face = Typeface::SerifBold;
    title.pixels = 30;
    title.fill = kBarnRed;
    title.outline = 1;
    title.outlineColour = kInk;
    DrawCentred(canvas, "How to play", kWidth / 2, 56, title);
    Fill(canvas, RoundRect(kWidth / 2 - 150, 68, 300, 1.5f, 0), kWood, 0.8f);

    TextStyle body;
    body.face = Typeface::Sans;
    body.pixels = 15;
    body.fill = kInk;
    struct Rule {
        void (*icon)(Canvas&, float, float);
        const char* text;
    };
    const Rule rules[] = {
        {ArrowIcon,
         "Click an arrow to move. Your block follows the path round every bend and stops where "
         "the ways divide, or where the path ends."},
        {TrailIcon, "A red trail follows you and blocks the way back, so choose your turns with care."},
        {BackIcon, "Back undoes your last move."},
        {ItemsIcon,
         "Golden kernels score 1 000. Each of the ten letters scores 100 000 and takes its place "
         "on the sign."},
        {ExitIcon, "Reach the exit to double your score. Gather everything first for a perfect game."},
    };
    float y = 96;
    for (const Rule& rule : rules) {
        const std::vector<std::string> lines = Wrap(rule.text, body, kTextWidth);
        const float height = 20 * static_cast<float>(lines.size());
        rule.icon(canvas, 56, y + height / 2 - 5);
        for (std::size_t i = 0; i < lines.size(); ++i)
            DrawLeft(canvas, lines[i], kTextLeft, y + 20 * static_cast<float>(i) + 10, body);
        y += height + 16;
    }
    TextStyle footer = body;
    footer.face = Typeface::SansBold;
    footer.pixels = 13;
    footer.fill = kWood;
    DrawCentred(canvas, "Click anywhere on this page to return to the field.", kWidth / 2, kHeight - 30, footer);
    return canvas;
}

}  // namespace assets

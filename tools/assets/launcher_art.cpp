#include "tools/assets/launcher_art.h"

#include <filesystem>

#include "tools/assets/art.h"
#include "tools/assets/art_style.h"
#include "tools/assets/display_colour.h"
#include "tools/assets/text.h"

namespace assets {

namespace {

using namespace palette;

constexpr int kPanelTop = 76;
constexpr int kPanelHeight = 430;

// The launcher's buttons: its own names and places, the game's sign size.
constexpr ButtonSpec kLauncherButtons[] = {
    {"music", "portico/music.bmp", {20, 540, 110, 46}},  {"effects", "portico/effects.bmp", {190, 540, 110, 46}},
    {"clear", "portico/clear.bmp", {360, 540, 110, 46}}, {"play", "portico/play.bmp", {530, 540, 110, 46}},
    {"quit", "portico/quit.bmp", {664, 540, 110, 46}},
};

void PaintHeading(Canvas& canvas, const char* text, float centreX) {
    TextStyle style;
    style.face = Typeface::SerifBold;
    style.pixels = 20;
    style.fill = kGoldPale;
    style.outline = 1.6f;
    style.outlineColour = kInk;
    DrawCentred(canvas, text, centreX, kPanelTop + 24, style);
}

// Boards in the corn: players on the left, the hall of fame on the right; dark plaques under the
// texts the launcher prints, so its white letters read on them.
Canvas PaintLauncherBackground() {
    Canvas canvas(kScreenWidth, kScreenHeight);
    Fill(canvas, RoundRect(0, 0, kScreenWidth, kScreenHeight, 0), VerticalGradient(kSkyHigh, kSkyLow, 0, 90));
    PaintCorn(canvas, {0, 64, kScreenWidth, kScreenHeight - 64}, 1.0f, 12);
    PaintGameTitle(canvas, kScreenWidth / 2.0f, 52);
    WoodBoard(canvas, {14, kPanelTop, 392, kPanelHeight}, 8, 21);
    WoodBoard(canvas, {412, kPanelTop, 374, kPanelHeight}, 8, 22);
    PaintHeading(canvas, "Players", 210);
    PaintHeading(canvas, "Hall of fame", 599);
    SunkenPlaque(canvas, {24, 110, 376, 246}, 4);
    SunkenPlaque(canvas, {24, 364, 376, 130}, 4);
    SunkenPlaque(canvas, {418, 108, 362, 392}, 4);
    SunkenPlaque(canvas, {14, 508, 772, 24}, 4);
    WoodBoard(canvas, {10, 535, 780, 58}, 8, 23);
    return canvas;
}

}  // namespace

std::vector<DataFile> LauncherFiles() {
    std::vector<DataFile> files = {{"portico/portico.bmp", Bmp16(ToDisplay(PaintLauncherBackground(), false))}};
    for (const ButtonSpec& button : kLauncherButtons)
        files.push_back({button.file, Bmp16(ToDisplay(PaintButtonStrip(button)))});
    return files;
}

void LayOutLauncherFolder(const std::string& folder, const std::vector<DataFile>& files) {
    namespace fs = std::filesystem;
    for (const DataFile& file : files) {
        const fs::path path = fs::path(folder) / file.name;
        fs::create_directories(path.parent_path());
        WriteFile(path.string(), file.bytes);
    }
}

}  // namespace assets

// The launcher's picture, drawn whole every frame: the background, the marks of the current slot
// and of the field being edited, the texts in the program's font, then the buttons.
#include <cstdio>
#include <string>

#include "base/app_globals.h"
#include "launcher/launcher_layout.h"
#include "launcher/launcher_screen.h"
#include "platform/api/qz.h"
#include "platform/api/user.h"
#include "canvas/screen_image.h"
#include "screen/button_group.h"
#include "surface/surface.h"

namespace {

using launcher::Area;

void FillArea(LPDIRECTDRAWSURFACE7 target, const Area& area, int red, int green, int blue) {
    DDBLTFX fx{};
    fx.dwSize = sizeof fx;
    fx.dwFillColor = static_cast<DWORD>(PackRGB(target, red, green, blue));
    RECT rect{area.x, area.y, area.x + area.width, area.y + area.height};
    target->Blt(&rect, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx);
}

// A one-pixel frame just inside the area.
void FrameArea(LPDIRECTDRAWSURFACE7 target, const Area& a, int red, int green, int blue) {
    for (const Area& side : {Area{a.x, a.y, a.width, 1}, Area{a.x, a.y + a.height - 1, a.width, 1},
                             Area{a.x, a.y, 1, a.height}, Area{a.x + a.width - 1, a.y, 1, a.height}})
        FillArea(target, side, red, green, blue);
}

// Texts sit 6 pixels into their row, so that the 14-pixel font is centred in the 26-pixel rows.
void Print(const std::string& text, int x, int y) { QZPrintString(text.c_str(), x, y + 6); }

std::string FameLine(const FameRow& row) {
    char line[64];
    if (row.empty) std::snprintf(line, sizeof line, "%2d  -", row.rank);
    else
        std::snprintf(line, sizeof line, "%2d %-*.*s %7d", row.rank, launcher::kFameNameChars, launcher::kFameNameChars,
                      row.name.c_str(), row.score);
    return line;
}

void DrawFame(const FameTable& fame) {
    for (std::size_t i = 0; i < fame.rows.size(); ++i)
        QZPrintString(FameLine(fame.rows[i]).c_str(), launcher::kFameLeft,
                      launcher::kFameTop + static_cast<int>(i) * launcher::kFamePitch);
    char route[64];
    if (fame.perfectMoves >= 0) std::snprintf(route, sizeof route, "Perfect route: %d moves", fame.perfectMoves);
    else std::snprintf(route, sizeof route, "No perfect route yet");
    QZPrintString(route, launcher::kFameLeft, launcher::kRouteTop);
}

// The world's rows where the game's own stand, and on the last line what the table is, or why
// there is none.
void DrawWorld(const WorldTable& world) {
    for (int i = 0; i < 20; ++i) {
        const std::size_t row = static_cast<std::size_t>(i);
        const FameRow shown = row < world.rows.size() ? world.rows[row] : FameRow{i + 1, "", 0, true};
        QZPrintString(FameLine(shown).c_str(), launcher::kFameLeft, launcher::kFameTop + i * launcher::kFamePitch);
    }
    const char* state = world.state == WorldTable::State::kNoServer  ? "World table: no server"
                        : world.state == WorldTable::State::kAsking  ? "World table: loading"
                        : world.state == WorldTable::State::kOffline ? "World table: offline"
                                                                     : "World table; click for yours";
    QZPrintString(state, launcher::kFameLeft, launcher::kRouteTop);
}

}  // namespace

void LauncherScreen::Draw() {
    LPDIRECTDRAWSURFACE7 target = g_lpBackSurface;
    if (backgroundImage_ != nullptr) backgroundImage_->Draw(target, 0, 0);
    else FillSurface(target, 0);
    for (int slot = 0; slot < PlayerSettings::kPlayers; ++slot) {
        if (slot == options_.Current()) FillArea(target, launcher::SlotArea(slot), 0xa0, 0x6a, 0x20);
        const std::string name = options_.SlotUsed(slot) ? options_.Player(slot).name : "(empty)";
        Print(std::to_string(slot + 1) + " " + name.substr(0, 28), launcher::kSlotLeft + 6, launcher::SlotArea(slot).y);
    }
    DrawFields(target);
    DrawMazeChoice(target);
    if (showWorld_) DrawWorld(world_);
    else DrawFame(fame_);
    const launcher::ButtonPlace& music = launcher::kButtons[0];
    const launcher::ButtonPlace& effects = launcher::kButtons[1];
    const int gap = launcher::kButtonWidth + launcher::kSwitchStateGap;
    Print(options_.Music() ? "on" : "off", music.x + gap, music.y + 4);
    Print(options_.Effects() ? "on" : "off", effects.x + gap, effects.y + 4);
    // With nothing to report, the status line says how the fields are used: nothing else shows that
    // they take typing.
    const char* hint = Editing() < 0 ? "Click a field to type; Return keeps it." : "Return keeps it, Escape drops it.";
    QZPrintString(status_.empty() ? hint : status_.c_str(), launcher::kStatusLeft, launcher::kStatusTop);
    if (buttonGroup_ != nullptr) buttonGroup_->RedrawAll();
}

// Each choice on a chip of its own, the chosen one lit; while a number is typed, the numbers a
// maze may have stand where the recent ones were.
void LauncherScreen::DrawMazeChoice(LPDIRECTDRAWSURFACE7 target) {
    const auto chip = [target](const Area& area, bool lit, const std::string& text) {
        if (lit) FillArea(target, area, 0xa0, 0x6a, 0x20);
        else FillArea(target, area, 0x3b, 0x24, 0x13);
        QZPrintString(text.c_str(), area.x + 6, area.y + 4);
    };
    const MazeChoice::Kind kind = maze_.Chosen();
    chip(launcher::kClassicChip, kind == MazeChoice::Kind::Classic, "Classic");
    chip(launcher::kTodayChip, kind == MazeChoice::Kind::Today, "Today " + std::to_string(maze_.Today()));
    const bool typing = Editing() == kMazeField;
    const std::string number = typing                             ? field_.Text() + "_"
                               : kind == MazeChoice::Kind::Number ? std::to_string(maze_.Number())
                                                                  : "";
    chip(launcher::kNumberChip, kind == MazeChoice::Kind::Number || typing, "No. " + number);
    if (typing) {
        const int typed = static_cast<int>(sizeof "No. " - 1 + field_.Text().size());
        SetCaretPos(launcher::kNumberChip.x + 6 + typed * launcher::kCharWidth, launcher::kNumberChip.y + 2);
        chip({launcher::RecentChip(0).x, launcher::RecentChip(0).y, 224, 22}, false, "1 to 99999999");
        return;
    }
    for (std::size_t i = 0; i < maze_.Recent().size(); ++i)
        chip(launcher::RecentChip(static_cast<int>(i)), false, std::to_string(maze_.Recent()[i]));
}

void LauncherScreen::DrawFields(LPDIRECTDRAWSURFACE7 target) {
    static constexpr const char* kLabels[] = {"Name", "Address", "E-mail", "Send"};
    const int current = options_.Current();
    const bool used = options_.SlotUsed(current);
    const PlayerRecord& record = options_.Player(current);
    const std::string values[] = {used ? record.name : "", used ? record.address : "", used ? record.email : "",
                                  used && record.send[0] != 'Y' ? "no" : "yes"};
    for (int field = 0; field < launcher::kFieldCount; ++field) {
        const Area area = launcher::FieldArea(field);
        const Area value = launcher::FieldValueArea(field);
        Print(kLabels[field], area.x + 6, area.y);
        // The text fields are boxed, so that they look like places to type.
        if (field < launcher::kTextFields) FrameArea(target, value, 0xc8, 0x9a, 0x50);
        if (field != Editing()) {
            Print(values[field].substr(0, launcher::kFieldVisibleChars), launcher::kFieldValueLeft, area.y);
            continue;
        }
        // The caret stays in view: the text scrolls left once it passes the field's end.
        FillArea(target, {value.x + 1, value.y + 1, value.width - 2, value.height - 2}, 0x5a, 0x3a, 0x1c);
        const std::size_t caret = field_.Caret();
        const std::size_t first = caret > launcher::kFieldVisibleChars ? caret - launcher::kFieldVisibleChars : 0;
        Print(field_.Text().substr(first, launcher::kFieldVisibleChars), launcher::kFieldValueLeft, area.y);
        const int caretX = launcher::kFieldValueLeft + static_cast<int>(caret - first) * launcher::kCharWidth - 1;
        FillArea(target, {caretX, area.y + 4, 2, 18}, 0xff, 0xe5, 0x94);
        SetCaretPos(caretX, area.y + 4);
    }
}

// Where things lie on the launcher's 800x600 screen. The asset generator paints the panels and
// buttons at these places; the numbers are repeated there, as the generator uses no game code.
#pragma once

namespace launcher {

struct Area {
    int x, y, width, height;
    bool Contains(int px, int py) const { return px >= x && py >= y && px < x + width && py < y + height; }
};

// The font draws 12 pixels a character, 14 high.
inline constexpr int kCharWidth = 12;

// The players panel: eight slot rows, then the current player's fields.
inline constexpr int kSlotLeft = 32;
inline constexpr int kSlotTop = 118;
inline constexpr int kSlotPitch = 30;
inline constexpr int kSlotWidth = 360;
inline constexpr Area SlotArea(int slot) { return {kSlotLeft, kSlotTop + slot * kSlotPitch, kSlotWidth, 26}; }

// Name, address, e-mail, then the send flag.
inline constexpr int kFieldCount = 4;
inline constexpr int kFieldTop = 370;
inline constexpr int kFieldPitch = 30;
inline constexpr int kFieldValueLeft = 134;
inline constexpr Area FieldArea(int field) { return {kSlotLeft, kFieldTop + field * kFieldPitch, kSlotWidth, 26}; }
// The first three take text; the send flag is switched by a click.
inline constexpr int kTextFields = 3;
// Where a field's value is shown, boxed for the text fields.
inline constexpr Area FieldValueArea(int field) {
    return {kFieldValueLeft - 4, FieldArea(field).y, kSlotLeft + kSlotWidth - kFieldValueLeft + 4, 26};
}
// What a field shows of its value: the rest is there, scrolled with the caret.
inline constexpr int kFieldVisibleChars = (kSlotLeft + kSlotWidth - kFieldValueLeft) / kCharWidth - 1;

// The hall of fame panel.
inline constexpr int kFameLeft = 424;
inline constexpr int kFameTop = 116;
inline constexpr int kFamePitch = 18;
inline constexpr int kFameNameChars = 15;
inline constexpr int kRouteTop = 482;
// A click anywhere on the panel switches it between this game's table and the world's.
inline constexpr Area kFamePanel{414, 80, 370, 420};

// The status line between the panels and the buttons.
inline constexpr int kStatusLeft = 24;
inline constexpr int kStatusTop = 512;

// The maze choice, on either side of the title: Classic and Today's maze on the left, the number
// field and the mazes played lately on the right.
inline constexpr Area kClassicChip{8, 10, 96, 22};
inline constexpr Area kTodayChip{8, 36, 180, 22};
inline constexpr Area kNumberChip{548, 10, 156, 22};
inline constexpr Area RecentChip(int i) { return {548 + i * 116, 36, 108, 22}; }
inline constexpr int kNumberDigits = 8;

// The buttons along the bottom; the switches show their state to the right of their sign.
struct ButtonPlace {
    const char* name;
    const char* file;
    int x, y;
};
inline constexpr ButtonPlace kButtons[] = {
    {"music", "..\\portico\\music.bmp", 20, 540},  {"effects", "..\\portico\\effects.bmp", 190, 540},
    {"clear", "..\\portico\\clear.bmp", 360, 540}, {"play", "..\\portico\\play.bmp", 530, 540},
    {"quit", "..\\portico\\quit.bmp", 664, 540},
};
inline constexpr int kButtonWidth = 110;
inline constexpr int kButtonHeight = 46;
inline constexpr int kSwitchStateGap = 8;

}  // namespace launcher

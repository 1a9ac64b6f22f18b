// The graphics and input library the program imports: display set-up and flip, bitmap loading,
// keyboard and mouse state, and a small text font.
#pragma once

#include "platform/api/ddraw.h"
#include "platform/api/types.h"

void QZSetInstance(HINSTANCE instance);
void QZDebugEnable(int enable);

// Full screen at width x height x bits (the program passes 800, 600, 16). Non-zero on success.
int QZInitDirectX(HWND hwnd, int width, int height, int bits);
// Windowed, width x height in the desktop's format. Non-zero on success.
int QZInitDirectX(HWND hwnd, int width, int height);
// Tells the user why the last display set-up failed.
void QZPrintError();
void QZSetViewport(int x, int y, int width, int height);
LPDIRECTDRAW7 QZGetLPDD();
// The primary (what the display shows) and the back surface (what the program draws on).
void QZGetDDInfo(LPDIRECTDRAWSURFACE7* primary, LPDIRECTDRAWSURFACE7* back);
// Presents a copy of the back surface and leaves the back surface as it was. Presents at most once
// per 10 ms timer tick: a flip that comes before the next tick since the previous flip waits for it.
int QZFlip();
// Ends a frame that asked nothing of the back surface, when the flip before found nothing changed:
// paced as QZFlip, and the display is told that nothing changed without the back surface being read.
int QZFlipUnchanged();
// 1 when the last QZFlip found nothing changed on the back surface since the flip before.
int QZLastFlipUnchanged();
void QZSetWindowXY(int x, int y);
// How the picture fills a window or screen of another size: "fit", "integer" or "stretch", and the
// filter "sharp", "nearest" or "linear". 0 for a name not known, which leaves the setting as it was.
int QZSetScaleMode(const char* name);
int QZSetScaleFilter(const char* name);
// The window's size when not in full screen (the picture is scaled into it); ignored without a
// window that can change size.
void QZSetWindowSize(int width, int height);
// Asks the next QZFlip to store the picture it presents as a new PNG file at `file` (a native
// path), never replacing a file or following a link there: when the name is taken, "-2", "-3" and
// so on go before its extension. QZSavedPicture then says how that went: 1 written, 2 written and
// offered to the player as a download (where the player cannot reach the file, as in the
// browser), 0 failed, -1 nothing asked or not yet presented; QZSavedPictureFile the path written or
// last tried.
void QZSaveNextPicture(const char* file);
int QZSavedPicture();
const char* QZSavedPictureFile();

// A Windows BMP (1, 4, 8, 16, 24 or 32 bits; uncompressed, bit fields, RLE4, RLE8; either row
// order) as a new surface, or null. In the display's format, every colour truncated as PackRGB
// packs it; with bits 8, only palettised files load, each pixel keeping its palette index.
LPDIRECTDRAWSURFACE7 QZLoadBitmap(const char* file);
LPDIRECTDRAWSURFACE7 QZLoadBitmap(const char* file, int bits);
// Why QZLoadBitmap(file, bits) gives no surface: QZ_BITMAP_OK when the file would load. Reads the
// file again, so it is for telling the user, not for every load. No file, or bits other than 8 and
// 16, read as QZ_BITMAP_UNREADABLE.
inline constexpr int QZ_BITMAP_OK = 0;
inline constexpr int QZ_BITMAP_UNREADABLE = 1;      // missing, or cannot be read
inline constexpr int QZ_BITMAP_DAMAGED = 2;         // not a well-formed picture of a kind we read
inline constexpr int QZ_BITMAP_TOO_LARGE = 3;       // asks for more than the library allows
inline constexpr int QZ_BITMAP_NOT_PALETTISED = 4;  // 8 bits asked of a picture without a palette
int QZCheckBitmap(const char* file, int bits);
// Bit counts of the red, green, blue and alpha masks of a pixel format.
void QZGetRGBABits(DDPIXELFORMAT* format, int* red, int* green, int* blue, int* alpha);

int QZInitMouse();
int QZInitKeyboard();
// 1 takes the mouse, 0 releases it; a released mouse reports no buttons.
int QZAcquireMouse(int acquire);
// Safe to call from any thread. Only the button bits (1 left, 2 right) are meaningful; a press and
// release that both came since the previous call still read as down once.
int QZGetMouseData(int* x, int* y, int* buttons);
// The same, and with them the presses of the left and right buttons since the previous call: each
// press once, however short (a press and release between two calls) or long (a held button).
int QZGetMouseData(int* x, int* y, int* buttons, int* leftPresses, int* rightPresses);
// 256 bytes by keyboard scan code (DIK_*), bit 7 set while the key is down; null before
// QZInitKeyboard or after QZFreeDirectInput.
unsigned char* QZGetKeys();

int QZInitFont(HWND hwnd);
// Draws the text on the back surface with its top-left corner at (x, y).
void QZPrintString(const char* text, int x, int y);
void QZFreeFont();
void QZFreeDirectInput();
void QZFreeDirectX();

// Keyboard scan codes, as the key state of QZGetKeys indexes them.
inline constexpr int DIK_ESCAPE = 0x01;
inline constexpr int DIK_1 = 0x02;
inline constexpr int DIK_0 = 0x0B;
inline constexpr int DIK_BACK = 0x0E;
inline constexpr int DIK_TAB = 0x0F;
inline constexpr int DIK_Q = 0x10;
inline constexpr int DIK_RETURN = 0x1C;
inline constexpr int DIK_LCONTROL = 0x1D;
inline constexpr int DIK_A = 0x1E;
inline constexpr int DIK_LSHIFT = 0x2A;
inline constexpr int DIK_Z = 0x2C;
inline constexpr int DIK_RSHIFT = 0x36;
inline constexpr int DIK_LMENU = 0x38;
inline constexpr int DIK_SPACE = 0x39;
inline constexpr int DIK_F1 = 0x3B;
inline constexpr int DIK_F10 = 0x44;
inline constexpr int DIK_F11 = 0x57;
inline constexpr int DIK_F12 = 0x58;
inline constexpr int DIK_RCONTROL = 0x9D;
inline constexpr int DIK_RMENU = 0xB8;
inline constexpr int DIK_UP = 0xC8;
inline constexpr int DIK_LEFT = 0xCB;
inline constexpr int DIK_RIGHT = 0xCD;
inline constexpr int DIK_DOWN = 0xD0;

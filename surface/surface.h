// The drawing code's tools for DirectDraw surfaces: packing colours into a surface's 16-bit
// format, transparent colours, single pixels, off-screen surfaces, frames cut from a picture and
// copies clipped to their target. Nothing here keeps state; every call asks the surface itself for
// its size, pitch and format.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "platform/api/ddraw.h"
#include "base/object_list.h"

// The colour (each channel 0..255) as a pixel of the surface's format, every channel truncated to
// its width. The format is read anew on every call, so pack once per colour, not per pixel.
int PackRGB(LPDIRECTDRAWSURFACE7 surface, int red, int green, int blue);
// Makes the packed colour the surface's source colour key.
void SetColorKeyRGB(LPDIRECTDRAWSURFACE7 surface, int red, int green, int blue);

// Single pixels, one lock each. An 8-bit surface reads as its palette index; writes are always 16
// bits wide, counted in 16-bit steps along the row, also on 8-bit surfaces. Outside the surface,
// or when it cannot be locked, a read gives 0 and a write does nothing and gives 0; so does a
// write to an 8-bit surface that would pass the surface's last byte.
int ReadPixel(LPDIRECTDRAWSURFACE7 surface, int x, int y);

// The same reads and writes under one lock, for many pixels in a row: while this lives the
// surface can be neither locked again nor blitted, so let it go before anything else draws.
class LockedPixels {
public:
    explicit LockedPixels(LPDIRECTDRAWSURFACE7 surface);
    // For reads only: the surface does not count as changed (Write then does nothing and gives 0).
    struct ReadOnly {};
    LockedPixels(LPDIRECTDRAWSURFACE7 surface, ReadOnly);
    // Only `area` (clipped to the surface) is locked and counts as changed: pixels outside it read
    // as 0 and are not written. An 8-bit surface, whose writes reach past the pixel they name, is
    // locked whole.
    LockedPixels(LPDIRECTDRAWSURFACE7 surface, const RECT& area);
    ~LockedPixels();
    LockedPixels(const LockedPixels&) = delete;
    LockedPixels& operator=(const LockedPixels&) = delete;

    // Defined here, so that a move's thousands of reads are inlined where they are made.
    int Read(int x, int y) const {
        if (!Holds(x, y)) return 0;
        const auto* base = static_cast<const BYTE*>(desc_.lpSurface);
        if (desc_.ddpfPixelFormat.dwRGBBitCount == 8)
            return base[static_cast<std::size_t>(desc_.lPitch) * y + x];  // locked whole
        std::uint16_t value;
        std::memcpy(&value, base + WordOffset(x, y), sizeof(value));
        return value;
    }
    // The square of four pixels whose top left is (x, y), as Read gives them, in the order (x, y),
    // (x + 1, y), (x + 1, y + 1), (x, y + 1). A move reads the 8-bit map a square at a time, thousands
    // of them: one bounds check and two rows for the four.
    void ReadSquare(int x, int y, int values[4]) const {
        if (desc_.ddpfPixelFormat.dwRGBBitCount == 8 && Holds(x, y) && Holds(x + 1, y + 1)) {
            const BYTE* top = static_cast<const BYTE*>(desc_.lpSurface) + static_cast<std::size_t>(desc_.lPitch) * y +
                              x;
            const BYTE* below = top + desc_.lPitch;
            values[0] = top[0];
            values[1] = top[1];
            values[2] = below[1];
            values[3] = below[0];
            return;
        }
        values[0] = Read(x, y);
        values[1] = Read(x + 1, y);
        values[2] = Read(x + 1, y + 1);
        values[3] = Read(x, y + 1);
    }
    int Write(int x, int y, int value);

private:
    LockedPixels(LPDIRECTDRAWSURFACE7 surface, DWORD flags);
    void LockWhole(DWORD flags);
    bool Holds(int x, int y) const {
        return locked_ && x >= area_.left && y >= area_.top && x < area_.right && y < area_.bottom;
    }
    // Byte offset of the 16-bit value at (x, y), counted in 16-bit steps as on every surface.
    std::size_t WordOffset(int x, int y) const {
        return 2 * (static_cast<std::size_t>(desc_.lPitch / 2) * (y - area_.top) + (x - area_.left));
    }

    LPDIRECTDRAWSURFACE7 surface_;
    DDSURFACEDESC desc_;
    // What is locked, in the surface's coordinates; desc_.lpSurface is its first pixel.
    RECT area_{};
    bool locked_ = false;
    bool writable_ = true;
};

// The first pixel of the locked surface, and its description when `desc` is not null; null (and
// `desc` untouched) when the surface cannot be locked. Walk the rows by the description's pitch.
void* LockSurface(LPDIRECTDRAWSURFACE7 surface, LPDDSURFACEDESC desc);
void UnlockSurface(LPDIRECTDRAWSURFACE7 surface);

// A new surface in the display's format with black (0) as its transparent colour, owned by the
// caller; null without a display or when the surface cannot be made.
LPDIRECTDRAWSURFACE7 CreateOffscreenSurface(int width, int height);
// Fills the whole surface, or one area of it, with the low 16 bits of the value.
void FillSurface(LPDIRECTDRAWSURFACE7 surface, DWORD value);
void FillArea(LPDIRECTDRAWSURFACE7 surface, const RECT& area, DWORD value);
// 0 x 0 for a null surface. Either pointer may be null.
void GetSurfaceSize(LPDIRECTDRAWSURFACE7 surface, int* width, int* height);
// The rectangle of the surface's size centred in the box (x, y, width, height), halves truncated.
void CenterRect(LPDIRECTDRAWSURFACE7 surface, int x, int y, int width, int height, RECT* rect);

// Cuts the picture into as many whole frameWidth x frameHeight frames as fit, row by row and left
// to right, appending each as a new surface keyed to pure blue; a strip too narrow or too short for
// a frame is left out. Reports the number of columns when asked. 0 when a frame surface cannot be
// made (the frames made so far stay in the list), or for a null picture or list or a frame side
// below 1; otherwise 1.
int CutFramesFromSurface(LPDIRECTDRAWSURFACE7 source, ObjectList<IDirectDrawSurface>* frames, int frameWidth,
                         int frameHeight, int* columns);

// Copies the source rectangle (sx, sy, width, height) so that its top-left corner lands on (x, y)
// of the target, clipped to the target; the source rectangle shrinks with the clipping. Flags -1
// make a transparent copy (DDBLT_KEYSRC | DDBLT_WAIT); other flags go to Blt as they are. A copy
// that falls wholly off the target gives Blt an empty rectangle, which it refuses.
HRESULT BlitRect(LPDIRECTDRAWSURFACE7 source, int sx, int sy, int width, int height, LPDIRECTDRAWSURFACE7 target, int x,
                 int y, int flags);
// BlitRect with the whole source.
HRESULT BlitSurface(LPDIRECTDRAWSURFACE7 source, LPDIRECTDRAWSURFACE7 target, int x, int y, int flags);

// Kept for a complete interface; unused by this game.
// The single-pixel write beside ReadPixel; returns the 16-bit value that was there.
int WritePixel(LPDIRECTDRAWSURFACE7 surface, int x, int y, int value);
// CutFramesFromSurface for a bitmap file, which is loaded for the cutting and released afterwards;
// 0 when it cannot be loaded.
int CutFramesFromFile(const char* file, ObjectList<IDirectDrawSurface>* frames, int frameWidth, int frameHeight,
                      int* columns);

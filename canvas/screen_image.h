// One named picture loaded into a surface of the display's format, with the place it is drawn at.
// Its transparent colour is pure blue unless told otherwise.
#pragma once

#include "platform/api/ddraw.h"

class ScreenImage {
public:
    ScreenImage() { name[0] = '\0'; }
    explicit ScreenImage(const char* file);
    ~ScreenImage();
    ScreenImage(const ScreenImage&) = delete;
    ScreenImage& operator=(const ScreenImage&) = delete;

    // Loads the bitmap at 16 bits, replacing any picture held before. On success the name becomes
    // the file name; on failure the image holds no surface and keeps its name. Returns the surface.
    LPDIRECTDRAWSURFACE7 LoadFile(const char* file);
    // The same at 8 (palettised) or 16 bits.
    LPDIRECTDRAWSURFACE7 LoadFileDepth(const char* file, int bits);
    // Null gives an empty name; longer names are cut to 255 characters.
    void SetName(const char* text);
    void SetKeyColor(int red, int green, int blue);
    // Copies the whole picture with its top-left corner at (x, y), clipped, transparent pixels
    // skipped; 0 without a surface.
    int Draw(LPDIRECTDRAWSURFACE7 target, int x, int y);

    char name[256];
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    LPDIRECTDRAWSURFACE7 surface = nullptr;

private:
    void ReleaseSurface();
};

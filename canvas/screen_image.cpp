#include "canvas/screen_image.h"

#include <cstdio>

#include "platform/api/qz.h"
#include "surface/surface.h"

ScreenImage::ScreenImage(const char* file) : ScreenImage() {
    if (file == nullptr) return;
    LoadFile(file);
}

ScreenImage::~ScreenImage() { ReleaseSurface(); }

LPDIRECTDRAWSURFACE7 ScreenImage::LoadFile(const char* file) { return LoadFileDepth(file, 16); }

LPDIRECTDRAWSURFACE7 ScreenImage::LoadFileDepth(const char* file, int bits) {
    ReleaseSurface();
    if (file == nullptr) return nullptr;
    surface = QZLoadBitmap(file, bits);
    if (surface == nullptr) return nullptr;
    SetColorKeyRGB(surface, 0, 0, 255);
    SetName(file);
    GetSurfaceSize(surface, &width, &height);
    return surface;
}

void ScreenImage::SetName(const char* text) { std::snprintf(name, sizeof name, "%s", text != nullptr ? text : ""); }

void ScreenImage::SetKeyColor(int red, int green, int blue) { SetColorKeyRGB(surface, red, green, blue); }

int ScreenImage::Draw(LPDIRECTDRAWSURFACE7 target, int atX, int atY) {
    if (surface == nullptr) return 0;
    BlitSurface(surface, target, atX, atY, -1);
    return 1;
}

void ScreenImage::ReleaseSurface() {
    if (surface != nullptr) surface->Release();
    surface = nullptr;
    width = 0;
    height = 0;
}

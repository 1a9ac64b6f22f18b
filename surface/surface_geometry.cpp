// Sizes and placement of surfaces.
#include "surface/surface.h"

void GetSurfaceSize(LPDIRECTDRAWSURFACE7 surface, int* width, int* height) {
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof(desc);
    if (surface == nullptr || FAILED(surface->GetSurfaceDesc(&desc))) desc.dwWidth = desc.dwHeight = 0;
    if (width != nullptr) *width = static_cast<int>(desc.dwWidth);
    if (height != nullptr) *height = static_cast<int>(desc.dwHeight);
}

void CenterRect(LPDIRECTDRAWSURFACE7 surface, int x, int y, int width, int height, RECT* rect) {
    if (rect == nullptr) return;
    int w = 0;
    int h = 0;
    GetSurfaceSize(surface, &w, &h);
    rect->left = x + width / 2 - w / 2;
    rect->top = y + height / 2 - h / 2;
    rect->right = rect->left + w;
    rect->bottom = rect->top + h;
}

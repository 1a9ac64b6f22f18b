// Off-screen surfaces and whole-surface fills.
#include "platform/api/qz.h"
#include "surface/surface.h"

LPDIRECTDRAWSURFACE7 CreateOffscreenSurface(int width, int height) {
    LPDIRECTDRAW7 dd = QZGetLPDD();
    if (dd == nullptr || width <= 0 || height <= 0) return nullptr;
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof(desc);
    desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    desc.dwWidth = static_cast<DWORD>(width);
    desc.dwHeight = static_cast<DWORD>(height);
    desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
    LPDIRECTDRAWSURFACE7 surface = nullptr;
    if (FAILED(dd->CreateSurface(&desc, &surface, nullptr))) return nullptr;
    DDCOLORKEY black{0, 0};
    surface->SetColorKey(DDCKEY_SRCBLT, &black);
    return surface;
}

void FillSurface(LPDIRECTDRAWSURFACE7 surface, DWORD value) {
    if (surface == nullptr) return;
    DDBLTFX fx{};
    fx.dwSize = sizeof(fx);
    fx.dwFillColor = value & 0xFFFF;
    surface->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx);
}

void FillArea(LPDIRECTDRAWSURFACE7 surface, const RECT& area, DWORD value) {
    if (surface == nullptr) return;
    DDBLTFX fx{};
    fx.dwSize = sizeof(fx);
    fx.dwFillColor = value & 0xFFFF;
    RECT to = area;
    surface->Blt(&to, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx);
}

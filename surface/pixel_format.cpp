// Colours packed into a surface's pixel format.
#include "platform/api/qz.h"
#include "surface/surface.h"

int PackRGB(LPDIRECTDRAWSURFACE7 surface, int red, int green, int blue) {
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof(desc);
    if (surface == nullptr || FAILED(surface->GetSurfaceDesc(&desc))) return 0;
    int redBits = 0;
    int greenBits = 0;
    int blueBits = 0;
    int alphaBits = 0;
    QZGetRGBABits(&desc.ddpfPixelFormat, &redBits, &greenBits, &blueBits, &alphaBits);
    // The channels are taken to lie red, green, blue from the top bit down with no gaps; the masks
    // themselves are not consulted.
    const int packed = ((red >> (8 - redBits)) << (greenBits + blueBits)) + ((green >> (8 - greenBits)) << blueBits) +
                       (blue >> (8 - blueBits));
    return packed & 0xFFFF;
}

void SetColorKeyRGB(LPDIRECTDRAWSURFACE7 surface, int red, int green, int blue) {
    if (surface == nullptr) return;
    const auto packed = static_cast<DWORD>(PackRGB(surface, red, green, blue));
    DDCOLORKEY key{packed, packed};
    surface->SetColorKey(DDCKEY_SRCBLT, &key);
}

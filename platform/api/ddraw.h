// DirectDraw as the program uses it: in-memory surfaces of 16 bits (5-6-5 or 5-5-5) or 8 bits with a
// palette, surface descriptions, locks, source colour keys, device contexts and Blt with colour
// fill, colour key and nearest-neighbour stretching.
//
// Blt rejects, with DDERR_INVALIDRECT and nothing drawn, a rectangle that is empty, inverted or not
// wholly inside its surface; the drawing code relies on that to drop copies that fall off the target.
#pragma once

#include "platform/api/types.h"

inline constexpr HRESULT MakeDdHresult(std::uint32_t code) { return MakeHresult(0x88760000u | code); }

inline constexpr HRESULT DD_OK = S_OK;
inline constexpr HRESULT DDERR_GENERIC = E_FAIL;
inline constexpr HRESULT DDERR_INVALIDPARAMS = E_INVALIDARG;
inline constexpr HRESULT DDERR_OUTOFMEMORY = E_OUTOFMEMORY;
inline constexpr HRESULT DDERR_UNSUPPORTED = MakeHresult(0x80004001u);
inline constexpr HRESULT DDERR_INVALIDOBJECT = MakeDdHresult(130);
inline constexpr HRESULT DDERR_INVALIDPIXELFORMAT = MakeDdHresult(145);
inline constexpr HRESULT DDERR_INVALIDRECT = MakeDdHresult(150);
inline constexpr HRESULT DDERR_NOCOLORKEY = MakeDdHresult(215);
inline constexpr HRESULT DDERR_SURFACEBUSY = MakeDdHresult(430);
inline constexpr HRESULT DDERR_NOPALETTEATTACHED = MakeDdHresult(572);
inline constexpr HRESULT DDERR_NOTLOCKED = MakeDdHresult(584);
inline constexpr HRESULT DDERR_DCALREADYCREATED = MakeDdHresult(620);
inline constexpr HRESULT DDERR_NODC = MakeDdHresult(581);

// Pixel format
inline constexpr DWORD DDPF_ALPHAPIXELS = 0x00000001u;
inline constexpr DWORD DDPF_PALETTEINDEXED8 = 0x00000020u;
inline constexpr DWORD DDPF_RGB = 0x00000040u;

struct DDPIXELFORMAT {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwFourCC;
    DWORD dwRGBBitCount;
    DWORD dwRBitMask;
    DWORD dwGBitMask;
    DWORD dwBBitMask;
    DWORD dwRGBAlphaBitMask;
};

struct DDCOLORKEY {
    DWORD dwColorSpaceLowValue;
    DWORD dwColorSpaceHighValue;
};

struct DDSCAPS {
    DWORD dwCaps;
};

inline constexpr DWORD DDSCAPS_BACKBUFFER = 0x00000004u;
inline constexpr DWORD DDSCAPS_COMPLEX = 0x00000008u;
inline constexpr DWORD DDSCAPS_FLIP = 0x00000010u;
inline constexpr DWORD DDSCAPS_OFFSCREENPLAIN = 0x00000040u;
inline constexpr DWORD DDSCAPS_PRIMARYSURFACE = 0x00000200u;
inline constexpr DWORD DDSCAPS_SYSTEMMEMORY = 0x00000800u;

inline constexpr DWORD DDSD_CAPS = 0x00000001u;
inline constexpr DWORD DDSD_HEIGHT = 0x00000002u;
inline constexpr DWORD DDSD_WIDTH = 0x00000004u;
inline constexpr DWORD DDSD_PITCH = 0x00000008u;
inline constexpr DWORD DDSD_LPSURFACE = 0x00000800u;
inline constexpr DWORD DDSD_PIXELFORMAT = 0x00001000u;
inline constexpr DWORD DDSD_CKSRCBLT = 0x00010000u;

struct DDSURFACEDESC {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwHeight;
    DWORD dwWidth;
    LONG lPitch;
    DWORD dwBackBufferCount;
    DWORD dwRefreshRate;
    DWORD dwAlphaBitDepth;
    DWORD dwReserved;
    LPVOID lpSurface;
    DDCOLORKEY ddckCKDestOverlay;
    DDCOLORKEY ddckCKDestBlt;
    DDCOLORKEY ddckCKSrcOverlay;
    DDCOLORKEY ddckCKSrcBlt;
    DDPIXELFORMAT ddpfPixelFormat;
    DDSCAPS ddsCaps;
};
using DDSURFACEDESC2 = DDSURFACEDESC;
using LPDDSURFACEDESC = DDSURFACEDESC*;
using LPDDSURFACEDESC2 = DDSURFACEDESC*;

inline constexpr DWORD DDCKEY_SRCBLT = 0x00000008u;

inline constexpr DWORD DDLOCK_WAIT = 0x00000001u;
inline constexpr DWORD DDLOCK_READONLY = 0x00000010u;
inline constexpr DWORD DDLOCK_WRITEONLY = 0x00000020u;
inline constexpr DWORD DDLOCK_SURFACEMEMORYPTR = 0x00000000u;

inline constexpr DWORD DDBLT_COLORFILL = 0x00000400u;
inline constexpr DWORD DDBLT_KEYSRC = 0x00008000u;
inline constexpr DWORD DDBLT_WAIT = 0x01000000u;

struct DDBLTFX {
    DWORD dwSize;
    DWORD dwDDFX;
    DWORD dwFillColor;
};

struct PALETTEENTRY {
    BYTE peRed;
    BYTE peGreen;
    BYTE peBlue;
    BYTE peFlags;
};

class IDirectDrawPalette {
public:
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;
    virtual HRESULT GetEntries(DWORD flags, DWORD base, DWORD count, PALETTEENTRY* entries) = 0;
    virtual HRESULT SetEntries(DWORD flags, DWORD base, DWORD count, const PALETTEENTRY* entries) = 0;

protected:
    virtual ~IDirectDrawPalette() = default;
};
using LPDIRECTDRAWPALETTE = IDirectDrawPalette*;

class IDirectDrawSurface {
public:
    virtual ULONG AddRef() = 0;
    // Frees the surface when the last reference goes.
    virtual ULONG Release() = 0;
    // A null rectangle means the whole surface. Source and target must have the same pixel format.
    virtual HRESULT Blt(LPRECT destRect, IDirectDrawSurface* source, LPRECT sourceRect, DWORD flags, DDBLTFX* fx) = 0;
    // Only whole-surface locks (a null rectangle) are offered; a second lock fails with
    // DDERR_SURFACEBUSY until Unlock.
    virtual HRESULT Lock(LPRECT rect, LPDDSURFACEDESC desc, DWORD flags, HANDLE event) = 0;
    virtual HRESULT Unlock(LPRECT rect) = 0;
    virtual HRESULT GetSurfaceDesc(LPDDSURFACEDESC desc) = 0;
    virtual HRESULT GetPixelFormat(DDPIXELFORMAT* format) = 0;
    virtual HRESULT SetColorKey(DWORD flags, DDCOLORKEY* key) = 0;
    virtual HRESULT GetColorKey(DWORD flags, DDCOLORKEY* key) = 0;
    virtual HRESULT GetDC(HDC* dc) = 0;
    virtual HRESULT ReleaseDC(HDC dc) = 0;
    // 8-bit surfaces carry their palette; 16-bit ones have none.
    virtual HRESULT GetPalette(LPDIRECTDRAWPALETTE* palette) = 0;
    virtual HRESULT IsLost() = 0;
    virtual HRESULT Restore() = 0;

protected:
    virtual ~IDirectDrawSurface() = default;
};
using IDirectDrawSurface7 = IDirectDrawSurface;
using LPDIRECTDRAWSURFACE = IDirectDrawSurface*;
using LPDIRECTDRAWSURFACE7 = IDirectDrawSurface*;

inline constexpr IID IID_IDirectDraw = {0x6C14DB80, 0xA733, 0x11CE, {0xA5, 0x21, 0x00, 0x20, 0xAF, 0x0B, 0xE5, 0x60}};
inline constexpr IID IID_IDirectDraw7 = {0x15E65EC0, 0x3B9C, 0x11D2, {0xB9, 0x2F, 0x00, 0x60, 0x97, 0x97, 0xEA, 0x5B}};

inline constexpr DWORD DDSCL_NORMAL = 0x00000008u;
inline constexpr DWORD DDSCL_EXCLUSIVE = 0x00000010u;
inline constexpr DWORD DDSCL_FULLSCREEN = 0x00000001u;

class IDirectDraw {
public:
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;
    // IID_IDirectDraw and IID_IDirectDraw7 both answer with this object.
    virtual HRESULT QueryInterface(REFIID iid, LPVOID* object) = 0;
    // Without DDSD_PIXELFORMAT the surface takes the display's format. Supported formats: 16-bit
    // 5-6-5 and 5-5-5 RGB, and 8-bit palettised (which starts with an all-black palette).
    virtual HRESULT CreateSurface(LPDDSURFACEDESC desc, LPDIRECTDRAWSURFACE* surface, void* outer) = 0;
    // The display mode: size and pixel format of the surfaces the program draws on.
    virtual HRESULT GetDisplayMode(LPDDSURFACEDESC desc) = 0;
    virtual HRESULT SetCooperativeLevel(HWND hwnd, DWORD flags) = 0;

protected:
    virtual ~IDirectDraw() = default;
};
using IDirectDraw7 = IDirectDraw;
using LPDIRECTDRAW = IDirectDraw*;
using LPDIRECTDRAW7 = IDirectDraw*;

// Creates a DirectDraw object for the desktop's display format. `driver` must be null (the default).
HRESULT DirectDrawCreate(GUID* driver, LPDIRECTDRAW* object, void* outer);

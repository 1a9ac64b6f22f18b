// Display set-up and presentation. The back surface is an in-memory surface; a flip hands a copy
// of it to the backend and leaves it as it was, full screen or windowed alike.
#include <string>
#include <vector>

#include "platform/core/backend.h"
#include "platform/ddraw/ddraw_object.h"
#include "platform/ddraw/ddraw_surface.h"
#include "platform/api/qz.h"
#include "platform/api/user.h"
#include "platform/qz/picture_file.h"

namespace {

struct Display {
    LPDIRECTDRAW directDraw = nullptr;
    LPDIRECTDRAWSURFACE primary = nullptr;
    LPDIRECTDRAWSURFACE back = nullptr;
    platform::PixelLayout layout = platform::PixelLayout::Rgb565;
    bool flipped = false;
    std::uint64_t lastFlipTick = 0;
    // The last flip found nothing changed since the one before.
    bool lastUnchanged = false;
    std::string error;
    RECT viewport{0, 0, 0, 0};
    POINT windowOrigin{0, 0};
};

Display g_display;

LPDIRECTDRAWSURFACE CreateDisplaySurface(int width, int height, DWORD caps) {
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof desc;
    desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    desc.dwWidth = static_cast<DWORD>(width);
    desc.dwHeight = static_cast<DWORD>(height);
    desc.ddsCaps.dwCaps = caps;
    LPDIRECTDRAWSURFACE surface = nullptr;
    if (g_display.directDraw == nullptr) return nullptr;
    if (FAILED(g_display.directDraw->CreateSurface(&desc, &surface, nullptr))) return nullptr;
    return surface;
}

int InitDisplay(bool fullscreen, int width, int height, platform::PixelLayout layout) {
    QZFreeDirectX();
    platform::Backend& backend = platform::GetBackend();
    backend.Trace("QZInitDirectX");
    if (width <= 0 || height <= 0) {
        g_display.error = "The display size is not valid.";
        return 0;
    }
    if (!backend.OpenDisplay(fullscreen, width, height, &g_display.error)) return 0;
    g_display.layout = layout;
    g_display.directDraw = platform::CreateDirectDrawObject(layout);
    g_display.primary = CreateDisplaySurface(width, height, DDSCAPS_PRIMARYSURFACE);
    g_display.back = CreateDisplaySurface(width, height, DDSCAPS_BACKBUFFER);
    if (g_display.primary == nullptr || g_display.back == nullptr) {
        g_display.error = "The display surfaces could not be created.";
        QZFreeDirectX();
        return 0;
    }
    g_display.viewport = RECT{0, 0, width, height};
    return 1;
}

template <class T>
void ReleaseAndClear(T*& object) {
    if (object != nullptr) object->Release();
    object = nullptr;
}

}  // namespace

void QZSetInstance(HINSTANCE) {}

void QZDebugEnable(int) {}

int QZInitDirectX(HWND hwnd, int width, int height, int bits) {
    if (!IsWindow(hwnd)) return 0;
    return InitDisplay(true, width, height, bits == 15 ? platform::PixelLayout::Rgb555 : platform::PixelLayout::Rgb565);
}

int QZInitDirectX(HWND hwnd, int width, int height) {
    if (!IsWindow(hwnd)) return 0;
    const int desktopBits = platform::GetBackend().DesktopBitsPerPixel();
    return InitDisplay(false, width, height,
                       desktopBits == 15 ? platform::PixelLayout::Rgb555 : platform::PixelLayout::Rgb565);
}

void QZPrintError() {
    const std::string text = g_display.error.empty() ? std::string("The display could not be set up.")
                                                     : g_display.error;
    MessageBoxA(nullptr, text.c_str(), "Display", MB_OK | MB_ICONERROR);
}

void QZSetViewport(int x, int y, int width, int height) { g_display.viewport = RECT{x, y, x + width, y + height}; }

LPDIRECTDRAW7 QZGetLPDD() { return g_display.directDraw; }

void QZGetDDInfo(LPDIRECTDRAWSURFACE7* primary, LPDIRECTDRAWSURFACE7* back) {
    if (primary != nullptr) *primary = g_display.primary;
    if (back != nullptr) *back = g_display.back;
}

namespace {

// At most one picture per tick, as a display shows at most one per refresh.
void PaceFlip() {
    platform::Clock& clock = platform::GetBackend().GetClock();
    if (g_display.flipped && clock.CurrentTick() == g_display.lastFlipTick)
        clock.WaitForTickAfter(g_display.lastFlipTick);
    g_display.lastFlipTick = clock.CurrentTick();
    g_display.flipped = true;
}

}  // namespace

int QZFlip() {
    if (g_display.back == nullptr) return 0;
    PaceFlip();
    g_display.lastUnchanged = false;

    DDSURFACEDESC desc{};
    desc.dwSize = sizeof desc;
    if (FAILED(g_display.back->Lock(nullptr, &desc, DDLOCK_WAIT | DDLOCK_READONLY, nullptr))) return 0;
    // The display need only look at what has changed since the last flip.
    platform::DdSurface* back = platform::DdSurface::Of(g_display.back);
    const std::vector<RECT> changed = back != nullptr ? back->TakeChangedAreas() : std::vector<RECT>{};
    const platform::Picture picture{static_cast<const std::uint16_t*>(desc.lpSurface),
                                    desc.lPitch / 2,
                                    static_cast<int>(desc.dwWidth),
                                    static_cast<int>(desc.dwHeight),
                                    g_display.layout,
                                    back != nullptr ? &changed : nullptr};
    platform::GetBackend().Present(picture);
    platform::qz::SavePictureIfAsked(picture);
    g_display.back->Unlock(nullptr);
    g_display.lastUnchanged = back != nullptr && changed.empty();
    return 1;
}

int QZFlipUnchanged() {
    platform::DdSurface* back = platform::DdSurface::Of(g_display.back);
    if (back == nullptr || !g_display.lastUnchanged) return QZFlip();
    PaceFlip();
    // Locking would end the back surface's frame; with nothing changed, no backend reads a pixel.
    const std::vector<RECT> nothing;
    const platform::Picture picture{reinterpret_cast<const std::uint16_t*>(back->Row(0)),
                                    back->Pitch() / 2,
                                    static_cast<int>(back->Width()),
                                    static_cast<int>(back->Height()),
                                    g_display.layout,
                                    &nothing};
    platform::GetBackend().Present(picture);
    return 1;
}

int QZLastFlipUnchanged() { return g_display.lastUnchanged ? 1 : 0; }

void QZSetWindowXY(int x, int y) { g_display.windowOrigin = POINT{x, y}; }

void QZFreeDirectX() {
    const bool open = g_display.directDraw != nullptr;
    ReleaseAndClear(g_display.back);
    ReleaseAndClear(g_display.primary);
    ReleaseAndClear(g_display.directDraw);
    g_display.flipped = false;
    g_display.lastUnchanged = false;
    if (open) {
        platform::GetBackend().Trace("QZFreeDirectX");
        platform::GetBackend().CloseDisplay();
    }
}

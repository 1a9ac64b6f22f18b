#include "host/program_start.h"

#include "base/app_globals.h"
#include "platform/api/qz.h"
#include "platform/api/win32.h"
#include "screen/screen.h"
#include "screen/screen_manager.h"
#include "services/message_pump.h"
#include "services/pointer.h"
#include "services/tick_timer.h"
#include "surface/surface.h"

namespace host {
namespace {

bool g_startupStopped = false;

}  // namespace

void ShowStartupMessage(const char* text) {
    g_startupStopped = true;
    MessageBoxA(nullptr, text, nullptr, MB_ICONERROR);
}

int ExitStatus(int code) {
    const bool stopped = g_startupStopped;
    g_startupStopped = false;
    return stopped ? 1 : code;
}

bool CheckDesktopColour() {
    HDC screen = GetDC(nullptr);
    const int bits = GetDeviceCaps(screen, BITSPIXEL);
    ReleaseDC(nullptr, screen);
    if (bits == 15 || bits == 16) return true;
    ShowStartupMessage("Brightfen Games needs the display set to High Color (16 bit).");
    return false;
}

bool InitDisplay() {
    if (g_nFullScreen != 0) {
        if (!QZInitDirectX(g_hWnd, 800, 600, 16)) return false;
        QZSetViewport(0, 0, 800, 600);
    } else {
        if (!QZInitDirectX(g_hWnd, g_nWidth, g_nHeight)) {
            QZPrintError();
            return false;
        }
        QZSetViewport(0, 0, g_nWidth, g_nHeight);
    }
    LPDIRECTDRAWSURFACE7 primary = nullptr;
    g_lpDD = QZGetLPDD();
    QZGetDDInfo(&primary, &g_lpBackSurface);
    FillSurface(g_lpBackSurface, 0);
    return true;
}

void InitPointer() {
    g_Pointer.Init(nullptr);
    g_Pointer.SelectImage(0);
    g_Pointer.Hide();
    g_Pointer.SetPageFlipping(g_nFullScreen != 0);
    POINT cursor{0, 0};
    GetCursorPos(&cursor);
    g_Pointer.SetPosition(cursor.x, cursor.y);
    QZAcquireMouse(1);
}

int RunFrameLoop() {
    for (;;) {
        if (PumpMessages()) return 0;
        HDC dc = nullptr;
        if (g_lpBackSurface != nullptr && SUCCEEDED(g_lpBackSurface->GetDC(&dc))) g_lpBackSurface->ReleaseDC(dc);
        if (g_nActive != 0) {
            QZAcquireMouse(1);
            WaitForFrame(100);
            if (g_ScreenManager.Frame(g_nActive) == kFrameStop) {
                DestroyWindow(g_hWnd);
                return 0;
            }
        } else {
            QZAcquireMouse(0);
            // Nothing to draw while inactive; sleep until the next tick instead of spinning.
            WaitForNextTick();
        }
    }
}

}  // namespace host

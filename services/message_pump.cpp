#include "services/message_pump.h"

#include <cstdio>

#include "platform/api/qz.h"
#include "platform/api/win32.h"
#include "base/app_globals.h"
#include "services/key_event_ring.h"

namespace {
unsigned g_messagesTaken = 0;
}  // namespace

unsigned MessagesTaken() { return g_messagesTaken; }

int PumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ++g_messagesTaken;
        // The keyboard is sampled once for each message taken.
        g_KeyEventRing.Feed(QZGetKeys());
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return 1;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}

namespace {
char g_captionSuffix[64] = "";
}  // namespace

void SetWindowCaption(const char* text) {
    char caption[512];
    std::snprintf(caption, sizeof caption, "%s - %s%s%s", "Stalk Way", text != nullptr ? text : "",
                  g_captionSuffix[0] != '\0' ? " - " : "", g_captionSuffix);
    SetWindowTextA(g_hWnd, caption);
}

void SetCaptionSuffix(const char* suffix) {
    std::snprintf(g_captionSuffix, sizeof g_captionSuffix, "%s", suffix != nullptr ? suffix : "");
}

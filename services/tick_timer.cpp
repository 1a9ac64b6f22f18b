#include "services/tick_timer.h"

#include <atomic>
#include <cstdio>

#include "platform/api/qz.h"
#include "platform/api/win32.h"
#include "base/app_globals.h"
#include "canvas/compositor.h"
#include "services/debug_log.h"
#include "services/pointer.h"

float g_fFrameRate = 0.0f;

namespace {

constexpr UINT kPeriodMs = 10;

// Written by the timer thread, read by the main thread.
std::atomic<int> g_tickClock{0};

struct CallbackRecord {
    std::atomic<int>* counter;
    int step;
};
CallbackRecord g_callbackRecord{nullptr, 0};

UINT g_timerId = 0;
int g_nextFrameTime = 0;
// Set at every tick; the frame loop sleeps on it instead of spinning on the clock.
HANDLE g_tickEvent = nullptr;

// Without the multimedia timer the clock follows GetTickCount, counted from the failed start.
bool g_fallback = false;
DWORD g_fallbackStart = 0;
int g_fallbackSampled = 0;

// Where the frame rate is printed, and a box that holds any figure the font draws there (14
// pixels of glyph and a pixel of shadow high, to the right edge of the picture).
constexpr int kRateX = 580;
constexpr int kRateY = 0;
constexpr int kRateBoxWidth = 220;
constexpr int kRateBoxHeight = 16;
bool g_rateShown = false;

void OnTick() { g_Pointer.Tick(); }

void OnTimerEvent(UINT, UINT, DWORD_PTR user, DWORD_PTR, DWORD_PTR) {
    auto* record = reinterpret_cast<CallbackRecord*>(user);
    record->counter->fetch_add(record->step);
    OnTick();
    SetEvent(g_tickEvent);
}

void UseFallbackClock() {
    g_fallback = true;
    g_fallbackStart = GetTickCount();
    g_fallbackSampled = 0;
}

int FallbackClock() { return static_cast<int>((GetTickCount() - g_fallbackStart) / kPeriodMs * kPeriodMs); }

}  // namespace

int StartTickTimer() {
    // The clock counts from the start of the timer.
    g_tickClock = 0;
    g_nextFrameTime = 0;
    g_fallback = false;
    if (g_tickEvent == nullptr) g_tickEvent = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    TIMECAPS caps{};
    if (timeGetDevCaps(&caps, sizeof caps) != TIMERR_NOERROR || caps.wPeriodMin > kPeriodMs ||
        caps.wPeriodMax < kPeriodMs) {
        DebugLog("Unable to use timers on this system");
        UseFallbackClock();
        return 1;
    }
    if (timeBeginPeriod(kPeriodMs) != TIMERR_NOERROR) {
        UseFallbackClock();
        return 1;
    }
    g_callbackRecord = CallbackRecord{&g_tickClock, static_cast<int>(kPeriodMs)};
    g_timerId = timeSetEvent(kPeriodMs, 5, OnTimerEvent, reinterpret_cast<DWORD_PTR>(&g_callbackRecord), TIME_PERIODIC);
    if (g_timerId == 0) {
        timeEndPeriod(kPeriodMs);
        UseFallbackClock();
    }
    return 0;
}

int StopTickTimer() {
    if (g_timerId != 0) {
        timeKillEvent(g_timerId);
        timeEndPeriod(kPeriodMs);
    }
    g_timerId = 0;
    return 0;
}

void CatchUpTicks() {
    if (!g_fallback) return;
    const int now = FallbackClock();
    for (; g_fallbackSampled < now; g_fallbackSampled += kPeriodMs) OnTick();
}

int GetTickClock() {
    if (!g_fallback) return g_tickClock.load();
    CatchUpTicks();
    return FallbackClock();
}

int TicksSince(int earlier) { return GetTickClock() - earlier; }

void WaitForNextTick() {
    if (!g_fallback) {
        // The bound only matters if the timer stops while the loop still runs.
        WaitForSingleObject(g_tickEvent, 2 * kPeriodMs);
        return;
    }
    const int now = FallbackClock();
    Sleep(static_cast<DWORD>(now + kPeriodMs) - (GetTickCount() - g_fallbackStart));
}

void WaitForFrame(int framesPerSecond) {
    const int step = framesPerSecond > 0 ? 1000 / framesPerSecond : 0;
    while (g_nextFrameTime > GetTickClock()) WaitForNextTick();
    g_nextFrameTime = GetTickClock() + step;
    g_fFrameRate = static_cast<float>(framesPerSecond);
    if (g_nShowRate != 0) {
        char text[32];
        std::snprintf(text, sizeof text, "%5.2f", g_fFrameRate);
        QZPrintString(text, kRateX, kRateY);
        g_rateShown = true;
    } else if (g_rateShown) {
        // The text went straight onto the back surface; the compositor's background still holds
        // what lies beneath it, and nothing else would ever copy it back.
        g_Compositor.AddDirtyArea(kRateX, kRateY, kRateBoxWidth, kRateBoxHeight, kDirtyOneShot,
                                  kDirtyCopy | kDirtyBothPages);
        g_rateShown = false;
    }
}

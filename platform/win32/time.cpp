// The system tick count, Sleep, the time of day and the multimedia timer, all from the backend's
// clock so that they follow virtual time under the headless backend.
#include "platform/core/backend.h"
#include "platform/api/kernel.h"
#include "platform/api/mmsystem.h"

namespace {

platform::Clock& TheClock() { return platform::GetBackend().GetClock(); }

// The timer serves periods from 1 ms to 1000 s, as the system timer does.
constexpr UINT kPeriodMin = 1;
constexpr UINT kPeriodMax = 1000000;

}  // namespace

DWORD GetTickCount() { return TheClock().NowMs(); }

void Sleep(DWORD milliseconds) { TheClock().SleepMs(milliseconds); }

void GetSystemTimeAsFileTime(FILETIME* time) {
    if (time != nullptr) TheClock().TimeOfDay(time);
}

MMRESULT timeGetDevCaps(LPTIMECAPS caps, UINT size) {
    if (caps == nullptr || size < sizeof(TIMECAPS)) return TIMERR_NOCANDO;
    caps->wPeriodMin = kPeriodMin;
    caps->wPeriodMax = kPeriodMax;
    return TIMERR_NOERROR;
}

MMRESULT timeBeginPeriod(UINT period) {
    return period >= kPeriodMin && period <= kPeriodMax ? TIMERR_NOERROR : TIMERR_NOCANDO;
}

MMRESULT timeEndPeriod(UINT period) { return timeBeginPeriod(period); }

MMRESULT timeSetEvent(UINT delay, UINT, LPTIMECALLBACK callback, DWORD_PTR user, UINT flags) {
    if (callback == nullptr || delay < kPeriodMin || delay > kPeriodMax) return 0;
    platform::GetBackend().Trace("timeSetEvent");
    return TheClock().StartTimer(delay, callback, user, (flags & TIME_PERIODIC) != 0);
}

MMRESULT timeKillEvent(UINT timerId) {
    platform::GetBackend().Trace("timeKillEvent");
    return TheClock().StopTimer(timerId) ? TIMERR_NOERROR : TIMERR_NOCANDO;
}

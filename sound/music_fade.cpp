// Fades of the music stream's volume, on the caller's thread.
#include <cstdint>

#include "platform/api/sound_output.h"
#include "sound/qz_sound.h"

// The volume follows the clock in a straight line from `from` to `to`, and ends exactly at `to`.
// Between steps the thread sleeps, so a fade does not take a processor for its whole length.
// A fade no one can hear is not waited for: a browser plays nothing before the player's first
// click or key, and waiting there only held back the game's first picture.
void QZSound::FadeMusic(int from, int to, DWORD ms) {
    if (!platform::SoundCanBeHeard()) ms = 0;
    const DWORD start = GetTickCount();
    for (DWORD now = start; now - start < ms; now = GetTickCount()) {
        const std::int64_t elapsed = now - start;
        SetStreamVolume(from + static_cast<int>(elapsed * (to - from) / static_cast<std::int64_t>(ms)));
        Sleep(1);
    }
    SetStreamVolume(to);
}

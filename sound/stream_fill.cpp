// The fill thread: as the play position reaches segment i, segment i - 1 has been played and is
// refilled from the file: seven segments (1.75 seconds) before it is played again.
#include <algorithm>
#include <cstring>

#include "sound/atomic_flags.h"
#include "sound/qz_sound.h"

DWORD QZSound::FillStream(LPVOID) {
    for (;;) {
        const DWORD woken = WaitForMultipleObjects(kStreamSegments + 1, g_NotifyEvents, FALSE, INFINITE);
        const DWORD index = woken - WAIT_OBJECT_0;
        if (woken == WAIT_FAILED || index > static_cast<DWORD>(kStreamStopPosition)) {
            SetFlags(g_StreamInfo.dwFlags, STREAM_STOPPING);
            CleanupStream();
            break;
        }
        if (index == static_cast<DWORD>(kStreamStopPosition)) {
            // A pause stops the buffer too; only a stop that ends the stream tears it down.
            const bool paused = TestFlags(g_StreamInfo.dwFlags, STREAM_PAUSED);
            if (paused && !TestFlags(g_StreamInfo.dwFlags, STREAM_STOPPING)) continue;
            CleanupStream();
            break;
        }
        RefillSegment(static_cast<int>(index));
    }
    ClearFlags(g_StreamInfo.dwFlags, STREAM_FILLING);
    return 0;
}

void QZSound::RefillSegment(int reached) {
    _SNDStream& st = g_StreamInfo;
    if (!TestFlags(st.dwFlags, STREAM_ARMED) || st.pSample == nullptr) {
        SetFlags(st.dwFlags, STREAM_ARMED);
        // The buffer was filled whole before the start, so the notification for the start itself
        // refills nothing. A device that does not report the start position sends segment 1's
        // first instead, and segment 0 has then been played: refill it.
        if (reached == 0 || st.pSample == nullptr) return;
    }
    const int played = (reached + kStreamSegments - 1) % kStreamSegments;
    LPDIRECTSOUNDBUFFER buffer = st.pSample->m_pBuffer;
    const bool looping = TestFlags(st.dwFlags, STREAM_LOOP);
    if (!looping && played == g_nStreamEndSegment) {
        // The end of the data has been heard: the stop notification ends the stream.
        buffer->Stop();
        return;
    }
    LPVOID part = nullptr;
    DWORD bytes = 0;
    if (FAILED(buffer->Lock(static_cast<DWORD>(played) * st.dwSegmentSize, st.dwSegmentSize, &part, &bytes, nullptr,
                            nullptr, 0)) ||
        bytes == 0)
        return;
    const DWORD data = FillFromData(static_cast<BYTE*>(part), bytes);
    if (data < bytes && !looping && g_nStreamEndSegment < 0) g_nStreamEndSegment = played;
    buffer->Unlock(part, bytes, nullptr, 0);
}

// Copies the stream's next data into `target`: from the start of the data again when it runs out
// and the stream loops, else silence after the end. Returns the bytes of data copied.
DWORD QZSound::FillFromData(BYTE* target, DWORD bytes) {
    _SNDStream& st = g_StreamInfo;
    const DWORD dataSize = st.pSample->m_dwDataSize;
    DWORD copied = 0;
    while (copied < bytes) {
        if (st.dwRemaining == 0) {
            if (!TestFlags(st.dwFlags, STREAM_LOOP) || dataSize == 0) break;
            SetFilePointer(st.hFile, static_cast<LONG>(st.dwDataStart), nullptr, FILE_BEGIN);
            st.dwRemaining = dataSize;
        }
        const DWORD wanted = std::min(bytes - copied, st.dwRemaining);
        DWORD read = 0;
        ReadFile(st.hFile, target + copied, wanted, &read, nullptr);
        copied += read;
        st.dwRemaining -= read;
        // A file shorter than its data chunk says (it was checked when opened, but files change).
        if (read < wanted) {
            st.dwRemaining = 0;
            if (read == 0) break;
        }
    }
    std::memset(target + copied, st.pSample->m_dwBits == 8 ? 0x80 : 0, bytes - copied);
    return copied;
}

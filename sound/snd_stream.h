// The one music stream: a two-second looping buffer of eight segments, refilled from the file by
// the fill thread one segment behind the play position.
#pragma once

#include "platform/api/dsound.h"
#include "platform/api/win32.h"

class SNDSample;

// Bits of _SNDStream::dwFlags.
inline constexpr DWORD STREAM_LOADED = 0x1;
inline constexpr DWORD STREAM_PLAYING = 0x2;
inline constexpr DWORD STREAM_LOOP = 0x4;  // wrap to the start of the data at its end
inline constexpr DWORD STREAM_PAUSED = 0x8;
inline constexpr DWORD STREAM_FILLING = 0x10;       // the fill thread runs
inline constexpr DWORD STREAM_STOPPING = 0x20;      // StopStream or Exit asked for the teardown
inline constexpr DWORD STREAM_ARMED = 0x80000000u;  // the first notification after the start was seen

inline constexpr int kStreamSegments = 8;
inline constexpr int kStreamStopPosition = kStreamSegments;  // the ninth position: the stop

using SNDStreamNextFunc = void (*)(DWORD id);

struct _SNDStream {
    DWORD dwFlags;
    HANDLE hFile;
    DWORD dwDataStart;
    DWORD dwSegmentSize;
    DWORD dwBufferSize;
    DWORD dwRemaining;  // data bytes not yet read from the file
    SNDSample* pSample;
    SNDStreamNextFunc pNextFunc;
    LPDIRECTSOUNDNOTIFY pNotify;
    DSBPOSITIONNOTIFY Positions[kStreamSegments + 1];
};

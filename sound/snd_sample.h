// One slot of the sound library's sample pool: a loaded WAV file's format, its sound buffer, and
// its playing state. Slots live in the pool's one memory block and are reused, never deleted.
#pragma once

#include "platform/api/dsound.h"
#include "platform/api/win32.h"

// A RIFF chunk's header: its four-character id and the size of its body.
struct _ChunkHeader {
    DWORD id;
    DWORD size;
};

// Bits of SNDSample::m_dwFlags.
inline constexpr DWORD SND_INUSE = 0x0001;
inline constexpr DWORD SND_RESERVED = 0x0002;   // handed out by FindSample, not yet started
inline constexpr DWORD SND_DUPLICATE = 0x0004;  // shares another slot's sound data
inline constexpr DWORD SND_LOOP = 0x0008;       // the file defines a loop: plays looping
inline constexpr DWORD SND_FORMAT = 0x0010;     // the fmt chunk has been read
inline constexpr DWORD SND_PAUSED = 0x0100;
inline constexpr DWORD SND_STOPARMED = 0x0400;  // a stop notification will start the chain's next

class SNDSample {
public:
    DWORD m_dwFlags;
    DWORD m_dwID;
    DWORD m_dwDataSize;
    DWORD m_dwSampleRate;
    DWORD m_dwBits;
    DWORD m_dwChannels;
    DWORD m_dwPausePos;
    int m_nVolume;        // the library's 0 to 0xFFFF scale
    int m_nPan;           // likewise; 0x8000 is the centre
    int m_nPitch;         // Hz
    DWORD m_dwLoopStart;  // bytes into the data
    DWORD m_dwLoopEnd;
    LPDIRECTSOUNDBUFFER m_pBuffer;
    DSBPOSITIONNOTIFY m_Notify;
    SNDSample* m_pNext;  // the chain's next sample; not owned

    // WAV reading. The file stands at the data chunk's body when accepted.
    HANDLE OpenSoundFile(const char* name);
    int IsWavFile(HANDLE file);
    static int FindRiffChunk(HANDLE file, LONG id, _ChunkHeader* header, DWORD start);

    // A static buffer for this slot's format, `size` bytes or the data size when 0.
    int AllocDSBuffer(DWORD size);
    int LoadSample(const char* name, DWORD id);
    int PlaySample(LONG volume, LONG pan);
    int StopSample();
    LONG GetSampleStatus();
    int SamplePlaying();
    int SetVolume(int volume);
    int SetPan(int pan);
    SNDSample* DupeSample();
    // Clears every member but m_Notify, which is written in full before each use.
    void Reset();

    // Kept for a complete interface; unused by this game.
    int PauseSample();
    int UnPauseSample();
    int SetPitch(int pitch);
    static SNDSample* ChainSample(SNDSample* first, SNDSample* second);

    // Takes a stop position left from an earlier chained play off the buffer.
    void DisarmStopNotification();

private:
    void ArmStopNotification();
};

// One event slot of the callback thread: the event and the sample it is armed for (null: free).
struct _SNDEvent {
    HANDLE hEvent;
    SNDSample* pSample;
};

// The sample pointer of an event slot that a thread has taken but not yet armed, so that no other
// thread takes it meanwhile. Never a real slot.
inline SNDSample* const kClaimedEvent = reinterpret_cast<SNDSample*>(alignof(SNDSample));

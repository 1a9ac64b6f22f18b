// QZSound, the program's sound library: the sound device and its primary buffer, a fixed pool of
// sample slots and notification events taken in one block at Init, a callback thread that starts
// chained samples, and one streamed music track with its fill thread and fades. Almost all state
// is static: the library is one per process whatever the number of objects.
//
// Volume and pan are on the library's 0 to 0xFFFF scales (MapVolume, MapPan). Calls come from the
// main thread unless said otherwise.
#pragma once

#include <atomic>
#include <cstdint>

#include "platform/api/dsound.h"
#include "platform/api/win32.h"
#include "sound/snd_sample.h"
#include "sound/snd_stream.h"

// The file hooks: every sound file is opened and closed through them. The open hook returns
// INVALID_HANDLE_VALUE on failure, and a handle the kernel's file calls accept otherwise.
using SNDOpenFileFunc = HANDLE (*)(const char* name);
using SNDCloseFileFunc = int (*)(HANDLE file);

class QZSound {
public:
    QZSound() = default;
    QZSound(HWND hwnd, int sampleCount) { Init(hwnd, sampleCount); }

    // Device and pool. Init returns 1, or 0 with everything it did undone.
    int Init(HWND hwnd, int sampleCount);
    void Exit();
    int AllocSampleBuffers();
    static SNDSample* AllocSample();
    static void ClearSample(SNDSample* sample);
    static void ClearSampleList();
    // Claims a free event slot: it is the caller's until it stores a sample in it and the callback
    // thread frees it, or until the caller frees it.
    static _SNDEvent* AllocSoundEvent();
    static void FreeSoundEvent(_SNDEvent* event);
    static void SetFileOpenFunc(SNDOpenFileFunc open);
    static void SetFileCloseFunc(SNDCloseFileFunc close);
    static SNDOpenFileFunc OpenFileHook() { return g_pOpenFile; }
    static SNDCloseFileFunc CloseFileHook() { return g_pCloseFile; }
    static LPDIRECTSOUND GetDSObject() { return g_lpDSound; }
    void EnableMusic(int on);
    void EnableSFX(int on) { m_bSFXEnabled = on; }

    // Samples
    int LoadSample(const char* name, DWORD id);
    SNDSample* FindSample(DWORD id);
    SNDSample* PlaySample(LONG id, LONG volume, LONG pan);
    void FreeSample(DWORD id);
    void FreeSample(SNDSample* sample);
    static int MapVolume(int volume);
    static int MapPan(int pan);

    // The music stream
    int LoadStream(const char* name, DWORD id);
    int PlayStream(int flags);
    int StopStream();
    static void SetStreamVolume(int volume);
    // Fades hold the calling thread for their whole length.
    void FadeMusic(int from, int to, DWORD ms);
    void FadeMusicIn(DWORD ms) { FadeMusic(0, m_nMusicLevel, ms); }
    // Runs on the fill thread.
    static void CleanupStream();

    // The object whose switches the sound threads read: the last one brought up by Init.
    static QZSound* Library() { return g_pLibrary; }
    static int EventCount() { return g_nMaxEventCount; }
    static int SampleCount() { return g_nMaxSampleCount; }
    static SNDSample* Slots() { return g_SampleList; }
    static _SNDEvent* Events() { return g_EventList; }
    // One past the highest slot in use (the first slot when none is).
    static SNDSample* HighWaterMark() {
        return g_SampleList != nullptr ? g_SampleList + (g_nMarkWord.load() & 0xFFFFFFFFu) : nullptr;
    }

    // Kept for a complete interface; unused by this game.
    DWORD GetLIBVersion() const { return 1; }
    const char* GetLIBDate() const { return "Fri May  5 06:51:24 2000"; }
    static LPDIRECTSOUNDBUFFER GetDSPrimaryBuffer() { return g_lpSoundBuffer; }
    int MemCleanup();
    void FlushSamples();
    int PlaySampleIDOnce(LONG id, LONG volume, LONG pan);
    int PauseStream();
    static int GetStreamVolume();
    static DWORD GetStreamID();
    static _SNDStream* GetStreamInfoPtr() { return &g_StreamInfo; }
    SNDStreamNextFunc SetStreamNextFunc(SNDStreamNextFunc next);
    SNDStreamNextFunc GetStreamNextFunc() const { return g_StreamInfo.pNextFunc; }
    static void ClearStreamNextStreamFunc() { g_StreamInfo.pNextFunc = nullptr; }
    void FadeMusicOut(DWORD ms) { FadeMusic(m_nMusicLevel, 0, ms); }

    int m_nMusicLevel = 0;  // the end of a fade-in and the start of a fade-out
    std::atomic<int> m_bMusicEnabled{0};
    std::atomic<int> m_bSFXEnabled{0};

protected:
    int alloc_sample_buffers(int count);
    int free_sample_buffers();
    int CreateMainBuffer();
    void setup_callback();
    void close_callback();
    int init_stream_buffer();
    static DWORD CallBack(LPVOID);
    static DWORD FillStream(LPVOID);

    static HANDLE DefaultOpenFile(const char* name);
    static int DefaultCloseFile(HANDLE file);

    // Kept for a complete interface; unused by this game. Init hands it the device's capabilities,
    // and it does nothing with them.
    void debug_dsound_caps(DSCAPS*) {}

private:
    void FailInit();
    void ReleaseDevice();
    int OpenStream(const char* name, DWORD id);
    int StartFillThread();
    static void UndoStream();
    // Has the fill thread tear the stream down, played or not, and waits until it has ended.
    static void EndStream();
    static void RefillSegment(int segment);
    static DWORD FillFromData(BYTE* target, DWORD bytes);
    // Counts a claim of the slot, raising the high-water mark to just above it unless it stands
    // there or higher already.
    static void RaiseMarkAbove(SNDSample* slot);

    static QZSound* g_pLibrary;
    static LPDIRECTSOUND g_lpDSound;
    static LPDIRECTSOUNDBUFFER g_lpSoundBuffer;
    static DSCAPS g_DSCaps;
    static int g_nMaxSampleCount;
    static int g_nMaxEventCount;
    static HGLOBAL g_MemHandle;
    static HANDLE* g_CallBackHandles;
    static _SNDEvent* g_EventList;
    static SNDSample* g_SampleList;
    static SNDSample* g_pEndSample;
    // The high-water mark (low half: slots below it) and a count of claims (high half), changed by
    // the fill thread too, when it takes or clears the stream's slot. A claim always changes the
    // word, so a lowering computed before a claim cannot be stored after it.
    static std::atomic<std::uint64_t> g_nMarkWord;
    static SNDOpenFileFunc g_pOpenFile;
    static SNDCloseFileFunc g_pCloseFile;
    static HANDLE g_CallBackThread;
    static std::atomic<int> g_nCallBackThreadActive;
    // LoadStream may run on the fill thread itself, in the end-of-stream hook.
    static std::atomic<HANDLE> g_FillThread;
    static DWORD g_FillThreadID;
    static _SNDStream g_StreamInfo;
    static HANDLE g_NotifyEvents[kStreamSegments + 1];
    // The segment that holds the end of data that does not wrap, once it is known; -1 before.
    static int g_nStreamEndSegment;
};

extern QZSound g_QZSound;

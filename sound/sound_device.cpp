// The library's life: bringing the device up with its primary buffer, pool and callback thread,
// and taking everything down again; the file hooks and the switches.
#include "sound/qz_sound.h"

QZSound g_QZSound;

QZSound* QZSound::g_pLibrary = nullptr;
LPDIRECTSOUND QZSound::g_lpDSound = nullptr;
LPDIRECTSOUNDBUFFER QZSound::g_lpSoundBuffer = nullptr;
DSCAPS QZSound::g_DSCaps{};
int QZSound::g_nMaxSampleCount = 0;
int QZSound::g_nMaxEventCount = 0;
HGLOBAL QZSound::g_MemHandle = nullptr;
HANDLE* QZSound::g_CallBackHandles = nullptr;
_SNDEvent* QZSound::g_EventList = nullptr;
SNDSample* QZSound::g_SampleList = nullptr;
SNDSample* QZSound::g_pEndSample = nullptr;
std::atomic<std::uint64_t> QZSound::g_nMarkWord{0};
SNDOpenFileFunc QZSound::g_pOpenFile = nullptr;
SNDCloseFileFunc QZSound::g_pCloseFile = nullptr;
HANDLE QZSound::g_CallBackThread = nullptr;
std::atomic<int> QZSound::g_nCallBackThreadActive{0};
std::atomic<HANDLE> QZSound::g_FillThread{nullptr};
DWORD QZSound::g_FillThreadID = 0;
_SNDStream QZSound::g_StreamInfo{};
HANDLE QZSound::g_NotifyEvents[kStreamSegments + 1] = {};
int QZSound::g_nStreamEndSegment = -1;

int QZSound::Init(HWND hwnd, int sampleCount) {
    // Bringing the library up twice would replace the pool under the running callback thread.
    if (g_lpDSound != nullptr) Exit();
    m_bSFXEnabled = 1;
    m_bMusicEnabled = 1;
    m_nMusicLevel = 0x8000;
    g_nMaxSampleCount = sampleCount;
    g_pLibrary = this;
    if (!AllocSampleBuffers()) return 0;
    if (FAILED(DirectSoundCreate(nullptr, &g_lpDSound, nullptr))) {
        g_lpDSound = nullptr;
        free_sample_buffers();
        return 0;
    }
    if (FAILED(g_lpDSound->SetCooperativeLevel(hwnd, DSSCL_EXCLUSIVE))) {
        FailInit();
        return 0;
    }
    g_DSCaps = DSCAPS{};
    g_DSCaps.dwSize = sizeof(DSCAPS);
    if (SUCCEEDED(g_lpDSound->GetCaps(&g_DSCaps))) debug_dsound_caps(&g_DSCaps);
    // Without a playing primary buffer nothing would be heard: give up cleanly instead.
    if (!CreateMainBuffer()) {
        FailInit();
        return 0;
    }
    SetFileOpenFunc(nullptr);
    SetFileCloseFunc(nullptr);
    setup_callback();
    return 1;
}

void QZSound::FailInit() {
    ReleaseDevice();
    free_sample_buffers();
}

void QZSound::ReleaseDevice() {
    if (g_lpDSound == nullptr) return;
    g_lpDSound->Release();
    g_lpDSound = nullptr;
}

int QZSound::CreateMainBuffer() {
    DSBUFFERDESC desc{sizeof(DSBUFFERDESC), DSBCAPS_PRIMARYBUFFER, 0, 0, nullptr, {}};
    if (FAILED(g_lpDSound->CreateSoundBuffer(&desc, &g_lpSoundBuffer, nullptr))) {
        g_lpSoundBuffer = nullptr;
        return 0;
    }
    WAVEFORMATEX format{};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = (g_DSCaps.dwFlags & DSCAPS_PRIMARYSTEREO) != 0 ? 2 : 1;
    format.wBitsPerSample = (g_DSCaps.dwFlags & DSCAPS_PRIMARY16BIT) != 0 ? 16 : 8;
    format.nSamplesPerSec = 22050;
    format.nBlockAlign = static_cast<WORD>(format.nChannels * format.wBitsPerSample / 8);
    format.nAvgBytesPerSec = 22050u * format.nBlockAlign;
    g_lpSoundBuffer->SetFormat(&format);  // best effort
    if (FAILED(g_lpSoundBuffer->Play(0, 0, DSBPLAY_LOOPING))) {
        g_lpSoundBuffer->Release();
        g_lpSoundBuffer = nullptr;
        return 0;
    }
    return 1;
}

void QZSound::Exit() {
    StopStream();
    // A stream loaded but never played (or left while music was off) has a fill thread too.
    EndStream();
    close_callback();
    for (SNDSample* s = g_SampleList; s < HighWaterMark(); ++s)
        if ((s->m_dwFlags & SND_INUSE) != 0) FreeSample(s);
    free_sample_buffers();
    if (g_lpSoundBuffer != nullptr) {
        g_lpSoundBuffer->Stop();
        g_lpSoundBuffer->Release();
        g_lpSoundBuffer = nullptr;
    }
    ReleaseDevice();
}

void QZSound::SetFileOpenFunc(SNDOpenFileFunc open) { g_pOpenFile = open != nullptr ? open : DefaultOpenFile; }

void QZSound::SetFileCloseFunc(SNDCloseFileFunc close) { g_pCloseFile = close != nullptr ? close : DefaultCloseFile; }

HANDLE QZSound::DefaultOpenFile(const char* name) {
    return CreateFileA(name, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

int QZSound::DefaultCloseFile(HANDLE file) { return CloseHandle(file); }

int QZSound::MemCleanup() { return g_lpDSound != nullptr && SUCCEEDED(g_lpDSound->Compact()) ? 1 : 0; }

void QZSound::EnableMusic(int on) {
    if (on == 0) StopStream();
    m_bMusicEnabled = on;
}

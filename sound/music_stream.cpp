// The music stream on the main thread: loading it (buffer, notifications, first fill, fill
// thread), playing, stopping, pausing and its volume; and its teardown, which the fill thread runs.
//
// One lock guards the stream's record and buffer between the main thread and the teardown; the
// refills need none, since they run on the thread that tears down.
#include <algorithm>
#include <mutex>

#include "sound/atomic_flags.h"
#include "sound/qz_sound.h"

namespace {

std::mutex g_StreamLock;

HANDLE LoadHandle(HANDLE& handle) { return AtomicRef<HANDLE>(handle).load(); }
void StoreHandle(HANDLE& handle, HANDLE value) { AtomicRef<HANDLE>(handle).store(value); }

// A quarter second, rounded up to whole frames.
DWORD SegmentSize(const SNDSample& sample) {
    const std::uint64_t align = std::uint64_t{sample.m_dwBits} * sample.m_dwChannels / 8;
    if (align == 0) return 0;
    std::uint64_t segment = std::uint64_t{sample.m_dwSampleRate} * align * 2000 / 8000;
    segment = (segment + align - 1) / align * align;
    return segment * kStreamSegments <= DSBSIZE_MAX ? static_cast<DWORD>(segment) : 0;
}

}  // namespace

int QZSound::LoadStream(const char* name, DWORD id) {
    if (m_bMusicEnabled == 0 || TestFlags(g_StreamInfo.dwFlags, STREAM_LOADED)) return 0;
    // The thread of an earlier stream has ended, or is the caller running its end-of-stream hook.
    if (HANDLE old = g_FillThread.exchange(nullptr); old != nullptr) CloseHandle(old);
    if (!OpenStream(name, id)) return 0;
    init_stream_buffer();
    StoreFlags(g_StreamInfo.dwFlags, STREAM_LOADED | STREAM_FILLING);
    // Started last, once everything it waits on exists, so a failure never has to stop it.
    if (!StartFillThread()) {
        StoreFlags(g_StreamInfo.dwFlags, 0);
        UndoStream();
        return 0;
    }
    return 1;
}

int QZSound::OpenStream(const char* name, DWORD id) {
    _SNDStream& st = g_StreamInfo;
    st.pSample = AllocSample();
    if (st.pSample == nullptr) return 0;
    st.hFile = st.pSample->OpenSoundFile(name);
    if (st.hFile == INVALID_HANDLE_VALUE) {
        st.hFile = nullptr;
        UndoStream();
        return 0;
    }
    if (id != 0xFFFFFFFFu) st.pSample->m_dwID = id;
    st.dwSegmentSize = SegmentSize(*st.pSample);
    st.dwBufferSize = st.dwSegmentSize * kStreamSegments;
    const SNDSample& s = *st.pSample;
    const bool shortLoop = TestFlags(s.m_dwFlags, SND_LOOP) &&
                           (s.m_dwLoopEnd < s.m_dwLoopStart || s.m_dwLoopEnd - s.m_dwLoopStart < st.dwSegmentSize);
    if (st.dwSegmentSize == 0 || shortLoop || !st.pSample->AllocDSBuffer(st.dwBufferSize) ||
        FAILED(st.pSample->m_pBuffer->QueryInterface(IID_IDirectSoundNotify, reinterpret_cast<LPVOID*>(&st.pNotify)))) {
        st.pNotify = nullptr;
        UndoStream();
        return 0;
    }
    for (int i = 0; i <= kStreamSegments; ++i) {
        StoreHandle(g_NotifyEvents[i], CreateEventA(nullptr, FALSE, FALSE, nullptr));
        st.Positions[i].dwOffset = i < kStreamSegments ? i * st.dwSegmentSize : DSBPN_OFFSETSTOP;
        st.Positions[i].hEventNotify = g_NotifyEvents[i];
    }
    // Without the stop position the stream could not be stopped: then there is no stream.
    if (FAILED(st.pNotify->SetNotificationPositions(kStreamSegments + 1, st.Positions))) {
        UndoStream();
        return 0;
    }
    st.dwDataStart = SetFilePointer(st.hFile, 0, nullptr, FILE_CURRENT);
    return 1;
}

int QZSound::StartFillThread() {
    DWORD threadId = 0;
    HANDLE thread = CreateThread(nullptr, 0, FillStream, nullptr, 0, &threadId);
    if (thread == nullptr) return 0;
    g_FillThreadID = threadId;
    SetThreadPriority(thread, THREAD_PRIORITY_LOWEST);
    g_FillThread = thread;
    return 1;
}

// Gives back whatever a load that failed had taken: events, notifications, buffer, file, slot.
void QZSound::UndoStream() {
    _SNDStream& st = g_StreamInfo;
    for (int i = 0; i <= kStreamSegments; ++i) {
        if (HANDLE event = LoadHandle(g_NotifyEvents[i]); event != nullptr) CloseHandle(event);
        StoreHandle(g_NotifyEvents[i], nullptr);
        st.Positions[i] = DSBPOSITIONNOTIFY{};
    }
    if (st.pNotify != nullptr) st.pNotify->Release();
    st.pNotify = nullptr;
    if (st.pSample != nullptr && st.pSample->m_pBuffer != nullptr) st.pSample->m_pBuffer->Release();
    if (st.hFile != nullptr) CloseFileHook()(st.hFile);
    st.hFile = nullptr;
    if (st.pSample != nullptr) ClearSample(st.pSample);
    st.pSample = nullptr;
    st.dwSegmentSize = 0;
    st.dwBufferSize = 0;
    st.dwRemaining = 0;
}

// The whole buffer from the start of the data; data shorter than the buffer is followed by
// silence and ends there unless the stream is played looping.
int QZSound::init_stream_buffer() {
    _SNDStream& st = g_StreamInfo;
    LPVOID part = nullptr;
    DWORD bytes = 0;
    if (FAILED(st.pSample->m_pBuffer->Lock(0, st.dwBufferSize, &part, &bytes, nullptr, nullptr, 0))) return 0;
    SetFilePointer(st.hFile, static_cast<LONG>(st.dwDataStart), nullptr, FILE_BEGIN);
    st.dwRemaining = st.pSample->m_dwDataSize;
    g_nStreamEndSegment = -1;
    const DWORD data = FillFromData(static_cast<BYTE*>(part), bytes);
    if (data < bytes) g_nStreamEndSegment = static_cast<int>(data / st.dwSegmentSize);
    st.pSample->m_pBuffer->Unlock(part, bytes, nullptr, 0);
    return 1;
}

// The buffer always loops; the loop bit decides whether the data wraps.
int QZSound::PlayStream(int flags) {
    std::lock_guard lock(g_StreamLock);
    _SNDStream& st = g_StreamInfo;
    const DWORD state = AtomicRef<DWORD>(st.dwFlags).load();
    if (m_bMusicEnabled == 0 || (state & STREAM_LOADED) == 0 || (state & STREAM_PLAYING) != 0 ||
        st.pSample == nullptr || st.pSample->m_pBuffer == nullptr)
        return 1;
    SetFlags(st.dwFlags, static_cast<DWORD>(flags) | STREAM_PLAYING);
    // The first fill ran before the loop bit was known and left silence after data shorter than
    // the buffer; nothing has played yet and the fill thread waits for the first notification,
    // so the buffer is filled again, wrapping.
    if ((flags & STREAM_LOOP) != 0 && g_nStreamEndSegment >= 0) init_stream_buffer();
    st.pSample->m_pBuffer->SetCurrentPosition(1);
    st.pSample->m_pBuffer->Play(0, 0, DSBPLAY_LOOPING);
    return 1;
}

int QZSound::StopStream() {
    {
        std::lock_guard lock(g_StreamLock);
        const _SNDStream& st = g_StreamInfo;
        const DWORD state = AtomicRef<const DWORD>(st.dwFlags).load();
        if (m_bMusicEnabled == 0 || (state & STREAM_LOADED) == 0 || (state & STREAM_PLAYING) == 0 ||
            st.pSample == nullptr || st.pSample->m_pBuffer == nullptr)
            return 1;
    }
    EndStream();
    return 1;
}

// The main thread never stops or releases the buffer itself: the fill thread does, so a stop and
// a teardown at the end of the data cannot cross.
void QZSound::EndStream() {
    HANDLE thread = g_FillThread.load();
    if (thread == nullptr) return;
    SetFlags(g_StreamInfo.dwFlags, STREAM_STOPPING);
    if (HANDLE stop = LoadHandle(g_NotifyEvents[kStreamStopPosition]); stop != nullptr) SetEvent(stop);
    WaitForSingleObject(thread, INFINITE);
    if (g_FillThread.compare_exchange_strong(thread, nullptr)) CloseHandle(thread);
}

// Pausing stops the buffer; the stop notification that follows leaves a paused stream alone.
int QZSound::PauseStream() {
    std::lock_guard lock(g_StreamLock);
    _SNDStream& st = g_StreamInfo;
    const DWORD state = AtomicRef<DWORD>(st.dwFlags).load();
    if ((state & STREAM_LOADED) == 0 || (state & STREAM_PLAYING) == 0 || st.pSample == nullptr ||
        st.pSample->m_pBuffer == nullptr)
        return 1;
    LPDIRECTSOUNDBUFFER buffer = st.pSample->m_pBuffer;
    if ((state & STREAM_PAUSED) != 0) {
        ClearFlags(st.dwFlags, STREAM_PAUSED);
        buffer->SetCurrentPosition(st.pSample->m_dwPausePos);
        buffer->Play(0, 0, DSBPLAY_LOOPING);
    } else {
        SetFlags(st.dwFlags, STREAM_PAUSED);
        buffer->GetCurrentPosition(&st.pSample->m_dwPausePos, nullptr);
        buffer->Stop();
    }
    return 1;
}

void QZSound::CleanupStream() {
    SNDStreamNextFunc next = nullptr;
    DWORD id = 0;
    {
        std::lock_guard lock(g_StreamLock);
        _SNDStream& st = g_StreamInfo;
        const DWORD state = AtomicRef<DWORD>(st.dwFlags).load();
        if ((state & STREAM_LOADED) == 0 || st.pSample == nullptr || st.pSample->m_pBuffer == nullptr) return;
        if ((state & (STREAM_PLAYING | STREAM_STOPPING)) == 0) return;
        st.pSample->m_pBuffer->Stop();
        for (int i = 0; i <= kStreamSegments; ++i) {
            CloseHandle(LoadHandle(g_NotifyEvents[i]));
            StoreHandle(g_NotifyEvents[i], nullptr);
            st.Positions[i].hEventNotify = nullptr;
        }
        st.pSample->m_pBuffer->Release();
        st.pSample->m_pBuffer = nullptr;
        id = st.pSample->m_dwID;
        ClearSample(st.pSample);
        st.pSample = nullptr;
        st.pNotify->Release();
        st.pNotify = nullptr;
        CloseFileHook()(st.hFile);
        st.hFile = nullptr;
        st.dwRemaining = 0;
        st.dwBufferSize = 0;
        st.dwSegmentSize = 0;
        ClearFlags(st.dwFlags,
                   STREAM_LOADED | STREAM_PLAYING | STREAM_LOOP | STREAM_PAUSED | STREAM_ARMED | STREAM_STOPPING);
        next = st.pNextFunc;
    }
    if (next != nullptr) next(id);
}

void QZSound::SetStreamVolume(int volume) {
    std::lock_guard lock(g_StreamLock);
    if (TestFlags(g_StreamInfo.dwFlags, STREAM_LOADED) && g_StreamInfo.pSample != nullptr)
        g_StreamInfo.pSample->SetVolume(volume);
}

int QZSound::GetStreamVolume() {
    std::lock_guard lock(g_StreamLock);
    return g_StreamInfo.pSample != nullptr ? g_StreamInfo.pSample->m_nVolume : 0;
}

DWORD QZSound::GetStreamID() {
    std::lock_guard lock(g_StreamLock);
    return g_StreamInfo.pSample != nullptr ? g_StreamInfo.pSample->m_dwID : 0;
}

SNDStreamNextFunc QZSound::SetStreamNextFunc(SNDStreamNextFunc next) {
    const SNDStreamNextFunc previous = g_StreamInfo.pNextFunc;
    g_StreamInfo.pNextFunc = next;
    return previous;
}

// DirectSound as the program uses it, on a software mixer of our own: a device, its primary buffer,
// static secondary buffers of 8- or 16-bit PCM (mono or stereo, any rate) with volume, pan,
// frequency and position notification, and duplicates that share their original's data. Every
// playing buffer is mixed to 16-bit stereo at the device's rate.
//
// Notifications: an offset is signalled each time the play position passes it, on every lap of a
// looping buffer, the wrap included (starting at an offset counts as passing it). DSBPN_OFFSETSTOP
// is signalled by Stop on a playing buffer, and when a non-looping buffer plays to its end, after
// every offset up to the end; such a buffer then stands at position 0. Stop keeps the position and
// Play resumes from it; Play on a playing buffer only changes its looping flag.
//
// A duplicate starts stopped at position 0 with no notifications, and copies its original's
// volume, pan and frequency as they are at the time of the copy; from then on each has its own.
//
// Positions are byte offsets; a position that is not on a whole sample frame is rounded down to one.
#pragma once

#include "platform/api/mmsystem.h"
#include "platform/api/types.h"

inline constexpr HRESULT MakeDsHresult(std::uint32_t code) { return MakeHresult(0x88780000u | code); }

inline constexpr HRESULT DS_OK = S_OK;
inline constexpr HRESULT DSERR_GENERIC = E_FAIL;
inline constexpr HRESULT DSERR_INVALIDPARAM = E_INVALIDARG;
inline constexpr HRESULT DSERR_OUTOFMEMORY = E_OUTOFMEMORY;
inline constexpr HRESULT DSERR_NOINTERFACE = E_NOINTERFACE;
inline constexpr HRESULT DSERR_UNSUPPORTED = MakeHresult(0x80004001u);
inline constexpr HRESULT DSERR_ALLOCATED = MakeDsHresult(10);
inline constexpr HRESULT DSERR_CONTROLUNAVAIL = MakeDsHresult(30);
inline constexpr HRESULT DSERR_INVALIDCALL = MakeDsHresult(50);
inline constexpr HRESULT DSERR_PRIOLEVELNEEDED = MakeDsHresult(70);
inline constexpr HRESULT DSERR_BADFORMAT = MakeDsHresult(100);
inline constexpr HRESULT DSERR_NODRIVER = MakeDsHresult(120);

// Cooperative levels
inline constexpr DWORD DSSCL_NORMAL = 1;
inline constexpr DWORD DSSCL_PRIORITY = 2;
inline constexpr DWORD DSSCL_EXCLUSIVE = 3;
inline constexpr DWORD DSSCL_WRITEPRIMARY = 4;

// Device capabilities
inline constexpr DWORD DSCAPS_PRIMARYMONO = 0x00000001u;
inline constexpr DWORD DSCAPS_PRIMARYSTEREO = 0x00000002u;
inline constexpr DWORD DSCAPS_PRIMARY8BIT = 0x00000004u;
inline constexpr DWORD DSCAPS_PRIMARY16BIT = 0x00000008u;
inline constexpr DWORD DSCAPS_CONTINUOUSRATE = 0x00000010u;
inline constexpr DWORD DSCAPS_EMULDRIVER = 0x00000020u;
inline constexpr DWORD DSCAPS_SECONDARYMONO = 0x00000100u;
inline constexpr DWORD DSCAPS_SECONDARYSTEREO = 0x00000200u;
inline constexpr DWORD DSCAPS_SECONDARY8BIT = 0x00000400u;
inline constexpr DWORD DSCAPS_SECONDARY16BIT = 0x00000800u;

struct DSCAPS {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwMinSecondarySampleRate;
    DWORD dwMaxSecondarySampleRate;
    DWORD dwPrimaryBuffers;
    DWORD dwMaxHwMixingAllBuffers;
    DWORD dwMaxHwMixingStaticBuffers;
    DWORD dwMaxHwMixingStreamingBuffers;
    DWORD dwFreeHwMixingAllBuffers;
    DWORD dwFreeHwMixingStaticBuffers;
    DWORD dwFreeHwMixingStreamingBuffers;
    DWORD dwMaxHw3DAllBuffers;
    DWORD dwMaxHw3DStaticBuffers;
    DWORD dwMaxHw3DStreamingBuffers;
    DWORD dwFreeHw3DAllBuffers;
    DWORD dwFreeHw3DStaticBuffers;
    DWORD dwFreeHw3DStreamingBuffers;
    DWORD dwTotalHwMemBytes;
    DWORD dwFreeHwMemBytes;
    DWORD dwMaxContigFreeHwMemBytes;
    DWORD dwUnlockTransferRateHwBuffers;
    DWORD dwPlayCpuOverheadSwBuffers;
    DWORD dwReserved1;
    DWORD dwReserved2;
};
using LPDSCAPS = DSCAPS*;

// Buffer capabilities. Volume, pan and frequency can be set only on buffers made with their
// DSBCAPS_CTRL flag.
inline constexpr DWORD DSBCAPS_PRIMARYBUFFER = 0x00000001u;
inline constexpr DWORD DSBCAPS_STATIC = 0x00000002u;
inline constexpr DWORD DSBCAPS_LOCHARDWARE = 0x00000004u;
inline constexpr DWORD DSBCAPS_LOCSOFTWARE = 0x00000008u;
inline constexpr DWORD DSBCAPS_CTRLFREQUENCY = 0x00000020u;
inline constexpr DWORD DSBCAPS_CTRLPAN = 0x00000040u;
inline constexpr DWORD DSBCAPS_CTRLVOLUME = 0x00000080u;
inline constexpr DWORD DSBCAPS_CTRLPOSITIONNOTIFY = 0x00000100u;
inline constexpr DWORD DSBCAPS_GETCURRENTPOSITION2 = 0x00010000u;

inline constexpr DWORD DSBPLAY_LOOPING = 0x00000001u;
inline constexpr DWORD DSBSTATUS_PLAYING = 0x00000001u;
inline constexpr DWORD DSBSTATUS_BUFFERLOST = 0x00000002u;
inline constexpr DWORD DSBSTATUS_LOOPING = 0x00000004u;
inline constexpr DWORD DSBLOCK_FROMWRITECURSOR = 0x00000001u;
inline constexpr DWORD DSBLOCK_ENTIREBUFFER = 0x00000002u;
inline constexpr DWORD DSBPN_OFFSETSTOP = 0xFFFFFFFFu;

inline constexpr LONG DSBVOLUME_MIN = -10000;
inline constexpr LONG DSBVOLUME_MAX = 0;
inline constexpr LONG DSBPAN_LEFT = -10000;
inline constexpr LONG DSBPAN_CENTER = 0;
inline constexpr LONG DSBPAN_RIGHT = 10000;
inline constexpr DWORD DSBFREQUENCY_ORIGINAL = 0;
inline constexpr DWORD DSBFREQUENCY_MIN = 100;
inline constexpr DWORD DSBFREQUENCY_MAX = 100000;
inline constexpr DWORD DSBSIZE_MIN = 4;
inline constexpr DWORD DSBSIZE_MAX = 0x0FFFFFFFu;

struct DSBUFFERDESC {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwBufferBytes;
    DWORD dwReserved;
    LPWAVEFORMATEX lpwfxFormat;
    GUID guid3DAlgorithm;
};
using LPDSBUFFERDESC = DSBUFFERDESC*;
using LPCDSBUFFERDESC = const DSBUFFERDESC*;

struct DSBPOSITIONNOTIFY {
    DWORD dwOffset;
    HANDLE hEventNotify;
};
using LPCDSBPOSITIONNOTIFY = const DSBPOSITIONNOTIFY*;

inline constexpr IID IID_IDirectSound = {0x279AFA83, 0x4981, 0x11CE, {0xA5, 0x21, 0x00, 0x20, 0xAF, 0x0B, 0xE5, 0x60}};
inline constexpr IID IID_IDirectSoundBuffer = {
    0x279AFA85, 0x4981, 0x11CE, {0xA5, 0x21, 0x00, 0x20, 0xAF, 0x0B, 0xE5, 0x60}};
inline constexpr IID IID_IDirectSoundNotify = {
    0xB0210783, 0x89CD, 0x11D0, {0xAF, 0x08, 0x00, 0xA0, 0xC9, 0x25, 0xCD, 0x16}};

class IDirectSoundBuffer {
public:
    // A buffer made with DSBCAPS_CTRLPOSITIONNOTIFY answers IID_IDirectSoundNotify.
    virtual HRESULT QueryInterface(REFIID iid, LPVOID* object) = 0;
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;
    virtual HRESULT GetCurrentPosition(LPDWORD play, LPDWORD write) = 0;
    virtual HRESULT GetFormat(LPWAVEFORMATEX format, DWORD size, LPDWORD written) = 0;
    virtual HRESULT GetVolume(LPLONG volume) = 0;
    virtual HRESULT GetPan(LPLONG pan) = 0;
    virtual HRESULT GetFrequency(LPDWORD frequency) = 0;
    virtual HRESULT GetStatus(LPDWORD status) = 0;
    // A lock that runs past the end of the buffer continues at its start, in the second part.
    virtual HRESULT Lock(DWORD offset, DWORD bytes, LPVOID* part1, LPDWORD bytes1, LPVOID* part2, LPDWORD bytes2,
                         DWORD flags) = 0;
    virtual HRESULT Play(DWORD reserved, DWORD priority, DWORD flags) = 0;
    virtual HRESULT SetCurrentPosition(DWORD position) = 0;
    // The primary buffer's output format; secondary buffers keep the format they were made with.
    virtual HRESULT SetFormat(LPCWAVEFORMATEX format) = 0;
    // Hundredths of a decibel, DSBVOLUME_MIN (silent) to DSBVOLUME_MAX (full).
    virtual HRESULT SetVolume(LONG volume) = 0;
    // DSBPAN_LEFT to DSBPAN_RIGHT: the far side is attenuated by that many hundredths of a decibel.
    virtual HRESULT SetPan(LONG pan) = 0;
    // In samples per second, or DSBFREQUENCY_ORIGINAL for the buffer's own rate.
    virtual HRESULT SetFrequency(DWORD frequency) = 0;
    virtual HRESULT Stop() = 0;
    virtual HRESULT Unlock(LPVOID part1, DWORD bytes1, LPVOID part2, DWORD bytes2) = 0;
    virtual HRESULT Restore() = 0;

protected:
    virtual ~IDirectSoundBuffer() = default;
};
using LPDIRECTSOUNDBUFFER = IDirectSoundBuffer*;

class IDirectSoundNotify {
public:
    virtual HRESULT QueryInterface(REFIID iid, LPVOID* object) = 0;
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;
    // Replaces the buffer's positions; only while it is stopped. Offsets lie inside the buffer, or
    // are DSBPN_OFFSETSTOP.
    virtual HRESULT SetNotificationPositions(DWORD count, LPCDSBPOSITIONNOTIFY positions) = 0;

protected:
    virtual ~IDirectSoundNotify() = default;
};
using LPDIRECTSOUNDNOTIFY = IDirectSoundNotify*;

class IDirectSound {
public:
    virtual HRESULT QueryInterface(REFIID iid, LPVOID* object) = 0;
    virtual ULONG AddRef() = 0;
    // The last release stops the output and disposes of every buffer the device made, whether or
    // not it was released.
    virtual ULONG Release() = 0;
    virtual HRESULT CreateSoundBuffer(LPCDSBUFFERDESC desc, LPDIRECTSOUNDBUFFER* buffer, void* outer) = 0;
    virtual HRESULT GetCaps(LPDSCAPS caps) = 0;
    virtual HRESULT DuplicateSoundBuffer(LPDIRECTSOUNDBUFFER original, LPDIRECTSOUNDBUFFER* duplicate) = 0;
    virtual HRESULT SetCooperativeLevel(HWND hwnd, DWORD level) = 0;
    virtual HRESULT Compact() = 0;

protected:
    virtual ~IDirectSound() = default;
};
using LPDIRECTSOUND = IDirectSound*;

// The default device (`device` must be null). Fails with DSERR_NODRIVER when the system has no
// audio output, and with DSERR_ALLOCATED while another device object exists.
HRESULT DirectSoundCreate(GUID* device, LPDIRECTSOUND* object, void* outer);

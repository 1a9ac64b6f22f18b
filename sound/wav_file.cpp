// Reading RIFF WAVE files: the format, the first sample loop and the size of the audio, with the
// file left at the first byte of the audio. Chunks may come in any order: every search starts
// again from the first chunk.
#include <algorithm>
#include <cstring>

#include "sound/atomic_flags.h"
#include "sound/qz_sound.h"

namespace {

constexpr DWORD FourCC(const char (&id)[5]) {
    return static_cast<DWORD>(id[0]) | static_cast<DWORD>(id[1]) << 8 | static_cast<DWORD>(id[2]) << 16 |
           static_cast<DWORD>(id[3]) << 24;
}

DWORD ReadDword(const unsigned char* bytes) {
    return static_cast<DWORD>(bytes[0]) | static_cast<DWORD>(bytes[1]) << 8 | static_cast<DWORD>(bytes[2]) << 16 |
           static_cast<DWORD>(bytes[3]) << 24;
}

WORD ReadWord(const unsigned char* bytes) { return static_cast<WORD>(bytes[0] | bytes[1] << 8); }

DWORD ReadUpTo(HANDLE file, void* buffer, DWORD bytes) {
    DWORD read = 0;
    if (!ReadFile(file, buffer, bytes, &read, nullptr)) return 0;
    return read;
}

DWORD CurrentPosition(HANDLE file) { return SetFilePointer(file, 0, nullptr, FILE_CURRENT); }

// Loop points come in sample frames; the library keeps them in bytes of data.
DWORD FramesToBytes(DWORD frames, DWORD frameBytes) {
    return static_cast<DWORD>(std::min<std::uint64_t>(std::uint64_t{frames} * frameBytes, 0xFFFFFFFFu));
}

}  // namespace

HANDLE SNDSample::OpenSoundFile(const char* name) {
    HANDLE file = QZSound::OpenFileHook()(name);
    if (file == INVALID_HANDLE_VALUE) return INVALID_HANDLE_VALUE;
    if (IsWavFile(file)) return file;
    QZSound::CloseFileHook()(file);
    return INVALID_HANDLE_VALUE;
}

int SNDSample::IsWavFile(HANDLE file) {
    unsigned char riff[12];
    if (ReadUpTo(file, riff, 12) < 12 || ReadDword(riff) != FourCC("RIFF") || ReadDword(riff + 8) != FourCC("WAVE"))
        return 0;
    const DWORD chunks = CurrentPosition(file);
    _ChunkHeader header{};
    if (!FindRiffChunk(file, static_cast<LONG>(FourCC("fmt ")), &header, chunks)) return 0;
    unsigned char fmt[20];
    if (ReadUpTo(file, fmt, 20) < 20 || ReadWord(fmt) != WAVE_FORMAT_PCM) return 0;
    m_dwChannels = ReadWord(fmt + 2);
    m_dwSampleRate = ReadDword(fmt + 4);
    m_dwBits = ReadWord(fmt + 14);
    SetFlags(m_dwFlags, SND_FORMAT);

    if (FindRiffChunk(file, static_cast<LONG>(FourCC("smpl")), &header, chunks)) {
        // A short chunk or file leaves the rest of these zero: no loop.
        unsigned char sampler[36] = {};
        ReadUpTo(file, sampler, 36);
        if (ReadDword(sampler + 28) != 0) {
            unsigned char loop[24] = {};
            ReadUpTo(file, loop, 24);
            const DWORD frameBytes = m_dwChannels * m_dwBits / 8;
            m_dwLoopStart = FramesToBytes(ReadDword(loop + 8), frameBytes);
            m_dwLoopEnd = FramesToBytes(ReadDword(loop + 12), frameBytes);
            SetFlags(m_dwFlags, SND_LOOP);
        }
    }

    if (!FindRiffChunk(file, static_cast<LONG>(FourCC("data")), &header, chunks)) return 0;
    // Audio the file does not hold is refused here, before anything is allocated for it.
    DWORD sizeHigh = 0;
    const DWORD size = GetFileSize(file, &sizeHigh);
    const DWORD at = CurrentPosition(file);
    if (size == INVALID_FILE_SIZE || sizeHigh != 0 || at > size || header.size > size - at) return 0;
    m_dwDataSize = header.size;
    return 1;
}

int SNDSample::FindRiffChunk(HANDLE file, LONG id, _ChunkHeader* header, DWORD start) {
    if (SetFilePointer(file, static_cast<LONG>(start), nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER) return 0;
    for (;;) {
        unsigned char bytes[8];
        if (ReadUpTo(file, bytes, 8) < 8) return 0;
        header->id = ReadDword(bytes);
        header->size = ReadDword(bytes + 4);
        if (header->id == static_cast<DWORD>(id)) return 1;
        // Sizes are unsigned: the high part keeps a size past 2 GB from reading as a step back.
        LONG high = 0;
        if (SetFilePointer(file, static_cast<LONG>(header->size), &high, FILE_CURRENT) == INVALID_SET_FILE_POINTER)
            return 0;
    }
}

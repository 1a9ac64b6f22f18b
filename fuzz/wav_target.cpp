// The WAV reader (SNDSample::OpenSoundFile) and the sample loader (QZSound::LoadSample) on the
// headless sound device. An accepted file stands at audio the file really holds; a loaded sample
// plays for two ticks through the mixer and is freed again, leaving every slot of the pool free.
#include <optional>
#include <string>

#include "fuzz/fuzz_target.h"
#include "fuzz/input_file.h"
#include "platform/headless/headless.h"
#include "sound/qz_sound.h"

namespace fuzz {
namespace {

constexpr DWORD kId = 7;

// The library stays up for the whole run, as it does in the game, and goes down at exit: its
// callback thread must not be left waiting while the platform's statics are destroyed.
class SoundUp {
public:
    SoundUp() {
        platform::headless::Reset();
        up_ = g_QZSound.Init(reinterpret_cast<HWND>(1), 8) == 1;
    }
    ~SoundUp() { g_QZSound.Exit(); }
    SoundUp(const SoundUp&) = delete;
    SoundUp& operator=(const SoundUp&) = delete;

    bool Up() const { return up_; }

private:
    bool up_ = false;
};

void BringUpSound() {
    static const SoundUp sound;
    Check(sound.Up(), "the sound library comes up on the headless device");
}

int SlotsInUse() {
    int count = 0;
    for (int i = 0; i < QZSound::SampleCount(); ++i) count += (QZSound::Slots()[i].m_dwFlags & SND_INUSE) != 0;
    return count;
}

// Returns the data size of an accepted file, or nothing.
std::optional<DWORD> Read(const std::string& path) {
    SNDSample sample{};
    HANDLE file = sample.OpenSoundFile(path.c_str());
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    Check((sample.m_dwFlags & SND_FORMAT) != 0, "an accepted file has had its format read");
    DWORD high = 0;
    const DWORD size = GetFileSize(file, &high);
    const DWORD at = SetFilePointer(file, 0, nullptr, FILE_CURRENT);
    Check(high == 0 && at <= size && sample.m_dwDataSize <= size - at, "the audio lies inside the file");
    QZSound::CloseFileHook()(file);
    return sample.m_dwDataSize;
}

void Load(const std::string& path, std::optional<DWORD> dataSize) {
    if (g_QZSound.LoadSample(path.c_str(), kId) == 1) {
        Check(dataSize.has_value(), "only an accepted file loads");
        SNDSample* sample = g_QZSound.FindSample(kId);
        Check(sample != nullptr && sample->m_pBuffer != nullptr, "a loaded sample has its buffer");
        Check(sample->m_dwDataSize == *dataSize, "the sample holds the file's audio");
        sample->PlaySample(0xFFFF, 0x8000);
        platform::headless::AdvanceTick();
        platform::headless::AdvanceTick();
        g_QZSound.FreeSample(sample);
    }
    Check(SlotsInUse() == 0, "every slot is free again");
}

}  // namespace

void Wav(std::span<const std::uint8_t> input) {
    BringUpSound();
    const std::string path = WriteScratchFile("sound.wav", input);
    Load(path, Read(path));
}

}  // namespace fuzz

// Reading WAV files: what is accepted, where the data is found, and the loop points.
#include <cstring>

#include "sound_fixture.h"

namespace {

using namespace soundtest;

class WavReading : public WithSound {
protected:
    // Opens the file into a fresh slot; the slot is given back at the end of the test.
    bool Open(const std::string& bytes, SNDSample** sample = nullptr) {
        const std::string path = folder_.Write("t.wav", bytes);
        slot_ = QZSound::AllocSample();
        HANDLE file = slot_->OpenSoundFile(path.c_str());
        if (sample != nullptr) *sample = slot_;
        if (file == INVALID_HANDLE_VALUE) return false;
        char next[4] = {};
        DWORD read = 0;
        ReadFile(file, next, 4, &read, nullptr);
        dataStart_ = std::string(next, read);
        CloseHandle(file);
        return true;
    }

    void TearDown() override {
        if (slot_ != nullptr) QZSound::ClearSample(slot_);
        WithSound::TearDown();
    }

    SNDSample* slot_ = nullptr;
    std::string dataStart_;  // the first bytes after where the file was left
};

const std::string kData = Chunk("data", "ABCDEFGH");

TEST_F(WavReading, ChunksMayComeInAnyOrderAndTheFileIsLeftAtTheData) {
    SNDSample* s = nullptr;
    ASSERT_TRUE(Open(Riff(kData + Fmt(2, 11025, 8) + Chunk("LIST", "info")), &s));
    EXPECT_EQ(dataStart_, "ABCD");
    EXPECT_EQ(s->m_dwChannels, 2u);
    EXPECT_EQ(s->m_dwSampleRate, 11025u);
    EXPECT_EQ(s->m_dwBits, 8u);
    EXPECT_EQ(s->m_dwDataSize, 8u);
    EXPECT_NE(s->m_dwFlags & SND_FORMAT, 0u);
    EXPECT_EQ(s->m_dwFlags & SND_LOOP, 0u);
}

TEST_F(WavReading, ChunksAreSkippedByTheirStatedSizeWithoutPadBytes) {
    EXPECT_TRUE(Open(Riff(Fmt(1, 22050, 16) + Chunk("LIST", "odd") + kData)));
    EXPECT_EQ(dataStart_, "ABCD");
    QZSound::ClearSample(slot_);
    // A writer that pads the odd chunk puts the next header one byte further on than its size says.
    EXPECT_FALSE(Open(Riff(Fmt(1, 22050, 16) + Chunk("LIST", "odd") + std::string(1, '\0') + kData)));
}

TEST_F(WavReading, SamplerLoopsMakeTheSampleLoopWithPointsInBytes) {
    SNDSample* s = nullptr;
    ASSERT_TRUE(Open(Riff(Fmt(2, 22050, 16) + kData + Smpl(1, 100, 300)), &s));
    EXPECT_NE(s->m_dwFlags & SND_LOOP, 0u);
    EXPECT_EQ(s->m_dwLoopStart, 400u);
    EXPECT_EQ(s->m_dwLoopEnd, 1200u);
    QZSound::ClearSample(slot_);
    ASSERT_TRUE(Open(Riff(Fmt(2, 22050, 16) + Smpl(0) + kData), &s));
    EXPECT_EQ(s->m_dwFlags & SND_LOOP, 0u);
}

TEST_F(WavReading, FilesThatAreNotPlainPcmWaveAreRefused) {
    const std::string fmt = Fmt(1, 22050, 16);
    const char* cases[] = {"short", "RIFX", "AVI ", "float", "no data", "fmt cut", "data past the end"};
    const std::string files[] = {
        std::string("RIFF\x04\0\0\0WAV", 11),
        "RIFX" + Riff(fmt + kData).substr(4),
        Riff(fmt + kData, "AVI "),
        Riff(Fmt(1, 22050, 32, 3) + kData),
        Riff(fmt + Chunk("LIST", "info")),
        // The fmt chunk is last, with fewer than 20 bytes after its header.
        Riff(kData + fmt.substr(0, 8 + 16)),
        Riff(fmt + "data" + std::string("\x00\x00\x01\x00", 4) + "only this"),
    };
    for (size_t i = 0; i < std::size(files); ++i) {
        EXPECT_FALSE(Open(files[i])) << cases[i];
        QZSound::ClearSample(slot_);
    }
    slot_ = nullptr;
}

TEST_F(WavReading, LoadingCopiesTheDataIntoABufferOfItsOwnSize) {
    const std::string path = folder_.Write("ramp.wav", Wav16({1, 2, 3, 4, 5, 6}, 2, 8000));
    ASSERT_EQ(g_QZSound.LoadSample(path.c_str(), 0xFFFFFFFFu), 1);
    SNDSample* s = g_QZSound.FindSample(0);
    ASSERT_NE(s, nullptr) << "id -1 keeps the slot's own id, 0";
    LPVOID part = nullptr;
    DWORD bytes = 0;
    ASSERT_EQ(s->m_pBuffer->Lock(0, 0, &part, &bytes, nullptr, nullptr, DSBLOCK_ENTIREBUFFER), DS_OK);
    ASSERT_EQ(bytes, 12u);
    const std::int16_t expected[] = {1, 2, 3, 4, 5, 6};
    EXPECT_EQ(std::memcmp(part, expected, 12), 0);
    s->m_pBuffer->Unlock(part, bytes, nullptr, 0);
    s->PlaySample(0xFFFF, 0x8000);
}

}  // namespace

// The corpus of WAV files from other programs, each accepted or refused by the library's
// reading rules (which do not skip pad bytes and take any PCM format the file states), and loaded
// only when the sound device takes its format.
#include <cstring>
#include <fstream>
#include <iterator>

#include "sound_fixture.h"

namespace {

struct CorpusFile {
    const char* path;
    bool accepted;
    bool loads = false;  // the device makes a buffer for it: 8 or 16 bits, 1 or 2 channels
    DWORD channels = 0;
    DWORD rate = 0;
    DWORD bits = 0;
    DWORD dataSize = 0;
    DWORD dataAt = 0;
    bool loops = false;
    DWORD loopStart = 0;
    DWORD loopEnd = 0;
};

// Loop points are the first loop's frames times the frame size, clamped to 32 bits. Files whose
// sampler chunk is too short have their loop read from whatever follows it.
const CorpusFile kCorpus[] = {
    {"cpython/pluck-pcm16.wav", true, true, 2, 11025, 16, 13228, 142, false, 0, 0},
    {"cpython/pluck-pcm24-ext.wav", false},
    {"cpython/pluck-pcm24.wav", true, false, 2, 11025, 24, 19842, 142, false, 0, 0},
    {"cpython/pluck-pcm32.wav", true, false, 2, 11025, 32, 26456, 142, false, 0, 0},
    {"cpython/pluck-pcm8.wav", true, true, 2, 11025, 8, 6614, 142, false, 0, 0},
    {"go-audio/bwf.wav", true, false, 1, 44100, 24, 21861, 654, false, 0, 0},
    {"go-audio/dirty-kick-24b441k.wav", true, false, 2, 44100, 24, 128040, 4096, false, 0, 0},
    {"go-audio/flloop.wav", true, true, 2, 44100, 16, 433124, 44, true, 0u, 431996u},
    {"go-audio/kick-16b441k.wav", true, true, 2, 44100, 16, 31128, 44, false, 0, 0},
    {"go-audio/kick.wav", true, true, 1, 22050, 16, 8968, 44, false, 0, 0},
    {"go-audio/listChunkInHeader.wav", true, false, 2, 44100, 24, 91908, 12288, false, 0, 0},
    {"go-audio/padded24b.wav", true, false, 1, 44100, 24, 11140, 12288, false, 0, 0},
    {"go-audio/sample.avi", false},
    {"hound/fuzz/crash-24728523ef4be15c838293b676f6853e73723bf4.wav", false},
    {"hound/fuzz/crash-b8447179832529c48f9c6bf17feab6337bbc78ea.wav", false},
    {"hound/fuzz/crash-cbd757427cea12bd8a21f86cd8cf74d98ce56bee.wav", false},
    {"hound/fuzz/crash-e5471f5b58397287b509db7d026e95f1724454f5.wav", false},
    {"hound/fuzz/crash-e879de4eb4d206c59e21f0e01def16457af80fdc.wav", false},
    {"hound/fuzz/oom-48ae4cd061ff8578ad3f23dc87624bd365cf5216.wav", false},
    {"hound/nonstandard-01.wav", true, false, 2, 48000, 24, 6, 802, false, 0, 0},
    {"hound/nonstandard-02.wav", false},
    {"hound/pcmwaveformat-16bit-44100Hz-mono-extra.wav", true, true, 1, 44100, 16, 8, 78, false, 0, 0},
    {"hound/pcmwaveformat-16bit-44100Hz-mono.wav", true, true, 1, 44100, 16, 8, 44, false, 0, 0},
    {"hound/pcmwaveformat-24bit-4byte-48kHz-stereo.wav", true, false, 2, 48000, 24, 16, 44, false, 0, 0},
    {"hound/pcmwaveformat-8bit-44100Hz-mono.wav", true, true, 1, 44100, 8, 4, 44, false, 0, 0},
    {"hound/pop.wav", false},
    {"hound/waveformatex-16bit-44100Hz-mono-extra.wav", true, true, 1, 44100, 16, 8, 80, false, 0, 0},
    {"hound/waveformatex-16bit-44100Hz-mono.wav", true, true, 1, 44100, 16, 8, 46, false, 0, 0},
    {"hound/waveformatex-16bit-44100Hz-stereo.wav", true, true, 2, 44100, 16, 16, 46, false, 0, 0},
    {"hound/waveformatex-8bit-11025Hz-mono.wav", true, true, 1, 11025, 8, 4, 46, false, 0, 0},
    {"hound/waveformatex-ieeefloat-44100Hz-mono.wav", false},
    {"hound/waveformatextensible-24bit-192kHz-mono.wav", false},
    {"hound/waveformatextensible-24bit-4byte-48kHz-stereo.wav", false},
    {"hound/waveformatextensible-32bit-48kHz-stereo.wav", false},
    {"hound/waveformatextensible-ieeefloat-44100Hz-mono.wav", false},
    {"jstrait-wavefile/invalid/bad_riff_header.wav", false},
    {"jstrait-wavefile/invalid/bad_wavefile_format.wav", false},
    {"jstrait-wavefile/invalid/data_chunk_ends_after_chunk_id.wav", false},
    {"jstrait-wavefile/invalid/data_chunk_has_incomplete_chunk_size.wav", false},
    {"jstrait-wavefile/invalid/data_chunk_truncated.wav", false},
    {"jstrait-wavefile/invalid/empty.wav", false},
    {"jstrait-wavefile/invalid/empty_format_chunk.wav", false},
    {"jstrait-wavefile/invalid/extensible_format_chunk_extension_incomplete.wav", false},
    {"jstrait-wavefile/invalid/extensible_format_chunk_extension_incomplete_in_incorrectly_sized_chunk.wav", false},
    {"jstrait-wavefile/invalid/extensible_format_chunk_extension_incomplete_in_large_enough_chunk.wav", false},
    {"jstrait-wavefile/invalid/extensible_format_chunk_extension_missing.wav", false},
    {"jstrait-wavefile/invalid/extensible_format_chunk_extension_size_incomplete.wav", false},
    {"jstrait-wavefile/invalid/extensible_format_chunk_extension_size_incomplete_with_padding_byte.wav", false},
    {"jstrait-wavefile/invalid/extensible_format_chunk_extension_truncated.wav", false},
    {"jstrait-wavefile/invalid/extensible_format_chunk_oversized_extension_too_large.wav", false},
    {"jstrait-wavefile/invalid/float_format_chunk_extension_size_incomplete.wav", false},
    {"jstrait-wavefile/invalid/float_format_chunk_extension_size_incomplete_with_padding_byte.wav", false},
    {"jstrait-wavefile/invalid/float_format_chunk_oversized_extension_too_large.wav", false},
    {"jstrait-wavefile/invalid/format_chunk_after_data_chunk.wav", false},
    {"jstrait-wavefile/invalid/format_chunk_extra_bytes_with_odd_size_and_missing_padding_byte.wav", true, true, 1,
     44100, 8, 2240, 47, false, 0, 0},
    {"jstrait-wavefile/invalid/format_chunk_with_extra_byte_and_missing_padding_byte.wav", true, true, 1, 44100, 8,
     2240, 45, false, 0, 0},
    {"jstrait-wavefile/invalid/incomplete_riff_format.wav", false},
    {"jstrait-wavefile/invalid/incomplete_riff_header.wav", false},
    {"jstrait-wavefile/invalid/insufficient_format_chunk.wav", false},
    {"jstrait-wavefile/invalid/no_data_chunk.wav", false},
    {"jstrait-wavefile/invalid/no_format_chunk_size.wav", false},
    {"jstrait-wavefile/invalid/no_riff_format.wav", false},
    {"jstrait-wavefile/invalid/riff_chunk_has_incomplete_chunk_size.wav", false},
    {"jstrait-wavefile/invalid/riff_chunk_has_no_child_chunks.wav", false},
    {"jstrait-wavefile/invalid/smpl_chunk_empty.wav", true, true, 2, 44100, 16, 8960, 52, true, 4294967295u,
     4294967295u},
    {"jstrait-wavefile/invalid/smpl_chunk_loop_count_too_high.wav", true, true, 2, 44100, 16, 8960, 112, true, 0u, 0u},
    {"jstrait-wavefile/invalid/smpl_chunk_truncated.wav", true, true, 2, 44100, 16, 8960, 44, false, 0, 0},
    {"jstrait-wavefile/invalid/smpl_chunk_truncated_sampler_data.wav", true, true, 2, 44100, 16, 8960, 44, true, 0u,
     0u},
    {"jstrait-wavefile/invalid/unsupported_format_extension_size_incomplete.wav", false},
    {"jstrait-wavefile/invalid/unsupported_format_extension_size_incomplete_with_padding_byte.wav", false},
    {"jstrait-wavefile/invalid/unsupported_format_extension_truncated.wav", false},
    {"jstrait-wavefile/invalid/unsupported_format_oversized_extension_too_large.wav", false},
    {"jstrait-wavefile/unsupported/bad_channel_count.wav", true, false, 0, 44100, 16, 0, 44, false, 0, 0},
    {"jstrait-wavefile/unsupported/bad_sample_rate.wav", true, false, 2, 0, 16, 0, 44, false, 0, 0},
    {"jstrait-wavefile/unsupported/extensible_container_size_bigger_than_sample_size.wav", false},
    {"jstrait-wavefile/unsupported/extensible_unsupported_subformat_guid.wav", false},
    {"jstrait-wavefile/unsupported/unsupported_audio_format.wav", false},
    {"jstrait-wavefile/unsupported/unsupported_bits_per_sample.wav", true, false, 2, 44100, 20, 0, 44, false, 0, 0},
    {"jstrait-wavefile/unsupported/unsupported_format_code_missing_extension_size.wav", false},
    {"jstrait-wavefile/unsupported/unsupported_format_code_with_extension.wav", false},
    {"jstrait-wavefile/unsupported/unsupported_format_code_with_extension_and_extra_bytes.wav", false},
    {"jstrait-wavefile/unsupported/unsupported_format_code_with_incomplete_extension.wav", false},
    {"jstrait-wavefile/unsupported/unsupported_format_code_with_oversized_extension.wav", false},
    {"jstrait-wavefile/unsupported/unsupported_format_code_with_oversized_extension_and_extra_bytes.wav", false},
    {"jstrait-wavefile/valid/extensible_mono_pcm_16_44100.wav", false},
    {"jstrait-wavefile/valid/extensible_stereo_pcm_8_44100.wav", false},
    {"jstrait-wavefile/valid/float_format_chunk_missing_extension_size.wav", false},
    {"jstrait-wavefile/valid/format_chunk_extra_bytes_with_odd_size_and_padding_byte.wav", false},
    {"jstrait-wavefile/valid/format_chunk_with_extra_byte_and_padding_byte.wav", false},
    {"jstrait-wavefile/valid/format_chunk_with_extra_bytes.wav", true, true, 1, 44100, 8, 2240, 52, false, 0, 0},
    {"jstrait-wavefile/valid/mono_float_32_44100.wav", false},
    {"jstrait-wavefile/valid/mono_pcm_16_44100.wav", true, true, 1, 44100, 16, 4480, 44, false, 0, 0},
    {"jstrait-wavefile/valid/mono_pcm_16_44100_junk_chunk_final_chunk_missing_padding_byte.wav", true, true, 1, 44100,
     16, 4480, 44, false, 0, 0},
    {"jstrait-wavefile/valid/mono_pcm_16_44100_junk_chunk_with_padding_byte.wav", false},
    {"jstrait-wavefile/valid/mono_pcm_16_44100_with_extension.wav", true, true, 1, 44100, 16, 4480, 80, false, 0, 0},
    {"jstrait-wavefile/valid/mono_pcm_24_44100.wav", true, false, 1, 44100, 24, 6720, 44, false, 0, 0},
    {"jstrait-wavefile/valid/mono_pcm_32_44100.wav", true, false, 1, 44100, 32, 8960, 44, false, 0, 0},
    {"jstrait-wavefile/valid/mono_pcm_8_44100.wav", true, true, 1, 44100, 8, 2240, 44, false, 0, 0},
    {"jstrait-wavefile/valid/mono_pcm_8_44100_with_padding_byte.wav", true, true, 1, 44100, 8, 2241, 44, false, 0, 0},
    {"jstrait-wavefile/valid/no_samples.wav", true, false, 1, 44100, 8, 0, 44, false, 0, 0},
    {"jstrait-wavefile/valid/stereo_pcm_16_44100.wav", true, true, 2, 44100, 16, 8960, 44, false, 0, 0},
    {"jstrait-wavefile/valid/stereo_pcm_8_44100.wav", true, true, 2, 44100, 8, 4480, 44, false, 0, 0},
    {"jstrait-wavefile/valid/tri_pcm_16_44100.wav", true, false, 3, 44100, 16, 13440, 44, false, 0, 0},
    {"jstrait-wavefile/valid/with_multiple_smpl_chunks_after_data_chunk.wav", true, true, 1, 44100, 8, 2240, 44, true,
     10u, 15u},
    {"jstrait-wavefile/valid/with_multiple_smpl_chunks_before_and_after_data_chunk.wav", true, true, 1, 44100, 8, 2240,
     112, true, 10u, 15u},
    {"jstrait-wavefile/valid/with_multiple_smpl_chunks_before_data_chunk.wav", true, true, 1, 44100, 8, 2240, 208, true,
     10u, 15u},
    {"jstrait-wavefile/valid/with_smpl_chunk_after_data_chunk.wav", true, true, 2, 44100, 16, 8960, 44, true, 0u, 0u},
    {"jstrait-wavefile/valid/with_smpl_chunk_after_data_chunk_and_data_chunk_has_padding_byte.wav", true, true, 1,
     44100, 8, 2241, 44, false, 0, 0},
    {"jstrait-wavefile/valid/with_smpl_chunk_before_data_chunk.wav", true, true, 2, 44100, 16, 8960, 112, true, 0u, 0u},
    {"jstrait-wavefile/valid/with_smpl_chunk_no_loops.wav", true, true, 2, 44100, 16, 8960, 88, false, 0, 0},
    {"jstrait-wavefile/valid/with_smpl_chunk_with_extra_unused_bytes.wav", true, true, 2, 44100, 16, 8960, 120, true,
     0u, 0u},
    {"jstrait-wavefile/valid/with_smpl_chunk_with_fields_out_of_range.wav", true, true, 2, 44100, 16, 8960, 112, true,
     39999996u, 39999996u},
    {"jstrait-wavefile/valid/with_smpl_chunk_with_sampler_data.wav", true, true, 2, 44100, 16, 8960, 116, true, 0u, 0u},
    {"libsndfile/seed-01.wav", false},
    {"libsndfile/seed-02.wav", false},
    {"monogame/bark_mono_11hz_8bit.wav", true, true, 1, 11025, 8, 17769, 44, false, 0, 0},
    {"monogame/tone_mono_44khz_16bit.wav", true, true, 1, 44100, 16, 44100, 44, false, 0, 0},
    {"monogame/tone_mono_44khz_imaadpcm.wav", false},
    {"monogame/tone_mono_44khz_msadpcm.wav", false},
    {"monogame/tone_stereo_44khz_8bit.wav", true, true, 2, 44100, 8, 44100, 44, false, 0, 0},
    {"monogame/tone_stereo_44khz_imaadpcm.wav", false},
    {"rochars-wavefile/16-bit-8kHz-noBext-mono.wav", true, true, 1, 8000, 16, 96000, 104, false, 0, 0},
    {"rochars-wavefile/16bit-8kHz-1c-reaper-utf8cue.wav", true, true, 1, 8000, 16, 18356, 44, false, 0, 0},
    {"rochars-wavefile/16bit-9khz-1c-1region-reaper.wav", true, true, 1, 8000, 16, 36086, 44, true, 8000u, 16000u},
    {"rochars-wavefile/4bit-imaadpcm-8kHz-noBext-mono.wav", false},
    {"rochars-wavefile/8bit-alaw-8kHz-noBext-mono-encoded.wav", false},
    {"rochars-wavefile/Audacity-16bit.wav", true, true, 2, 8000, 16, 125972, 44, false, 0, 0},
    {"scipy/test-1234Hz-le-1ch-10S-20bit-extra.wav", true, false, 1, 1234, 20, 30, 44, false, 0, 0},
    {"scipy/test-44100Hz-2ch-32bit-float-be.wav", false},
    {"scipy/test-44100Hz-2ch-32bit-float-le.wav", false},
    {"scipy/test-44100Hz-be-1ch-4bytes.wav", false},
    {"scipy/test-44100Hz-le-1ch-4bytes-early-eof-no-data.wav", false},
    {"scipy/test-44100Hz-le-1ch-4bytes-early-eof.wav", false},
    {"scipy/test-44100Hz-le-1ch-4bytes-incomplete-chunk.wav", false},
    {"scipy/test-44100Hz-le-1ch-4bytes-rf64.wav", false},
    {"scipy/test-44100Hz-le-1ch-4bytes.wav", false},
    {"scipy/test-48000Hz-2ch-64bit-float-le-wavex.wav", false},
    {"scipy/test-8000Hz-be-3ch-5S-24bit.wav", false},
    {"scipy/test-8000Hz-le-1ch-1byte-ulaw.wav", false},
    {"scipy/test-8000Hz-le-2ch-1byteu.wav", true, true, 2, 8000, 8, 1600, 44, false, 0, 0},
    {"scipy/test-8000Hz-le-3ch-5S-24bit-inconsistent.wav", true, false, 3, 8000, 24, 45, 44, false, 0, 0},
    {"scipy/test-8000Hz-le-3ch-5S-24bit-rf64.wav", false},
    {"scipy/test-8000Hz-le-3ch-5S-24bit.wav", true, false, 3, 8000, 24, 45, 44, false, 0, 0},
    {"scipy/test-8000Hz-le-3ch-5S-36bit.wav", true, false, 3, 8000, 36, 75, 44, false, 0, 0},
    {"scipy/test-8000Hz-le-3ch-5S-45bit.wav", true, false, 3, 8000, 45, 90, 44, false, 0, 0},
    {"scipy/test-8000Hz-le-3ch-5S-53bit.wav", true, false, 3, 8000, 53, 105, 44, false, 0, 0},
    {"scipy/test-8000Hz-le-3ch-5S-64bit.wav", true, false, 3, 8000, 64, 120, 44, false, 0, 0},
    {"scipy/test-8000Hz-le-4ch-9S-12bit.wav", true, false, 4, 8000, 12, 72, 44, false, 0, 0},
    {"scipy/test-8000Hz-le-5ch-9S-5bit.wav", true, false, 5, 8000, 5, 45, 44, false, 0, 0},
};

std::string Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

using WavCorpus = soundtest::WithSound;

TEST_F(WavCorpus, EveryFileIsReadByTheRules) {
    const std::string root = std::string(STALKWAY_CORPORA) + "/wav/";
    int accepted = 0;
    for (const CorpusFile& f : kCorpus) {
        SCOPED_TRACE(f.path);
        const std::string path = root + f.path;
        SNDSample* slot = QZSound::AllocSample();
        HANDLE file = slot->OpenSoundFile(path.c_str());
        ASSERT_EQ(file != INVALID_HANDLE_VALUE, f.accepted);
        if (file != INVALID_HANDLE_VALUE) {
            ++accepted;
            CloseHandle(file);
            EXPECT_EQ(slot->m_dwChannels, f.channels);
            EXPECT_EQ(slot->m_dwSampleRate, f.rate);
            EXPECT_EQ(slot->m_dwBits, f.bits);
            EXPECT_EQ(slot->m_dwDataSize, f.dataSize);
            EXPECT_EQ((slot->m_dwFlags & SND_LOOP) != 0, f.loops);
            EXPECT_EQ(slot->m_dwLoopStart, f.loopStart);
            EXPECT_EQ(slot->m_dwLoopEnd, f.loopEnd);
        }
        QZSound::ClearSample(slot);

        ASSERT_EQ(g_QZSound.LoadSample(path.c_str(), 7), f.loads ? 1 : 0);
        if (!f.loads) {
            EXPECT_EQ(SlotsInUse(), 0);
            continue;
        }
        SNDSample* loaded = g_QZSound.FindSample(7);
        ASSERT_NE(loaded, nullptr);
        LPVOID part = nullptr;
        DWORD bytes = 0;
        ASSERT_EQ(loaded->m_pBuffer->Lock(0, 0, &part, &bytes, nullptr, nullptr, DSBLOCK_ENTIREBUFFER), DS_OK);
        const std::string raw = Bytes(path);
        ASSERT_EQ(bytes, f.dataSize);
        EXPECT_EQ(std::memcmp(part, raw.data() + f.dataAt, bytes), 0);
        loaded->m_pBuffer->Unlock(part, bytes, nullptr, 0);
        g_QZSound.FreeSample(loaded);
    }
    EXPECT_EQ(accepted, 68);
}

}  // namespace

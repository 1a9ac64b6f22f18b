// The library's volume and pan scales (0 to 0xFFFF) in the device's hundredths of a decibel.
#include <array>
#include <cmath>
#include <cstdint>

#include "sound/qz_sound.h"

namespace {

constexpr int kEntries = 16384;

// Entry i: 1000 x log2(i / 16384), truncated toward zero, not below -10000: each halving of the
// index is 10 dB quieter.
std::array<std::int16_t, kEntries> MakeVolumeTable() {
    std::array<std::int16_t, kEntries> table{};
    table[0] = -10000;
    for (int i = 1; i < kEntries; ++i) {
        const double value = std::trunc(1000.0 * std::log2(static_cast<double>(i) / kEntries));
        table[i] = static_cast<std::int16_t>(value < -10000.0 ? -10000.0 : value);
    }
    return table;
}

const std::array<std::int16_t, kEntries> g_VolumeTable = MakeVolumeTable();

}  // namespace

int QZSound::MapVolume(int volume) {
    if (volume > 0xFFFF) return g_VolumeTable[kEntries - 1];
    if (volume < 0) return g_VolumeTable[0];
    return g_VolumeTable[volume >> 2];
}

// 0x8000 is the centre; larger values move the sound left, smaller ones right, and 0 (like
// anything below 1) is fully right.
int QZSound::MapPan(int pan) {
    if (pan > 0xFFFF) return -10000;
    if (pan >= 0x8000) return g_VolumeTable[kEntries - 1 - (pan - 0x8000) / 2];
    if (pan >= 1) return -g_VolumeTable[pan / 2];
    return 10000;
}

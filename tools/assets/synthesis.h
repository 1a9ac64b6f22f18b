// The building blocks of the game's sounds: a buffer of float samples that notes are mixed into,
// a few voices (struck bell partials, a plucked string, a soft reed, noise), and the step to
// 16-bit samples. A looping buffer mixes around its end, so that whatever rings on past the end
// sounds again at the start and the loop has no seam.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/assets/file_writers.h"

namespace assets {

inline constexpr int kSampleRate = 22050;

class SoundMix {
public:
    SoundMix(int channels, double seconds, bool loops);

    int Channels() const { return channels_; }
    std::size_t Frames() const { return frames_; }
    // Adds a mono voice at `start` seconds with the given gain, panned from -1 (left) to 1.
    void Add(const std::vector<float>& voice, double start, float gain, float pan = 0);
    // A feedback echo over the whole mix (around the loop when it loops).
    void Echo(double delay, float feedback, float wet);
    // 16-bit samples, the loudest peak at `peak` of full scale; the ends fade over a few
    // milliseconds unless the sound loops.
    Sound Finish(float peak) const;

private:
    int channels_;
    std::size_t frames_;
    bool loops_;
    std::vector<float> samples_;  // interleaved
};

double NoteHz(int midiNote);

// Struck metal: inharmonic partials dying away at different speeds.
std::vector<float> Bell(double hz, double seconds, std::uint64_t seed);
// A plucked string (Karplus-Strong), bright at the pluck, mellow as it fades.
std::vector<float> Pluck(double hz, double seconds, float brightness, std::uint64_t seed);
// A soft reed: a few harmonics, gentle attack and release, a little vibrato.
std::vector<float> Reed(double hz, double seconds, int harmonics = 6, float vibrato = 0.004f);
// A pitch gliding from `fromHz` to `toHz`, decaying with time constant `decay` seconds.
std::vector<float> Glide(double fromHz, double toHz, double seconds, double decay);
// Noise through a one-pole low-pass at about `cutoffHz`, decaying with time constant `decay`.
std::vector<float> Hiss(double seconds, double cutoffHz, double decay, std::uint64_t seed);
// A buzzing tone of odd harmonics (a square wave's), for the refusal sound.
std::vector<float> Buzz(double hz, double seconds);

}  // namespace assets

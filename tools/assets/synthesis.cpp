#include "tools/assets/synthesis.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "maze/rng.h"

namespace assets {

namespace {

constexpr double kTau = 2 * std::numbers::pi;

std::size_t FramesOf(double seconds) { return static_cast<std::size_t>(std::lround(seconds * kSampleRate)); }

// Rises over `attack` and falls over `release` seconds at the ends.
float Edges(std::size_t i, std::size_t n, double attack, double release) {
    const double t = static_cast<double>(i) / kSampleRate;
    const double left = static_cast<double>(n - i) / kSampleRate;
    return static_cast<float>(std::min({1.0, t / attack, left / release}));
}

}  // namespace

SoundMix::SoundMix(int channels, double seconds, bool loops)
    : channels_(channels), frames_(FramesOf(seconds)), loops_(loops), samples_(frames_ * channels, 0.0f) {}

void SoundMix::Add(const std::vector<float>& voice, double start, float gain, float pan) {
    const auto first = static_cast<std::size_t>(std::lround(start * kSampleRate));
    const float left = channels_ == 1 ? gain : gain * std::sqrt(0.5f * (1 - pan));
    const float right = gain * std::sqrt(0.5f * (1 + pan));
    for (std::size_t i = 0; i < voice.size(); ++i) {
        std::size_t frame = first + i;
        if (frame >= frames_) {
            if (!loops_) break;
            frame %= frames_;
        }
        if (channels_ == 1) {
            samples_[frame] += voice[i] * left;
        } else {
            samples_[2 * frame] += voice[i] * left;
            samples_[2 * frame + 1] += voice[i] * right;
        }
    }
}

void SoundMix::Echo(double delay, float feedback, float wet) {
    const std::size_t lag = FramesOf(delay) * channels_;
    const std::vector<float> dry = samples_;
    std::vector<float> echo(samples_.size(), 0.0f);
    const std::size_t n = samples_.size();
    // Around a loop, the echo goes round three times so that its start hears the end before it.
    const std::size_t laps = loops_ ? 3 : 1;
    for (std::size_t k = 0; k < laps * n; ++k) {
        const std::size_t i = k % n;
        const bool hasPast = loops_ || k >= lag;
        // The other channel's past, so that the echo wanders between the ears.
        const std::size_t from = (i + n - lag % n) % n;
        const std::size_t cross = channels_ == 2 ? (from ^ 1) : from;
        echo[i] = hasPast ? (dry[cross] + echo[cross]) * feedback : 0.0f;
    }
    for (std::size_t i = 0; i < n; ++i) samples_[i] = dry[i] + echo[i] * wet;
}

Sound SoundMix::Finish(float peak) const {
    float loudest = 1e-6f;
    for (float s : samples_) loudest = std::max(loudest, std::abs(s));
    const float gain = peak * 32767.0f / loudest;
    Sound sound;
    sound.channels = channels_;
    sound.rate = kSampleRate;
    sound.loops = loops_;
    sound.samples.reserve(samples_.size());
    for (std::size_t i = 0; i < samples_.size(); ++i) {
        const std::size_t frame = i / channels_;
        const float fade = loops_ ? 1.0f : Edges(frame, frames_, 0.002, 0.01);
        const long value = std::lround(samples_[i] * gain * fade);
        sound.samples.push_back(static_cast<std::int16_t>(std::clamp(value, -32767L, 32767L)));
    }
    return sound;
}

double NoteHz(int midiNote) { return 440.0 * std::pow(2.0, (midiNote - 69) / 12.0); }

std::vector<float> Bell(double hz, double seconds, std::uint64_t seed) {
    Rng rng(seed);
    const double ratios[] = {1.0, 2.0, 2.76, 4.07, 5.43, 8.93};
    const double decays[] = {0.9, 0.5, 0.32, 0.2, 0.12, 0.06};
    const double levels[] = {1.0, 0.55, 0.45, 0.25, 0.2, 0.1};
    std::vector<float> out(FramesOf(seconds), 0.0f);
    for (int p = 0; p < 6; ++p) {
        const double phase = rng.Unit() * kTau;
        const double f = hz * ratios[p];
        for (std::size_t i = 0; i < out.size(); ++i) {
            const double t = static_cast<double>(i) / kSampleRate;
            out[i] += static_cast<float>(levels[p] * std::exp(-t / (decays[p] * seconds)) *
                                         std::sin(kTau * f * t + phase));
        }
    }
    for (std::size_t i = 0; i < out.size(); ++i) out[i] *= Edges(i, out.size(), 0.001, 0.02);
    return out;
}

std::vector<float> Pluck(double hz, double seconds, float brightness, std::uint64_t seed) {
    Rng rng(seed);
    const auto period = std::max<std::size_t>(2, static_cast<std::size_t>(std::lround(kSampleRate / hz)));
    std::vector<float> line(period);
    // A softened burst: the string is plucked, not struck.
    float previous = 0;
    for (float& s : line) {
        const float raw = static_cast<float>(rng.Unit() * 2 - 1);
        s = previous + (raw - previous) * brightness;
        previous = s;
    }
    std::vector<float> out(FramesOf(seconds));
    for (std::size_t i = 0; i < out.size(); ++i) {
        const std::size_t at = i % period;
        const float next = line[(at + 1) % period];
        out[i] = line[at];
        line[at] = 0.4985f * (line[at] + next);
    }
    for (std::size_t i = 0; i < out.size(); ++i) out[i] *= Edges(i, out.size(), 0.002, 0.05);
    return out;
}

std::vector<float> Reed(double hz, double seconds, int harmonics, float vibrato) {
    std::vector<float> out(FramesOf(seconds), 0.0f);
    double phase = 0;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        const double wobble = 1 + vibrato * std::sin(kTau * 5.2 * t) * std::min(1.0, t / 0.25);
        phase += kTau * hz * wobble / kSampleRate;
        double s = 0;
        for (int h = 1; h <= harmonics; ++h) s += std::sin(phase * h) / (h * h * 0.6 + 0.4);
        out[i] = static_cast<float>(s) * Edges(i, out.size(), 0.04, 0.12);
    }
    return out;
}

std::vector<float> Glide(double fromHz, double toHz, double seconds, double decay) {
    std::vector<float> out(FramesOf(seconds));
    double phase = 0;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        const double hz = fromHz * std::pow(toHz / fromHz, t / seconds);
        phase += kTau * hz / kSampleRate;
        out[i] = static_cast<float>(std::sin(phase) * std::exp(-t / decay)) * Edges(i, out.size(), 0.001, 0.01);
    }
    return out;
}

std::vector<float> Hiss(double seconds, double cutoffHz, double decay, std::uint64_t seed) {
    Rng rng(seed);
    std::vector<float> out(FramesOf(seconds));
    const float k = static_cast<float>(1 - std::exp(-kTau * cutoffHz / kSampleRate));
    float state = 0;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        state += k * (static_cast<float>(rng.Unit() * 2 - 1) - state);
        out[i] = state * static_cast<float>(std::exp(-t / decay)) * Edges(i, out.size(), 0.001, 0.01);
    }
    return out;
}

std::vector<float> Buzz(double hz, double seconds) {
    std::vector<float> out(FramesOf(seconds), 0.0f);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        double s = 0;
        for (int h = 1; h <= 9; h += 2) s += std::sin(kTau * hz * h * t) / h + std::sin(kTau * hz * 1.006 * h * t) / h;
        out[i] = static_cast<float>(s * 0.5) * Edges(i, out.size(), 0.005, 0.06);
    }
    return out;
}

}  // namespace assets

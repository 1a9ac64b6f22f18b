// The sound device in the browser. A thread of the program asks the mixer for frames and keeps a
// short ring of them full; the page's audio worklet (Web Audio, started at the first click or key)
// empties it straight from the shared memory, on the browser's audio thread, or, in a browser
// without worklets, the page's own thread through Pull. Until the page plays, the ring stays full
// and the mixer is not asked.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <thread>

#include "platform/core/backend.h"
#include "platform/web/spsc_ring.h"

namespace platform::web {

class WebAudio {
public:
    static constexpr int kRate = 44100;

    ~WebAudio() { Close(); }
    bool Open(AudioSource* source, AudioDeviceInfo* info);
    bool Start();
    void Stop();
    void Close();

    // The page's thread: up to `frames` stereo frames into `out`; returns how many there were.
    std::size_t Pull(std::int16_t* out, std::size_t frames);

    // The page's sound has started (the player's first click or key): from now on what is played
    // is heard.
    void StartHearing() { heard_ = true; }
    bool Heard() const { return heard_; }

    // 16-bit samples, left and right taking turns.
    using Ring = SpscRing<std::int16_t, 8192>;
    // For the worklet, which empties the ring itself.
    Ring::Layout SharedRing() const { return ring_.Shared(); }

private:
    void Fill();

    // About 46 ms ahead of the page at most: enough to ride over a late callback, short enough
    // that an effect follows its click.
    static constexpr std::size_t kAheadSamples = 2048 * 2;
    static constexpr std::size_t kChunkFrames = 256;
    Ring ring_;
    std::mutex renderMutex_;  // held while the source renders, so that Stop can wait it out
    AudioSource* source_ = nullptr;
    bool playing_ = false;
    std::atomic<bool> quit_{false};
    std::atomic<bool> heard_{false};
    std::thread filler_;
};

}  // namespace platform::web

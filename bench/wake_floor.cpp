// The wake-ups a still game cannot do without, and nothing else: one thread woken every 10 ms, as
// the frame loop is by the tick, and one every 1024 frames at 44.1 kHz, as the sound device's
// thread is, both sleeping to absolute times. bench.sh measures it beside the idle rows: on a
// virtual machine what a wake-up costs moves with the host's load, and this shows how much of a
// still game's figure is that cost alone. Runs for the seconds given, then exits.
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

// Wakes at every multiple of `period` after the start until `end`, on a timed condition wait
// (the frame loop's kind of sleep).
void WakeEvery(Clock::duration period, Clock::time_point end) {
    std::mutex mutex;
    std::condition_variable never;
    std::unique_lock lock(mutex);
    for (auto due = Clock::now() + period; due < end; due += period) never.wait_until(lock, due);
}

// The same with plain sleeps (the sound thread's kind).
void SleepEvery(Clock::duration period, Clock::time_point end) {
    for (auto due = Clock::now() + period; due < end; due += period) std::this_thread::sleep_until(due);
}

}  // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 10;
    const auto end = Clock::now() + std::chrono::seconds(seconds);
    std::thread sound([end] { SleepEvery(std::chrono::microseconds(1024 * 1000000LL / 44100), end); });
    WakeEvery(std::chrono::milliseconds(10), end);
    sound.join();
    return 0;
}

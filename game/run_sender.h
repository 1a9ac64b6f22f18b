// Sends the game's runs to the world hall of fame from a thread of its own, so that no frame
// waits for the network. A run is queued in the player's folder first (RunQueue) and leaves the
// queue once the server has taken it, or has refused it as a bad run; while the server cannot be
// reached, or fails, the runs wait and are tried again later, or at the next start.
//
// The thread is the standard library's, timed by the real clock: the network's time is real even
// when the program's clock is virtual, and a thread of the program's own would count among those
// virtual time waits for at every tick.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "game/run_queue.h"

// {"maze": "classic" | N, "player": NAME, "moves": MOVES} as one line of JSON: only the player's
// name goes with the moves, never the other fields of the player's record.
std::string WorldRunJson(std::uint32_t maze, const std::string& player, const std::string& moves);

class RunSender {
public:
    // How long one request may take, and how long the end of the program waits for the last
    // sending before it leaves the rest in the queue.
    static constexpr int kRequestMs = 3000;
    static constexpr std::chrono::seconds kStopWait{8};
    // How soon runs that could not be sent are tried again while the program runs.
    static constexpr std::chrono::seconds kRetry{60};

    ~RunSender();

    // Sends to `server` the runs of `maze`, queued in `queueFile`, starting with those an earlier
    // run of the program left. Nothing is started when `server` is empty.
    void Start(const std::string& server, std::uint32_t maze, const std::string& queueFile);
    bool Started() const { return shared_ != nullptr; }
    // Queues the run and wakes the thread; false when it was not queued (no server, or the queue
    // file could not be stored).
    bool Send(const std::string& player, const std::string& moves);
    // Has every queued run tried once more and waits for that, at most kStopWait; what could not be
    // sent stays in the queue.
    void Stop();

private:
    struct Shared;
    static void Work(std::shared_ptr<Shared> shared);
    static void SendQueued(Shared& shared);

    std::shared_ptr<Shared> shared_;
    std::thread thread_;
    std::uint32_t maze_ = 0;
};

extern RunSender g_RunSender;

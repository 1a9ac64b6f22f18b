// The runs waiting to be sent to the world hall of fame: a text file in the player's folder, one
// run a line, oldest first, stored whole through the storage path on every change. A run stays
// until the server has taken or refused it, so a closed game or a crash loses none; games side by
// side in one folder take turns on it under a lock (a run two of them send at once is stored once
// by the server).
#pragma once

#include <mutex>
#include <optional>
#include <string>
#include <vector>

class RunQueue {
public:
    explicit RunQueue(std::string file) : file_(std::move(file)) {}

    // False when the file could not be read or stored: the run is not queued.
    bool Append(const std::string& run);
    // The oldest run; empty when none waits or the file cannot be read.
    std::optional<std::string> Front();
    // Removes the first run equal to `run`; false when the file could not be stored.
    bool Remove(const std::string& run);
    const std::string& File() const { return file_; }

private:
    // The runs in the file; empty when the file is missing, nothing when it cannot be read.
    std::optional<std::vector<std::string>> Read() const;
    bool Store(const std::vector<std::string>& runs) const;

    std::string file_;
    // Threads of one program take turns here; programs take turns on the file lock.
    std::mutex lock_;
};

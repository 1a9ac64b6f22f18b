// Plays a script into the headless program: input before each tick, screenshots between ticks,
// and a log of what the program shows and starts.
#pragma once

#include <cstdint>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "platform/headless/headless.h"
#include "tools/replay/script.h"

namespace replay {

class ScriptDriver : public platform::headless::Driver {
public:
    ScriptDriver(std::vector<Command> commands, std::string shotsDir);

    bool OpenLog(const std::string& path);
    // One log line: the frames run so far, a kind and its detail.
    void Log(const std::string& kind, const std::string& detail);
    // Problems met while playing (a shot before the first picture, a screenshot or a log line that
    // could not be written), each already told on the standard error, for the exit status.
    bool Failed() const { return failed_; }

    // Called after every tick with the tick and whether the script has ended (run out or closed).
    void SetTickObserver(std::function<void(std::uint64_t tick, bool ended)> observer) {
        observer_ = std::move(observer);
    }

    void BeforeTick(std::uint64_t tick) override;
    void AfterTick(std::uint64_t tick) override;
    void OnMessageBox(const char* text, const char* caption) override;
    void OnShellExecute(const char* verb, const char* file, const char* params, const char* directory) override;
    // One line: the frames run so far and the text.
    void OnDebugString(const char* text) override;

private:
    // Runs commands until one of them takes frames; returns how many it takes.
    std::uint64_t RunUntilFrames();
    std::uint64_t Run(const Command& command);
    void TakeShot(const std::string& name);
    // Logs the script's lines that a `close` leaves unrun, which the program never sees.
    void ReportSkipped();
    // Notes a log that stopped taking lines, once.
    void CheckLog();

    std::vector<Command> commands_;
    size_t next_ = 0;
    std::uint64_t framesLeft_ = 0;
    bool closing_ = false;
    std::uint64_t closedAtTick_ = 0;
    std::string shotsDir_;
    std::ofstream log_;
    bool failed_ = false;
    bool logFailed_ = false;
    std::function<void(std::uint64_t, bool)> observer_;
};

}  // namespace replay

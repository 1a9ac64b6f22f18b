// The runner's core: options, script, headless set-up and the run.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/headless/headless.h"
#include "stalkway_version.h"
#include "tools/replay/frame_stats.h"
#include "tools/replay/memory_watch.h"
#include "tools/replay/replay_options.h"
#include "tools/replay/replay.h"
#include "tools/replay/script_driver.h"
#include "tools/replay/wav_writer.h"

namespace {

int UsageError(const std::string& problem) {
    std::fprintf(stderr, "stalkway-replay: %s\n%s", problem.c_str(), replay::Usage().c_str());
    return 2;
}

// Before the program starts, after the backend was reset.
void InjectFault(const std::string& what) {
    namespace headless = platform::headless;
    if (what == "sound-device") {
        headless::AudioDevice none;
        none.present = false;
        headless::SetAudioDevice(none);
    } else if (what == "timer") {
        headless::FailTimers(true);
    } else if (what == "write") {
        headless::FailWrites(true);
    } else if (what == "launch") {
        headless::FailPrograms(true);
    } else {
        headless::HideFile(what.substr(6));
    }
}

}  // namespace

namespace replay {

int RunReplay(const std::vector<std::string>& arguments, const Program& program) {
    return RunReplay(arguments, std::map<std::string, Program>{{"stalkway", program}});
}

int RunReplay(const std::vector<std::string>& arguments, const std::map<std::string, Program>& programs) {
    Options options;
    if (const std::string problem = ParseOptions(arguments, &options); !problem.empty()) return UsageError(problem);
    if (options.action == Options::Action::ShowHelp) {
        std::fputs(Usage().c_str(), stdout);
        return 0;
    }
    if (options.action == Options::Action::ShowVersion) {
        std::printf("%s\n", VersionLine("stalkway-replay").c_str());
        return 0;
    }
    // A folder opens as a file and reads as nothing: an empty script that would run in silence.
    std::error_code ignored;
    if (std::filesystem::is_directory(options.script, ignored))
        return UsageError(options.script + " is a folder, not a script");
    const auto chosen = programs.find(options.program);
    if (chosen == programs.end()) return UsageError("no program named " + options.program);
    const Program& program = chosen->second;
    std::ifstream file(options.script, std::ios::binary);
    if (!file) return UsageError("cannot read " + options.script);
    std::stringstream text;
    text << file.rdbuf();
    std::vector<Command> commands;
    std::string error;
    if (!ParseScript(text.str(), &commands, &error)) {
        std::fprintf(stderr, "stalkway-replay: %s: %s\n", options.script.c_str(), error.c_str());
        return 2;
    }

    ScriptDriver driver(std::move(commands), options.shots);
    if (!options.log.empty() && !driver.OpenLog(options.log)) return UsageError("cannot write " + options.log);
    std::ofstream audio;
    if (!options.audio.empty()) {
        audio.open(options.audio, std::ios::out | std::ios::trunc | std::ios::binary);
        if (!audio) return UsageError("cannot write " + options.audio);
    }
    platform::headless::Reset();
    platform::headless::CaptureAudio(audio.is_open());
    platform::headless::SetDesktopBits(options.depth);
    platform::headless::SetTimeOfDay(options.seed);
    for (const std::string& fault : options.faults) InjectFault(fault);
    MemoryWatch memory;
    if (options.stats)
        driver.SetTickObserver([&memory](std::uint64_t tick, bool ended) { memory.AfterTick(tick, ended); });
    FrameStats stats(&driver);
    const bool timing = options.stats || !options.frameTimes.empty();
    if (timing) platform::headless::SetDriver(&stats);
    else platform::headless::SetDriver(&driver);

    const int exitCode = program(options.launcherDir.data());
    if (options.stats) memory.Print(stdout);
    platform::headless::SetDriver(nullptr);
    if (options.stats) stats.Print(stdout);
    if (!options.frameTimes.empty() && !stats.WriteFrameTimes(options.frameTimes)) {
        std::fprintf(stderr, "stalkway-replay: cannot write %s\n", options.frameTimes.c_str());
        return 2;
    }
    if (audio.is_open() && !WriteWav(audio, platform::headless::CapturedAudio(), platform::headless::kAudioRate)) {
        std::fprintf(stderr, "stalkway-replay: cannot write %s\n", options.audio.c_str());
        return 2;
    }
    // The program's own failure says more; otherwise a run that lost a shot or a log line is no
    // clean run, and a caller must not take its output for complete.
    if (exitCode == 0 && driver.Failed()) {
        std::fprintf(stderr, "stalkway-replay: the script did not run cleanly\n");
        return 2;
    }
    return exitCode;
}

}  // namespace replay

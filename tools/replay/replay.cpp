// The runner's core: options, script, headless set-up and the run.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/headless/headless.h"
#include "tools/replay/frame_stats.h"
#include "tools/replay/memory_watch.h"
#include "tools/replay/replay.h"
#include "tools/replay/script_driver.h"
#include "tools/replay/wav_writer.h"

namespace {

struct Options {
    std::string shots = ".";
    std::string log;
    int depth = 16;
    long long seed = 0;
    std::string script;
    std::string launcherDir;
    std::string audio;
    std::vector<std::string> faults;
    bool stats = false;
    std::string program = "stalkway";
};

int Usage(const char* problem) {
    std::fprintf(stderr, "stalkway-replay: %s\n", problem);
    std::fprintf(stderr,
                 "usage: stalkway-replay [--program NAME] [--shots DIR] [--log FILE] [--audio FILE] [--depth BITS] "
                 "[--seed N] [--fail WHAT]... [--stats] SCRIPT [LAUNCHER_DIR]\n"
                 "  NAME: stalkway (the game, the default) or portico (the launcher)\n"
                 "  WHAT: sound-device, timer, write, or asset:NAME\n");
    return 2;
}

bool IsFault(const std::string& what) {
    return what == "sound-device" || what == "timer" || what == "write" ||
           (what.rfind("asset:", 0) == 0 && what.size() > 6);
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
    } else {
        headless::HideFile(what.substr(6));
    }
}

bool ParseNumber(const char* text, long long* value) {
    char* end = nullptr;
    *value = std::strtoll(text, &end, 10);
    return end != text && *end == '\0';
}

// Fills `options`; returns an empty text or the problem.
std::string ParseArguments(const std::vector<std::string>& args, Options* options) {
    std::vector<std::string> positional;
    const size_t argc = args.size();
    for (size_t i = 0; i < argc; ++i) {
        const std::string& arg = args[i];
        const bool takesValue = arg == "--shots" || arg == "--log" || arg == "--audio" || arg == "--depth" ||
                                arg == "--seed" || arg == "--fail" || arg == "--program";
        if (takesValue && i + 1 >= argc) return arg + " needs a value";
        long long number = 0;
        if (arg == "--shots") {
            options->shots = args[++i];
        } else if (arg == "--log") {
            options->log = args[++i];
        } else if (arg == "--audio") {
            options->audio = args[++i];
        } else if (arg == "--depth") {
            if (!ParseNumber(args[++i].c_str(), &number) || number <= 0 || number > 64) return "--depth needs bits";
            options->depth = static_cast<int>(number);
        } else if (arg == "--seed") {
            if (!ParseNumber(args[++i].c_str(), &number)) return "--seed needs a number";
            options->seed = number;
        } else if (arg == "--fail") {
            if (!IsFault(args[++i])) return "unknown fault " + args[i];
            options->faults.push_back(args[i]);
        } else if (arg == "--program") {
            options->program = args[++i];
        } else if (arg == "--stats") {
            options->stats = true;
        } else if (arg.rfind("--", 0) == 0) {
            return "unknown option " + arg;
        } else {
            positional.push_back(arg);
        }
    }
    if (positional.empty() || positional.size() > 2) return "give one script and at most one launcher folder";
    options->script = positional[0];
    if (positional.size() == 2) options->launcherDir = positional[1];
    return {};
}

}  // namespace

namespace replay {

int RunReplay(const std::vector<std::string>& arguments, const Program& program) {
    return RunReplay(arguments, std::map<std::string, Program>{{"stalkway", program}});
}

int RunReplay(const std::vector<std::string>& arguments, const std::map<std::string, Program>& programs) {
    Options options;
    if (const std::string problem = ParseArguments(arguments, &options); !problem.empty())
        return Usage(problem.c_str());
    const auto chosen = programs.find(options.program);
    if (chosen == programs.end()) return Usage(("no program named " + options.program).c_str());
    const Program& program = chosen->second;
    std::ifstream file(options.script, std::ios::binary);
    if (!file) return Usage(("cannot read " + options.script).c_str());
    std::stringstream text;
    text << file.rdbuf();
    std::vector<Command> commands;
    std::string error;
    if (!ParseScript(text.str(), &commands, &error)) {
        std::fprintf(stderr, "stalkway-replay: %s: %s\n", options.script.c_str(), error.c_str());
        return 2;
    }

    ScriptDriver driver(std::move(commands), options.shots);
    if (!options.log.empty() && !driver.OpenLog(options.log)) return Usage(("cannot write " + options.log).c_str());
    std::ofstream audio;
    if (!options.audio.empty()) {
        audio.open(options.audio, std::ios::out | std::ios::trunc | std::ios::binary);
        if (!audio) return Usage(("cannot write " + options.audio).c_str());
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
    if (options.stats) platform::headless::SetDriver(&stats);
    else platform::headless::SetDriver(&driver);

    const int exitCode = program(options.launcherDir.data());
    if (options.stats) memory.Print(stdout);
    platform::headless::SetDriver(nullptr);
    if (options.stats) stats.Print(stdout);
    if (audio.is_open() && !WriteWav(audio, platform::headless::CapturedAudio(), platform::headless::kAudioRate)) {
        std::fprintf(stderr, "stalkway-replay: cannot write %s\n", options.audio.c_str());
        return 2;
    }
    if (driver.Failed()) std::fprintf(stderr, "stalkway-replay: the script did not run cleanly\n");
    return exitCode;
}

}  // namespace replay

// stalkway-replay's command line: the options, the script and the launcher's folder.
#pragma once

#include <string>
#include <vector>

namespace replay {

struct Options {
    enum class Action { Run, ShowHelp, ShowVersion };
    Action action = Action::Run;
    std::string shots = ".";
    std::string log;
    int depth = 16;
    long long seed = 0;
    std::string script;
    std::string launcherDir;
    std::string audio;
    std::vector<std::string> faults;
    bool stats = false;
    // Where to write each frame's processor time, one `TICK MICROSECONDS` line per frame.
    std::string frameTimes;
    // stalkway, the game, or portico, the launcher.
    std::string program = "stalkway";
};

// Fills `options` from the arguments after the program's name; returns an empty text, or the
// problem with the command line.
std::string ParseOptions(const std::vector<std::string>& arguments, Options* options);
// The help text, ending in a line end.
std::string Usage();

}  // namespace replay

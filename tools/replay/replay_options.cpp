#include "tools/replay/replay_options.h"

#include <algorithm>
#include <cstdlib>

namespace replay {
namespace {

bool IsFault(const std::string& what) {
    return what == "sound-device" || what == "timer" || what == "write" || what == "launch" ||
           (what.rfind("asset:", 0) == 0 && what.size() > 6);
}

bool ParseNumber(const std::string& text, long long* value) {
    char* end = nullptr;
    *value = std::strtoll(text.c_str(), &end, 10);
    return end != text.c_str() && *end == '\0';
}

struct Option {
    const char* name;
    const char* value;  // the value's name in the help, or null when the option takes none
    const char* help;
    // Returns an empty text, or what is wrong with the value.
    std::string (*apply)(Options* options, const std::string& value);
};

const Option kOptions[] = {
    // These two are taken from the command line before the rest (platform/core/folder_options.h);
    // they are here for the help.
    {"--data", "DIR", "the game's data folder (otherwise found beside the program or here)",
     [](Options*, const std::string&) -> std::string { return {}; }},
    {"--user-dir", "DIR", "where the game's files are written (otherwise the data folder, or the user's folders)",
     [](Options*, const std::string&) -> std::string { return {}; }},
    // Taken by the runner's main before the rest, as it readies the maze the game plays.
    {"--maze", "MAZE", "the maze the game plays: classic (the default), today or a number from 1 to 99999999",
     [](Options*, const std::string&) -> std::string { return {}; }},
    // Taken by the runner's main too: the world hall of fame's server the game sends its runs to.
    {"--server", "URL", "send the game's runs to the world hall of fame at URL (and wait for them at the end)",
     [](Options*, const std::string&) -> std::string { return {}; }},
    {"--program", "NAME", "stalkway, the game (the default), or portico, the launcher, run in the launcher's folder",
     [](Options* o, const std::string& v) {
         o->program = v;
         return std::string();
     }},
    {"--shots", "DIR", "write the script's screenshots into DIR (default: the current folder)",
     [](Options* o, const std::string& v) {
         o->shots = v;
         return std::string();
     }},
    {"--log", "FILE", "write the log of message boxes, programs started and sounds to FILE",
     [](Options* o, const std::string& v) {
         o->log = v;
         return std::string();
     }},
    {"--audio", "FILE", "write everything the mixer played to FILE (WAV)",
     [](Options* o, const std::string& v) {
         o->audio = v;
         return std::string();
     }},
    {"--depth", "BITS", "the desktop's colour depth (default 16)",
     [](Options* o, const std::string& v) {
         long long number = 0;
         if (!ParseNumber(v, &number) || number <= 0 || number > 64) return std::string("--depth needs bits");
         o->depth = static_cast<int>(number);
         return std::string();
     }},
    {"--seed", "N", "the time of day the game reads, in seconds since 1970 (default 0)",
     [](Options* o, const std::string& v) {
         return ParseNumber(v, &o->seed) ? std::string() : std::string("--seed needs a number");
     }},
    {"--fail", "WHAT",
     "run with a fault: sound-device, timer, write, launch, or asset:NAME (more than once for several)",
     [](Options* o, const std::string& v) {
         if (!IsFault(v)) return "unknown fault " + v;
         o->faults.push_back(v);
         return std::string();
     }},
    {"--stats", nullptr, "print the frames' times and the memory at the end",
     [](Options* o, const std::string&) {
         o->stats = true;
         return std::string();
     }},
    {"--frame-times", "FILE", "write each frame's processor and wall time to FILE, a line TICK MICROSECONDS WALL each",
     [](Options* o, const std::string& v) {
         o->frameTimes = v;
         return std::string();
     }},
    {"--help", nullptr, "print this help and exit",
     [](Options* o, const std::string&) {
         o->action = Options::Action::ShowHelp;
         return std::string();
     }},
    {"--version", nullptr, "print the version and exit",
     [](Options* o, const std::string&) {
         o->action = Options::Action::ShowVersion;
         return std::string();
     }},
};

// The common habit of command-line programs, as the game and the launcher take it.
constexpr char kShortHelp[] = "-h";

const Option* FindOption(const std::string& name) {
    const std::string wanted = name == kShortHelp ? "--help" : name;
    for (const Option& option : kOptions)
        if (wanted == option.name) return &option;
    return nullptr;
}

std::string LeftColumn(const Option& option) {
    const std::string name = std::string(option.name) == "--help" ? std::string(kShortHelp) + ", --help" : option.name;
    return name + (option.value != nullptr ? std::string(" ") + option.value : "");
}

}  // namespace

std::string ParseOptions(const std::vector<std::string>& arguments, Options* options) {
    std::vector<std::string> positional;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& word = arguments[i];
        if (optionsEnded || (word.rfind("--", 0) != 0 && word != kShortHelp)) {
            positional.push_back(word);
            continue;
        }
        // After "--" every word is the script or the launcher's folder, even one that looks like an option.
        if (word == "--") {
            optionsEnded = true;
            continue;
        }
        const Option* option = FindOption(word);
        if (option == nullptr) return "unknown option " + word;
        if (option->value != nullptr && i + 1 >= arguments.size()) return word + " needs a value";
        if (std::string problem = option->apply(options, option->value != nullptr ? arguments[++i] : std::string());
            !problem.empty())
            return problem;
    }
    // Help and version need no script.
    if (options->action != Options::Action::Run) return {};
    if (positional.empty() || positional.size() > 2) return "give one script and at most one launcher folder";
    options->script = positional[0];
    if (positional.size() == 2) options->launcherDir = positional[1];
    return {};
}

std::string Usage() {
    std::string usage =
        "usage: stalkway-replay [OPTION]... [--] SCRIPT [LAUNCHER_DIR]\n"
        "Runs the game headless in the current folder, its data folder, driven by SCRIPT, in virtual time.\n\n";
    // One column for every help text, two blanks right of the longest option.
    std::size_t width = 0;
    for (const Option& option : kOptions) width = std::max(width, LeftColumn(option).size() + 2);
    for (const Option& option : kOptions) {
        std::string left = LeftColumn(option);
        left.resize(width, ' ');
        usage += "  " + left + option.help + "\n";
    }
    usage += "\nExit codes: the game's own, or 2 for a bad command line or script.\n";
    return usage;
}

}  // namespace replay

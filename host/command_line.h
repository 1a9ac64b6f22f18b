// The command line the family's programs share: "--data DIR" and "--user-dir DIR" (where the files
// are), "--help" and "--version", and each program's own options; every other word is handed to
// the program whole, as a Windows command line would be.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/api/program_folders.h"

namespace host {

struct Option {
    const char* name;
    const char* value;  // the value's name in the help, or null when the option takes none
    const char* help;
};

struct Program {
    const char* name;      // as the messages and the version name it
    const char* purpose;   // the help's second line
    const char* words;     // the other words' name in the usage line
    const char* wordsAre;  // what they are, for the help's end
    std::vector<Option> own;
    platform::FolderRole role = platform::FolderRole::Game;
};

struct CommandLine {
    enum class Action { Run, ShowHelp, ShowVersion, Refuse };
    Action action = Action::Run;
    // The program's own options that were given, in order, with their values.
    std::vector<std::pair<std::string, std::string>> given;
    // Every other word, joined by single spaces; after "--" every word is one.
    std::string words;
    std::string problem;  // why it was refused
};

// The arguments after the program's name, the folder options already taken out.
CommandLine ParseCommandLine(const Program& program, const std::vector<std::string>& arguments);
std::string Usage(const Program& program);

// Everything before the program runs: the folders, then help, version or a refusal, printed as
// the program. Returns the exit code when the program ends here; otherwise `line` holds the rest
// and the file folders are set.
std::optional<int> ReadCommandLine(const Program& program, int argc, char** argv, CommandLine* line);

}  // namespace host

#include "host/command_line.h"

#include <algorithm>
#include <cstdio>

#include "platform/api/program_folders.h"
#include "stalkway_version.h"

namespace host {
namespace {

using Action = CommandLine::Action;

// Taken from the command line before the rest (platform/api/program_folders.h); here for the help.
const Option kFolderOptions[] = {
    {"--data", "DIR", "the game's data folder (otherwise found beside the program or here)"},
    {"--user-dir", "DIR", "where the player's files go (otherwise the user's data and settings folders)"},
};
const Option kHelp{"--help", nullptr, "print this help and exit"};
const Option kVersion{"--version", nullptr, "print the version and exit"};
// The common habit of command-line programs; every other word of one dash is a program's word.
constexpr char kShortHelp[] = "-h";

const Option* FindOption(const Program& program, const std::string& name) {
    if (name == kHelp.name || name == kShortHelp) return &kHelp;
    if (name == kVersion.name) return &kVersion;
    for (const Option& option : program.own)
        if (name == option.name) return &option;
    return nullptr;
}

CommandLine Refused(const std::string& problem) {
    CommandLine refused;
    refused.action = Action::Refuse;
    refused.problem = problem;
    return refused;
}

void AddWord(CommandLine* line, const std::string& word) {
    if (!line->words.empty()) line->words += ' ';
    line->words += word;
}

void Apply(const Option& option, const std::string& value, CommandLine* line) {
    if (&option == &kHelp) line->action = Action::ShowHelp;
    else if (&option == &kVersion) line->action = Action::ShowVersion;
    else line->given.emplace_back(option.name, value);
}

std::string HelpLine(const Option& option) {
    std::string left = std::string(option.name) + (option.value != nullptr ? std::string(" ") + option.value : "");
    left.resize(std::max<std::size_t>(left.size() + 2, 18), ' ');
    return "  " + left + option.help + "\n";
}

}  // namespace

CommandLine ParseCommandLine(const Program& program, const std::vector<std::string>& arguments) {
    CommandLine line;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& word = arguments[i];
        if (optionsEnded || (word.rfind("--", 0) != 0 && word != kShortHelp)) {
            AddWord(&line, word);
            continue;
        }
        // After "--" every word is the program's, even one that looks like an option.
        if (word == "--") {
            optionsEnded = true;
            continue;
        }
        const Option* option = FindOption(program, word);
        if (option == nullptr) return Refused("unknown option " + word);
        if (option->value != nullptr && i + 1 >= arguments.size()) return Refused(word + " needs a value");
        Apply(*option, option->value != nullptr ? arguments[++i] : std::string(), &line);
    }
    return line;
}

std::string Usage(const Program& program) {
    std::string usage = std::string("usage: ") + program.name + " [OPTION]... [--] [" + program.words + "]\n" +
                        program.purpose + "\n\n";
    for (const Option& option : kFolderOptions) usage += HelpLine(option);
    for (const Option& option : program.own) usage += HelpLine(option);
    usage += HelpLine({"-h, --help", nullptr, kHelp.help}) + HelpLine(kVersion);
    return usage + "\nEvery other word is " + program.wordsAre +
           ".\n"
           "Exit codes: 0 after a normal end, 1 when the program cannot start, 2 for a bad command line.\n";
}

std::optional<int> ReadCommandLine(const Program& program, int argc, char** argv, CommandLine* line) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    platform::FolderRequest folders;
    if (const auto exitCode = platform::TakeFolderOptions(program.name, &arguments, &folders)) return exitCode;
    *line = ParseCommandLine(program, arguments);
    switch (line->action) {
    case Action::ShowHelp: std::fputs(Usage(program).c_str(), stdout); return 0;
    case Action::ShowVersion: std::printf("%s\n", VersionLine(program.name).c_str()); return 0;
    case Action::Refuse:
        std::fprintf(stderr, "%s: %s\n%s", program.name, line->problem.c_str(), Usage(program).c_str());
        return 2;
    case Action::Run: break;
    }
    // Help and version need no data; everything after them does.
    return platform::UseFolders(program.name, folders, program.role);
}

}  // namespace host

#include "platform/core/folder_options.h"

#include <cstdio>
#include <filesystem>
#include <system_error>
#include <utility>

#include "platform/core/command_line.h"
#include "platform/core/file_folders.h"
#include "platform/core/folder_choice.h"
#include "platform/core/system_folders.h"

namespace platform {
namespace {

FolderRequest g_given;
std::string g_program = "stalkway";

// Removes "OPTION VALUE" pairs; false when an option has no value.
bool TakeOptions(std::vector<std::string>* arguments, FolderRequest* request, std::string* missing) {
    std::vector<std::string> rest;
    for (std::size_t i = 0; i < arguments->size(); ++i) {
        const std::string& argument = (*arguments)[i];
        // Everything after "--" is the program's words, whatever they look like.
        if (argument == "--") {
            rest.insert(rest.end(), arguments->begin() + static_cast<std::ptrdiff_t>(i), arguments->end());
            break;
        }
        std::string* target = argument == "--data"       ? &request->data
                              : argument == "--user-dir" ? &request->user
                                                         : nullptr;
        if (target == nullptr) {
            rest.push_back(argument);
            continue;
        }
        if (i + 1 >= arguments->size() || (*arguments)[i + 1].empty()) {
            *missing = argument;
            return false;
        }
        *target = (*arguments)[++i];
    }
    *arguments = std::move(rest);
    return true;
}

std::string Joined(const std::vector<std::string>& folders) {
    std::string text;
    for (const std::string& folder : folders) text += (text.empty() ? "" : ", ") + folder;
    return text;
}

}  // namespace

std::optional<int> TakeFolderOptions(const char* program, std::vector<std::string>* arguments, FolderRequest* request) {
    std::string missing;
    if (TakeOptions(arguments, request, &missing)) return std::nullopt;
    std::fprintf(stderr, "%s: %s needs a folder\n", program, missing.c_str());
    return 2;
}

const char* ProgramName() { return g_program.c_str(); }

std::optional<int> UseFolders(const char* program, const FolderRequest& request, FolderRole role) {
    g_given = request;
    if (program != nullptr && *program != '\0') g_program = program;
    const FolderChoice choice = ChooseFolders(request, FindSystemFolders(), role);
    if (!choice.found) {
        std::fprintf(stderr, "%s: cannot find the game's data (looked in %s); give its folder with --data DIR\n",
                     program, Joined(choice.tried).c_str());
        return 1;
    }
    UseFileFolders(choice.folders);
    return std::nullopt;
}

std::string InstalledGameData() {
    const FolderChoice choice = ChooseFolders({}, FindSystemFolders());
    return choice.found && HoldsGameData(choice.folders.data) ? choice.folders.data : "";
}

std::string UserDataHome() { return FindSystemFolders().dataHome; }

void UseReadOnlyFolders(const std::string& data) {
    // With no player's folder, every write is refused.
    FileFolders folders;
    folders.data = data;
    folders.separate = true;
    UseFileFolders(folders);
}

std::string GivenFolderArguments() {
    std::string words;
    for (const auto& [option, folder] :
         {std::pair{"--data ", &g_given.data}, std::pair{"--user-dir ", &g_given.user}}) {
        if (folder->empty()) continue;
        std::error_code error;
        const std::filesystem::path absolute = std::filesystem::absolute(*folder, error);
        words += option + QuoteArgument(error ? *folder : absolute.string()) + " ";
    }
    return words;
}

}  // namespace platform

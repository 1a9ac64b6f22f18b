// Where a relative name is read from and written to, over the folders the program was given.
#include "platform/api/file_names.h"

#include <cstdio>
#include <filesystem>
#include <mutex>
#include <string_view>
#include <system_error>

#include "platform/api/program_folders.h"
#include "platform/core/cached_reads.h"
#include "platform/core/file_folders.h"
#include "platform/core/maze_layer.h"
#include "platform/core/name_matching.h"

namespace platform {
namespace {

bool IsAbsolute(std::string_view name) { return !name.empty() && (name.front() == '\\' || name.front() == '/'); }

// Settings (the profile files) live in the player's settings folder, where the README tells players
// to edit them: read there first and written there, so that a written copy never hides an edited one.
bool IsSettings(std::string_view name) {
    if (name.size() < 4) return false;
    std::string extension(name.substr(name.size() - 4));
    for (char& c : extension) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return extension == ".ini";
}

// The player hears once why nothing is saved, not at every save.
void SayOnce(const std::string& folder) {
    static std::once_flag said;
    std::call_once(said, [&folder] {
        if (folder.empty())
            std::fprintf(stderr, "%s: no folder for the player's files; nothing is saved\n", ProgramName());
        else std::fprintf(stderr, "%s: cannot make %s; nothing is saved\n", ProgramName(), folder.c_str());
    });
}

}  // namespace

std::string NativePath(const char* windowsName) {
    if (windowsName == nullptr || *windowsName == '\0') return {};
    const FileFolders folders = CurrentFileFolders();
    const MazeLayer maze = CurrentMazeLayer();
    const std::string topLevel = TopLevelName(windowsName);
    if (IsMazePlayerFile(maze, topLevel)) return MatchName(maze.playerFolder, topLevel, true);
    if (!maze.pictures.empty() && !topLevel.empty()) {
        std::string path = MatchName(maze.pictures, topLevel, true);
        if (cached::PathExists(path)) return path;
    }
    const bool settings = IsSettings(windowsName);
    for (const std::string* folder :
         {settings ? &folders.settings : &folders.user, settings ? &folders.user : &folders.settings}) {
        if (folder->empty() || IsAbsolute(windowsName)) continue;
        std::string path = MatchName(*folder, windowsName, true);
        if (cached::PathExists(path)) return path;
    }
    return MatchName(folders.data, windowsName, folders.installed);
}

std::string NativeWritePath(const char* windowsName) {
    if (windowsName == nullptr || *windowsName == '\0') return {};
    const FileFolders folders = CurrentFileFolders();
    const MazeLayer maze = CurrentMazeLayer();
    const std::string topLevel = TopLevelName(windowsName);
    if (IsMazePlayerFile(maze, topLevel)) {
        if (!MakePrivateFolder(maze.playerFolder)) {
            SayOnce(maze.playerFolder);
            return {};
        }
        return MatchName(maze.playerFolder, topLevel, true);
    }
    if (!folders.separate || IsAbsolute(windowsName)) return MatchName(folders.data, windowsName, false);
    const std::string& folder = IsSettings(windowsName) && !folders.settings.empty() ? folders.settings : folders.user;
    if (!MakePrivateFolder(folder)) {
        SayOnce(folder);
        return {};
    }
    return MatchName(folder, windowsName, true);
}

}  // namespace platform

// Where a relative name is read from and written to, over the folders the program was given.
#include "platform/api/file_names.h"

#include <cstdio>
#include <filesystem>
#include <mutex>
#include <string_view>
#include <system_error>

#include "platform/core/file_folders.h"
#include "platform/core/maze_layer.h"
#include "platform/core/name_matching.h"

namespace platform {
namespace {

bool Exists(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(std::filesystem::symlink_status(path, error));
}

bool IsAbsolute(std::string_view name) { return !name.empty() && (name.front() == '\\' || name.front() == '/'); }

// The player hears once why nothing is saved, not at every save.
void SayOnce(const std::string& folder) {
    static std::once_flag said;
    std::call_once(said, [&folder] {
        if (folder.empty()) std::fprintf(stderr, "stalkway: no folder for the player's files; nothing is saved\n");
        else std::fprintf(stderr, "stalkway: cannot make %s; nothing is saved\n", folder.c_str());
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
        if (Exists(path)) return path;
    }
    for (const std::string* folder : {&folders.user, &folders.settings}) {
        if (folder->empty() || IsAbsolute(windowsName)) continue;
        std::string path = MatchName(*folder, windowsName, true);
        if (Exists(path)) return path;
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
    if (!MakePrivateFolder(folders.user)) {
        SayOnce(folders.user);
        return {};
    }
    return MatchName(folders.user, windowsName, true);
}

}  // namespace platform

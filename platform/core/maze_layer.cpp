#include "platform/core/maze_layer.h"

#include <filesystem>
#include <mutex>
#include <system_error>
#include <utility>

#include "platform/api/maze_folders.h"
#include "platform/core/file_folders.h"
#include "platform/core/read_cache.h"
#include "platform/core/system_folders.h"

namespace platform {
namespace {

std::mutex g_lock;
MazeLayer g_layer;

bool StartsWithFolded(const std::string& text, const std::string& start) {
    if (text.size() < start.size()) return false;
    for (std::size_t i = 0; i < start.size(); ++i) {
        const auto a = static_cast<unsigned char>(text[i]);
        const auto b = static_cast<unsigned char>(start[i]);
        if ((a >= 'A' && a <= 'Z' ? a + 32 : a) != (b >= 'A' && b <= 'Z' ? b + 32 : b)) return false;
    }
    return true;
}

}  // namespace

void UseMazeLayer(MazeLayer layer) {
    std::lock_guard<std::mutex> hold(g_lock);
    g_layer = std::move(layer);
    // The maze's files were just made by the maze library's own writes, which the read cache
    // does not see.
    read_cache::ChangedElsewhere();
}

MazeLayer CurrentMazeLayer() {
    std::lock_guard<std::mutex> hold(g_lock);
    return g_layer;
}

std::string PlayerDataFolder(const FileFolders& folders, FolderRole role) {
    // An installed launcher reads the player's data folder after its own settings folder.
    const std::string& own = role == FolderRole::Launcher && !folders.settings.empty() ? folders.settings
                                                                                       : folders.user;
    if (!own.empty()) return own;
    return folders.data.empty() ? std::string(".") : folders.data;
}

std::string MazeCacheFolder(std::uint32_t number) {
    const FileFolders folders = CurrentFileFolders();
    const std::string mazes = "mazes/" + std::to_string(number);
    if (folders.installed) {
        const std::string cache = FindSystemFolders().cacheHome;
        if (!cache.empty()) return cache + "/stalkway/" + mazes;
    }
    // Beside the data folder: the folder holding it, whatever its name was written as.
    std::error_code error;
    std::filesystem::path data =
        std::filesystem::absolute(folders.data.empty() ? "." : folders.data, error).lexically_normal();
    if (!data.has_filename()) data = data.parent_path();
    return data.parent_path().string() + "/" + mazes;
}

void UseMazeFolders(std::uint32_t number, const std::string& pictures, const std::vector<std::string>& playerFiles,
                    FolderRole role) {
    MazeLayer layer;
    if (number != 0) {
        layer.pictures = pictures;
        layer.playerFolder = PlayerDataFolder(CurrentFileFolders(), role) + "/mazes/" + std::to_string(number);
        layer.playerFiles = playerFiles;
    }
    UseMazeLayer(std::move(layer));
}

std::string TopLevelName(const char* windowsName) {
    std::string name = windowsName != nullptr ? windowsName : "";
    if (name.size() >= 2 && name[0] == '.' && (name[1] == '\\' || name[1] == '/')) name.erase(0, 2);
    if (name.empty() || name.find_first_of("\\/") != std::string::npos || name == "." || name == "..") return {};
    return name;
}

bool IsMazePlayerFile(const MazeLayer& layer, const std::string& topLevelName) {
    if (layer.playerFolder.empty() || topLevelName.empty()) return false;
    for (const std::string& file : layer.playerFiles)
        if (StartsWithFolded(topLevelName, file)) return true;
    return false;
}

}  // namespace platform

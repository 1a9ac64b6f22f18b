#include "shell/maze_start.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <random>
#include <system_error>
#include <vector>

#include "maze/maze_cache.h"
#include "maze/maze_files.h"
#include "maze/maze_number.h"
#include "platform/api/maze_folders.h"
#include "platform/api/win32.h"
#include "services/message_pump.h"

std::uint32_t g_nMazeNumber = 0;

namespace {

namespace fs = std::filesystem;

constexpr std::array<const char*, 2> kPlayerFiles = {"hiscore.dat", "winner.dat"};

std::string InFolder(const std::string& folder, const char* name) { return (fs::path(folder) / name).string(); }

std::optional<assets::ClassicPictures> ReadClassic() {
    std::array<assets::Bytes, assets::kClassicPictureNames.size()> bytes;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const std::string name = std::string(".\\") + assets::kClassicPictureNames[i];
        auto file = assets::ReadFile(platform::NativePath(name.c_str()));
        if (!file) return std::nullopt;
        bytes[i] = std::move(*file);
    }
    return assets::ReadClassicPictures(bytes);
}

std::string FreshTemporaryFolder(std::uint32_t number) {
    std::error_code error;
    const fs::path base = fs::temp_directory_path(error);
    if (error) return {};
    std::random_device source;
    char name[64];
    std::snprintf(name, sizeof name, "stalkway-maze-%u-%08x", static_cast<unsigned>(number),
                  static_cast<unsigned>(source()));
    return (base / name).string();
}

// Makes the maze into `folder`, else into a temporary folder; the folder it is in, or empty.
std::string MakeMaze(std::uint32_t number, const std::string& folder) {
    const auto classic = ReadClassic();
    if (!classic) {
        std::fprintf(stderr, "stalkway: maze %u cannot be made: the data folder's pictures are not the game's\n",
                     static_cast<unsigned>(number));
        return {};
    }
    const assets::MazeFiles files = assets::MakeMazeFiles(number, *classic);
    if (!files.problems.empty()) {
        std::fprintf(stderr, "stalkway: maze %u does not play as it must: %s\n", static_cast<unsigned>(number),
                     files.problems.front().c_str());
        return {};
    }
    if (assets::WriteMazeCache(folder, files)) return folder;
    const std::string temporary = FreshTemporaryFolder(number);
    if (!temporary.empty() && assets::WriteMazeCache(temporary, files)) {
        std::fprintf(stderr, "stalkway: cannot write the maze cache %s; maze %u is made in %s for this run\n",
                     folder.c_str(), static_cast<unsigned>(number), temporary.c_str());
        return temporary;
    }
    std::fprintf(stderr, "stalkway: maze %u cannot be written anywhere\n", static_cast<unsigned>(number));
    return {};
}

}  // namespace

bool StartMaze(std::uint32_t number) {
    const std::vector<std::string> playerFiles(kPlayerFiles.begin(), kPlayerFiles.end());
    platform::UseMazeFolders(assets::kClassicMaze, {}, {}, platform::FolderRole::Game);
    if (number == assets::kClassicMaze) return true;
    std::string folder = platform::MazeCacheFolder(number);
    if (!assets::MazeCacheIsSound(folder)) {
        std::error_code error;
        if (fs::exists(InFolder(folder, assets::kMazeDigestName), error))
            std::fprintf(stderr, "stalkway: the files of maze %u in %s are damaged; they are made again\n",
                         static_cast<unsigned>(number), folder.c_str());
        folder = MakeMaze(number, folder);
    }
    if (folder.empty()) {
        MessageBoxA(nullptr, ("Maze " + std::to_string(number) + " could not be made.").c_str(), nullptr, MB_ICONERROR);
        return false;
    }
    platform::UseMazeFolders(number, folder, playerFiles, platform::FolderRole::Game);
    SetCaptionSuffix(("maze " + std::to_string(number)).c_str());
    return true;
}

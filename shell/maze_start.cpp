#include "shell/maze_start.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <random>
#include <system_error>
#include <vector>

#include "maze/maze_digest.h"
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

// Whether every picture of the folder matches the folder's digest.
bool CacheIsSound(const std::string& folder) {
    const auto digest = assets::ReadFile(InFolder(folder, assets::kMazeDigestName));
    if (!digest) return false;
    const std::string text(digest->begin(), digest->end());
    for (const char* name : assets::kMazePictureNames) {
        const auto bytes = assets::ReadFile(InFolder(folder, name));
        if (!bytes || !assets::DigestLists(text, name, assets::Fnv1a64(*bytes))) return false;
    }
    return true;
}

// Each file under a temporary name first, then renamed, the digest last: a cache cut short lacks
// its digest or fails it.
bool WriteCache(const std::string& folder, const assets::MazeFiles& files) {
    // Games starting the same maze side by side each write files of their own before the renames.
    static std::random_device source;
    char suffix[24];
    std::snprintf(suffix, sizeof suffix, ".%08x.part", static_cast<unsigned>(source()));
    std::error_code error;
    fs::create_directories(folder, error);
    if (!fs::is_directory(folder, error)) return false;
    for (const assets::NamedFile& file : files.pictures) {
        const std::string path = InFolder(folder, file.name.c_str());
        const std::string temporary = path + suffix;
        try {
            assets::WriteFile(temporary, file.bytes);
        } catch (const std::exception&) {
            fs::remove(temporary, error);
            return false;
        }
        fs::rename(temporary, path, error);
        if (error) return false;
    }
    return CacheIsSound(folder);
}

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
    if (WriteCache(folder, files)) return folder;
    const std::string temporary = FreshTemporaryFolder(number);
    if (!temporary.empty() && WriteCache(temporary, files)) {
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
    if (!CacheIsSound(folder)) {
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

#include "server/maze_shelf.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "maze/maze_cache.h"
#include "maze/maze_number.h"
#include "platform/api/maze_folders.h"
#include "platform/api/program_folders.h"

namespace server {

static_assert(kLastMazeNumber == assets::kLastMaze);

std::string MazeId::Name() const { return Classic() ? "classic" : std::to_string(number); }

std::optional<MazeId> MazeOfName(std::string_view text, std::int64_t todayMs) {
    const std::uint32_t today = assets::MazeOfDay(todayMs / 1000).number;
    const std::optional<std::uint32_t> number = assets::ParseMazeChoice(std::string(text), today);
    if (!number) return std::nullopt;
    return MazeId{static_cast<std::int64_t>(*number)};
}

bool ClassicShelf::Select(const MazeId& maze) {
    if (!Serves(maze) || !maze.Classic()) return false;
    platform::UseReadOnlyFolders(dataFolder_);
    platform::UseMazeFolders(0, {}, {}, platform::FolderRole::Game);
    return true;
}

MadeMazeShelf::MadeMazeShelf(std::string dataFolder, std::string cacheFolder, std::size_t kept)
    : ClassicShelf(std::move(dataFolder)),
      cacheFolder_(std::move(cacheFolder)),
      kept_(std::max<std::size_t>(kept, 1)) {}

bool MadeMazeShelf::Select(const MazeId& maze) {
    if (maze.Classic()) return ClassicShelf::Select(maze);
    const auto number = static_cast<std::uint32_t>(maze.number);
    const std::string folder = Folder(number);
    if (folder.empty()) return false;
    platform::UseReadOnlyFolders(DataFolder());
    platform::UseMazeFolders(number, folder, {}, platform::FolderRole::Game);
    return true;
}

std::string MadeMazeShelf::Folder(std::uint32_t number) {
    const std::lock_guard<std::mutex> hold(lock_);
    const std::string folder = (std::filesystem::path(cacheFolder_) / std::to_string(number)).string();
    if (!assets::MazeCacheIsSound(folder)) {
        const auto classic = assets::ReadClassicPicturesIn(DataFolder());
        if (!classic) return {};
        const assets::MazeFiles files = assets::MakeMazeFiles(number, *classic);
        if (!files.problems.empty() || !assets::WriteMazeCache(folder, files)) {
            std::fprintf(stderr, "stalkway-server: maze %u cannot be made in %s\n", static_cast<unsigned>(number),
                         folder.c_str());
            return {};
        }
        ++made_;
    }
    Remember(number);
    return folder;
}

void MadeMazeShelf::Remember(std::uint32_t number) {
    used_.remove(number);
    used_.push_front(number);
    while (used_.size() > kept_) {
        std::error_code error;
        std::filesystem::remove_all(std::filesystem::path(cacheFolder_) / std::to_string(used_.back()), error);
        used_.pop_back();
    }
}

int MadeMazeShelf::MadeCount() {
    const std::lock_guard<std::mutex> hold(lock_);
    return made_;
}

}  // namespace server

#include "maze/maze_cache.h"

#include <cstdio>
#include <filesystem>
#include <random>
#include <system_error>

#include "maze/maze_digest.h"

namespace assets {

namespace {

namespace fs = std::filesystem;

std::string InFolder(const std::string& folder, const std::string& name) { return (fs::path(folder) / name).string(); }

}  // namespace

bool MazeCacheIsSound(const std::string& folder) {
    const auto digest = ReadFile(InFolder(folder, kMazeDigestName));
    if (!digest) return false;
    const std::string text(digest->begin(), digest->end());
    for (const char* name : kMazePictureNames) {
        const auto bytes = ReadFile(InFolder(folder, name));
        if (!bytes || !DigestLists(text, name, Fnv1a64(*bytes))) return false;
    }
    return true;
}

bool WriteMazeCache(const std::string& folder, const MazeFiles& files) {
    static std::random_device source;
    char suffix[24];
    std::snprintf(suffix, sizeof suffix, ".%08x.part", static_cast<unsigned>(source()));
    std::error_code error;
    fs::create_directories(folder, error);
    if (!fs::is_directory(folder, error)) return false;
    for (const NamedFile& file : files.pictures) {
        const std::string path = InFolder(folder, file.name);
        const std::string temporary = path + suffix;
        try {
            WriteFile(temporary, file.bytes);
        } catch (const std::exception&) {
            fs::remove(temporary, error);
            return false;
        }
        fs::rename(temporary, path, error);
        if (error) return false;
    }
    return MazeCacheIsSound(folder);
}

}  // namespace assets

// Where the player's pictures go: the desktop's pictures folder, else the player's own files.
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "platform/core/file_faults.h"
#include "platform/core/system_folders.h"
#include "platform/api/file_names.h"

namespace platform {
namespace {

constexpr char kPictureFolderName[] = "Stalkway";

// The folder itself, never a link that someone put in its place.
bool MakeOwnFolder(const std::string& path) {
    if (faults::WritesFail()) return false;
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
    if (::mkdir(path.c_str(), 0777) != 0 && errno != EEXIST) return false;
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

std::string NativePicturePath(const char* fileName) {
    if (fileName == nullptr || *fileName == '\0') return {};
    const std::string pictures = FindSystemFolders().pictures;
    if (!pictures.empty()) {
        const std::string folder = pictures + "/" + kPictureFolderName;
        if (MakeOwnFolder(folder)) return folder + "/" + fileName;
    }
    // Never the working directory as such: an installed game may have been started anywhere.
    const std::string path = NativeWritePath(fileName);
    if (path.empty()) return {};
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.string();
}

}  // namespace platform

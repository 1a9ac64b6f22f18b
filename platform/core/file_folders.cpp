#include "platform/core/file_folders.h"

#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <mutex>
#include <utility>

#include "platform/core/read_cache.h"

namespace platform {
namespace {

std::mutex g_mutex;
FileFolders g_folders;

bool IsFolder(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

void UseFileFolders(FileFolders folders) {
    std::lock_guard lock(g_mutex);
    g_folders = std::move(folders);
}

FileFolders CurrentFileFolders() {
    std::lock_guard lock(g_mutex);
    return g_folders;
}

bool MakePrivateFolder(const std::string& path) {
    if (path.empty()) return false;
    if (IsFolder(path)) return true;
    const std::string parent = std::filesystem::path(path).parent_path().string();
    if (!parent.empty() && parent != path && !MakePrivateFolder(parent)) return false;
    // Another process may have made it in between; that is as good.
    const bool made = ::mkdir(path.c_str(), 0700) == 0;
    const int error = errno;
    read_cache::Changed(path);
    return made || (error == EEXIST && IsFolder(path));
}

}  // namespace platform

#include "platform/core/system_folders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

namespace platform {
namespace {

namespace fs = std::filesystem;

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

// $HOME as the shell keeps it, else the account's home: a program started without one (from a
// service, say) still finds the player's folders.
std::string HomeFolder() {
    std::string home = Environment("HOME");
    if (!home.empty()) return home;
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found != nullptr &&
        found->pw_dir != nullptr) {
        home = found->pw_dir;
    }
    return home;
}

// The base directory rules ignore a relative value as if it were unset.
std::string BaseFolder(const char* variable, const std::string& home, const char* underHome) {
    const std::string value = Environment(variable);
    if (!value.empty() && value.front() == '/') return value;
    return home.empty() ? std::string() : home + "/" + underHome;
}

}  // namespace

SystemFolders FindSystemFolders() {
    SystemFolders folders;
    std::error_code error;
    const fs::path program = fs::read_symlink("/proc/self/exe", error);
    if (!error) folders.executable = program.parent_path().string();
    folders.current = fs::current_path(error).string();
    const std::string home = HomeFolder();
    folders.dataHome = BaseFolder("XDG_DATA_HOME", home, ".local/share");
    folders.configHome = BaseFolder("XDG_CONFIG_HOME", home, ".config");
    folders.cacheHome = BaseFolder("XDG_CACHE_HOME", home, ".cache");
    return folders;
}

}  // namespace platform

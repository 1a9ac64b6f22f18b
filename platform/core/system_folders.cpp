#include "platform/core/system_folders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
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

// The value of `XDG_PICTURES_DIR="$HOME/Bilder"` in user-dirs.dirs: "$HOME/" or an absolute path
// in double quotes, as the desktop writes it; anything else is not taken.
std::string UserDirsPictures(const std::string& configHome, const std::string& home) {
    if (configHome.empty()) return {};
    std::ifstream in(configHome + "/user-dirs.dirs");
    const std::string prefix = "XDG_PICTURES_DIR=\"";
    for (std::string line; std::getline(in, line);) {
        if (line.rfind(prefix, 0) != 0 || line.size() < prefix.size() + 1 || line.back() != '"') continue;
        std::string value = line.substr(prefix.size(), line.size() - prefix.size() - 1);
        if (value.rfind("$HOME/", 0) == 0 && !home.empty()) value = home + value.substr(5);
        return !value.empty() && value.front() == '/' ? value : std::string();
    }
    return {};
}

std::string PicturesFolder(const std::string& configHome, const std::string& home) {
    const std::string given = Environment("XDG_PICTURES_DIR");
    if (!given.empty() && given.front() == '/') return given;
    const std::string listed = UserDirsPictures(configHome, home);
    if (!listed.empty()) return listed;
    return home.empty() ? std::string() : home + "/Pictures";
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
    folders.pictures = PicturesFolder(folders.configHome, home);
    return folders;
}

}  // namespace platform

#include "platform/core/folder_choice.h"

#include <filesystem>
#include <system_error>

namespace platform {
namespace {

namespace fs = std::filesystem;

bool IsFolder(const std::string& path) {
    std::error_code error;
    return fs::is_directory(path, error);
}

// The player's own folder overrides the XDG ones; without it, a portable game writes in place.
void SetUserFolders(const FolderRequest& request, const SystemFolders& system, bool installed, FileFolders* out) {
    if (!request.user.empty()) {
        out->user = request.user;
        out->separate = true;
    } else if (installed) {
        out->separate = true;
        if (!system.dataHome.empty()) out->user = system.dataHome + "/" + kUserFolderName;
        if (!system.configHome.empty()) out->settings = system.configHome + "/" + kUserFolderName;
    }
}

}  // namespace

bool HoldsGameData(const std::string& folder) {
    std::error_code error;
    return fs::is_regular_file(fs::path(folder.empty() ? "." : folder) / "maze02.bmp", error);
}

FolderChoice ChooseFolders(const FolderRequest& request, const SystemFolders& system, FolderRole role) {
    FolderChoice choice;
    if (!request.data.empty()) {
        // Asked for by name, the folder is taken as it is: a damaged data folder is for the game
        // to report, picture by picture.
        choice.tried.push_back(request.data);
        choice.found = IsFolder(request.data);
        choice.folders.data = request.data;
        SetUserFolders(request, system, false, &choice.folders);
        return choice;
    }
    if (!system.executable.empty()) {
        const std::string installed = (fs::path(system.executable).parent_path() / "share" / kUserFolderName).string();
        choice.tried.push_back(installed);
        if (HoldsGameData(installed)) {
            choice.found = true;
            choice.folders.data = installed;
            choice.folders.installed = true;
            SetUserFolders(request, system, true, &choice.folders);
            return choice;
        }
    }
    // The working directory stays relative: a portable game names its files as it always has.
    const bool launcher = role == FolderRole::Launcher;
    if (launcher) choice.folders.data = kGameFolderName;
    const std::string here = launcher ? system.current + "/" + kGameFolderName : system.current;
    choice.tried.push_back(here);
    choice.found = HoldsGameData(here);
    SetUserFolders(request, system, false, &choice.folders);
    return choice;
}

}  // namespace platform

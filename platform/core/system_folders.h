// The folders the system names for this program: where its executable is, the working directory,
// the player's data and settings folders by the XDG base directory rules, and the player's
// pictures folder by the desktop's user folders.
#pragma once

#include <string>

namespace platform {

struct SystemFolders {
    std::string executable;  // the folder holding the running program; empty when unknown
    std::string current;     // the working directory
    std::string dataHome;    // $XDG_DATA_HOME, else ~/.local/share; empty without a home
    std::string configHome;  // $XDG_CONFIG_HOME, else ~/.config; empty without a home
    std::string cacheHome;   // $XDG_CACHE_HOME, else ~/.cache; empty without a home
    // The player's pictures: $XDG_PICTURES_DIR, else the desktop's own entry in user-dirs.dirs of
    // the settings folder, else ~/Pictures; a relative value counts as none. Empty without a home.
    std::string pictures;
};

SystemFolders FindSystemFolders();

}  // namespace platform

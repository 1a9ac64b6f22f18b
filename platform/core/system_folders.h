// The folders the system names for this program: where its executable is, the working directory,
// and the player's data and settings folders by the XDG base directory rules.
#pragma once

#include <string>

namespace platform {

struct SystemFolders {
    std::string executable;  // the folder holding the running program; empty when unknown
    std::string current;     // the working directory
    std::string dataHome;    // $XDG_DATA_HOME, else ~/.local/share; empty without a home
    std::string configHome;  // $XDG_CONFIG_HOME, else ~/.config; empty without a home
    std::string cacheHome;   // $XDG_CACHE_HOME, else ~/.cache; empty without a home
};

SystemFolders FindSystemFolders();

}  // namespace platform

// Lays out the game's data folder: the pictures and sounds under the names the game loads them
// by, a default setup.ini and the about page. Pictures, sounds and the about page are rewritten
// each time; a player's files (hiscore.dat, winner.dat, setup.ini, and ../options.ini) never are.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "tools/assets/file_writers.h"
#include "tools/assets/game_art.h"

namespace assets {

struct DataFile {
    std::string name;  // relative to the data folder, '/' between folders
    Bytes bytes;
};

// Every generated file, in a fixed order.
std::vector<DataFile> GameFiles(const GameArt& art, const std::string& licence);
// Writes them, and setup.ini when there is none.
void LayOutDataFolder(const std::string& folder, const std::vector<DataFile>& files);

}  // namespace assets

// The folders behind the program's relative file names. The game names its files relative to its
// data folder (".\hiscore.dat", "..\options.ini"); an installed game keeps the player's files apart
// from its read-only data, so a read looks in the player's folders first and a write goes to the
// player's own. Set once before the program runs; the default is the portable game, everything in
// the working directory.
#pragma once

#include <string>

namespace platform {

struct FileFolders {
    // The game's data; the working directory when empty.
    std::string data;
    // Where writes, renames and deletes go. Empty: the data folder itself (a portable game),
    // unless `separate` says the player's folder could not be found, and writes are refused.
    std::string user;
    bool separate = false;
    // The player's settings folder: profile files (".ini") are read there first and written there;
    // other files are read there after the player's folder. None when empty.
    std::string settings;
    // An installed game's data folder is all there is of it: ".." stays in it, as in the player's
    // folders, so that nothing is read from beside it under the prefix.
    bool installed = false;
};

void UseFileFolders(FileFolders folders);
FileFolders CurrentFileFolders();

// Makes the folder and any missing parents, each new one readable by its owner alone, as a
// player's files are nobody else's business. True when it exists as a folder afterwards.
bool MakePrivateFolder(const std::string& path);

}  // namespace platform

// Windows-style file names on this system. Names are relative to the game's data folder (the
// working directory unless the program was told otherwise), with backslashes as separators
// (".\sounds\bell.wav", "..\options.ini"). Where the exact name does not exist, each component is
// matched without regard to case, as the original file system did.
#pragma once

#include <string>

namespace platform {

// The native path to read a Windows-style name from: the player's copy when there is one (a
// profile file, ".ini", first from the player's settings folder), else the data folder's. For a name that does not
// exist yet (a file about to be created) the existing leading folders are still matched without regard to case.
std::string NativePath(const char* windowsName);

// The native path to write, rename or delete a Windows-style name at: in the player's folder (a
// profile file in the player's settings folder, where it is read first), made when first needed. Empty when that folder
// cannot be made, so the write fails as a refused one does.
std::string NativeWritePath(const char* windowsName);

// The native path for a picture the player keeps (a screenshot): in "Stalkway" below the player's
// pictures folder, made when needed but never through a link; where there is none, as
// NativeWritePath puts the file. Empty when nowhere can take it.
std::string NativePicturePath(const char* fileName);

}  // namespace platform

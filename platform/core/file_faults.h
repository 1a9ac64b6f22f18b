// Faults the scripted runner and tests can put into the platform's file calls, to show how the
// program copes: a data folder that refuses every write, and files that are missing whatever the
// disk holds. Both backends honour them; nothing sets them in the game itself.
#pragma once

#include <string>

namespace platform::faults {

// Every write through the file calls fails from now on: opening for writing or creating,
// WritePrivateProfileStringA, MoveFileExA and DeleteFileA.
void FailWrites(bool fail);
bool WritesFail();

// Every open of the file named `name` fails from now on, for reading and writing alike. The name
// matches a whole path or its last components ("bell.wav" or "sounds\bell.wav"), in either kind
// of separator and without regard to case, as Windows names are.
void HideFile(const std::string& name);
bool IsHidden(const std::string& nativePath);

// No faults.
void Clear();

}  // namespace platform::faults

// Faults the scripted runner and tests can put into the platform's file calls, to show how the
// program copes: a data folder that refuses every write, one step of storing a file that fails,
// files that are missing whatever the disk holds, and files that cannot be read. Every backend
// honours them; nothing sets them in the game itself.
#pragma once

#include <string>

namespace platform::faults {

// Every write through the file calls fails from now on: opening for writing or creating,
// storing a file (profiles, StoreFileA, pictures), MoveFileExA and DeleteFileA.
void FailWrites(bool fail);
bool WritesFail();

// Every open of the file named `name` fails from now on, for reading and writing alike. The name
// matches a whole path or its last components ("bell.wav" or "sounds\bell.wav"), in either kind
// of separator and without regard to case, as Windows names are.
void HideFile(const std::string& name);
bool IsHidden(const std::string& nativePath);

// The given step of every store (stored_file.h, StoreStep) fails from now on, as a full disk or
// a broken folder would make it; kNoStep for none.
inline constexpr int kNoStep = -1;
void FailStoreStep(int step);
int FailingStoreStep();

// Every open of the file named `name` for reading fails from now on as a file the player may not
// read does; the name matches as for HideFile.
void RefuseFile(const std::string& name);
bool IsRefused(const std::string& nativePath);

// No faults.
void Clear();

}  // namespace platform::faults

// The launcher program the game belongs to: "\Portico.exe" in the folder named on the command line.
#pragma once

// Starts the launcher with the one-word parameters and returns true, so that the game can stop.
// False, and nothing started, without a launcher folder or when the launcher program is not there.
bool StartLauncher(const char* parameters);

// The sound switches of the launcher's options file: "music" and "SFX" in section "setup". The
// game reads them at start-up, the launcher writes them.
#pragma once

// On exactly when the value starts with an upper-case Y; a missing key reads as on.
int ReadSoundSwitch(const char* key, const char* optionsFile);
// Writes "Y" or "N"; false when the file could not be written.
bool WriteSoundSwitch(const char* key, bool on, const char* optionsFile);

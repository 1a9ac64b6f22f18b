#include "game/sound_switches.h"

#include "platform/api/kernel.h"

int ReadSoundSwitch(const char* key, const char* optionsFile) {
    // One character is all the buffer holds, so "Yes" and "Y" read alike.
    char value[2];
    GetPrivateProfileStringA("setup", key, "Y", value, sizeof value, optionsFile);
    return value[0] == 'Y' ? 1 : 0;
}

bool WriteSoundSwitch(const char* key, bool on, const char* optionsFile) {
    return WritePrivateProfileStringA("setup", key, on ? "Y" : "N", optionsFile) != FALSE;
}

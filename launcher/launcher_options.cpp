#include "launcher/launcher_options.h"

#include "game/sound_switches.h"

void LauncherOptions::Load(const char* optionsFile) {
    file_ = optionsFile;
    settings_.SetIniPath(optionsFile);
    // The settings take a playerid outside the eight slots as player 1, as the game does.
    current_ = settings_.ReadPlayerId();
    for (int p = 0; p < PlayerSettings::kPlayers; ++p) {
        settings_.ReadPlayer(p);
        used_[p] = settings_.HasPlayer(p);
    }
    music_ = ReadSoundSwitch("music", optionsFile) != 0;
    effects_ = ReadSoundSwitch("SFX", optionsFile) != 0;
}

bool LauncherOptions::SlotUsed(int player) const { return PlayerSettings::ValidPlayer(player) && used_[player]; }

bool LauncherOptions::Reloaded(bool written) {
    if (!written) Load(file_.c_str());
    return written;
}

bool LauncherOptions::ChooseCurrent(int player) {
    if (!PlayerSettings::ValidPlayer(player)) return false;
    const bool written = settings_.WritePlayerId(player);
    if (written) current_ = player;
    return Reloaded(written);
}

bool LauncherOptions::StorePlayer(int player, const PlayerRecord& record) {
    if (!PlayerSettings::ValidPlayer(player)) return false;
    const bool written = settings_.WritePlayer(player, record);
    if (written) used_[player] = settings_.HasPlayer(player);
    return Reloaded(written);
}

bool LauncherOptions::ClearSlot(int player) {
    if (!PlayerSettings::ValidPlayer(player)) return false;
    const bool written = settings_.ClearPlayer(player);
    if (written) used_[player] = false;
    return Reloaded(written);
}

bool LauncherOptions::SetMusic(bool on) {
    const bool written = WriteSoundSwitch("music", on, file_.c_str());
    if (written) music_ = on;
    return Reloaded(written);
}

bool LauncherOptions::SetEffects(bool on) {
    const bool written = WriteSoundSwitch("SFX", on, file_.c_str());
    if (written) effects_ = on;
    return Reloaded(written);
}

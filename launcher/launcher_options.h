// What the launcher keeps in its options file: the eight player slots, the current player and the
// two sound switches, read and written through the game's own player settings, so that the game
// reads back exactly what was stored.
#pragma once

#include <string>

#include "game/player_settings.h"

class LauncherOptions {
public:
    // Reads everything from the file; a missing or unreadable file gives empty slots, player 1
    // current and both switches on.
    void Load(const char* optionsFile);

    int Current() const { return current_; }
    bool SlotUsed(int player) const;
    const PlayerRecord& Player(int player) const { return settings_.Player(player); }
    bool Music() const { return music_; }
    bool Effects() const { return effects_; }

    // Each returns false when the file could not be written; what is held then is read again
    // from the file, which the failed write left as it was.
    bool ChooseCurrent(int player);
    bool StorePlayer(int player, const PlayerRecord& record);
    bool ClearSlot(int player);
    bool SetMusic(bool on);
    bool SetEffects(bool on);

private:
    bool Reloaded(bool written);

    std::string file_;
    PlayerSettings settings_;
    int current_ = 0;
    bool used_[PlayerSettings::kPlayers] = {};
    bool music_ = true;
    bool effects_ = true;
};

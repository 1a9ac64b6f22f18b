#include "game/player_settings.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/api/kernel.h"
#include "platform/api/stored_files.h"

PlayerSettings g_PlayerSettings;

namespace {

void SectionName(int player, char (&section)[32]) { std::snprintf(section, sizeof section, "Player%d", player + 1); }

}  // namespace

void PlayerSettings::SetIniPath(const char* path) {
    if (path == nullptr) return;
    std::strncpy(iniPath_, path, sizeof iniPath_ - 1);
    iniPath_[sizeof iniPath_ - 1] = '\0';
}

int PlayerSettings::ReadPlayerId() {
    playerId_ = 0;
    if (!HasPath()) return playerId_;
    char value[32];
    GetPrivateProfileStringA("setup", "playerid", "0", value, sizeof value, iniPath_);
    const int id = std::atoi(value);
    playerId_ = ValidPlayer(id) ? id : 0;
    return playerId_;
}

void PlayerSettings::ReadPlayer(int player) {
    if (!HasPath() || !ValidPlayer(player)) return;
    char section[32];
    SectionName(player, section);
    PlayerRecord& r = players_[player];
    GetPrivateProfileStringA(section, "name", section, r.name, sizeof r.name, iniPath_);
    GetPrivateProfileStringA(section, "address", "", r.address, sizeof r.address, iniPath_);
    GetPrivateProfileStringA(section, "email", "", r.email, sizeof r.email, iniPath_);
    GetPrivateProfileStringA(section, "send", "Y", r.send, sizeof r.send, iniPath_);
}

void PlayerSettings::FormatText(int player, char* out) const {
    const PlayerRecord& r = Player(player);
    std::snprintf(out, 256, "%s:%s:%s:%s", r.name, r.address, r.email, r.send);
}

void PlayerSettings::PlayerText(int player, char* out) {
    ReadPlayer(player);
    FormatText(player, out);
}

bool PlayerSettings::WritePlayer(int player, const PlayerRecord& record) {
    if (!HasPath() || !ValidPlayer(player)) return false;
    char section[32];
    SectionName(player, section);
    // One store for the four keys: the file never holds a new name with an old address.
    const LPCSTR keys[] = {"name", "address", "email", "send"};
    const LPCSTR values[] = {record.name, record.address, record.email, record.send};
    const bool written = WritePrivateProfileKeysA(section, keys, values, 4, iniPath_) != FALSE;
    // What the file now holds becomes the record, as a fresh read would give it.
    ReadPlayer(player);
    return written;
}

bool PlayerSettings::HasPlayer(int player) const {
    if (!HasPath() || !ValidPlayer(player)) return false;
    char section[32];
    SectionName(player, section);
    char name[2];
    return GetPrivateProfileStringA(section, "name", "", name, sizeof name, iniPath_) > 0;
}

bool PlayerSettings::ClearPlayer(int player) {
    if (!HasPath() || !ValidPlayer(player)) return false;
    char section[32];
    SectionName(player, section);
    const bool written = WritePrivateProfileStringA(section, nullptr, nullptr, iniPath_);
    ReadPlayer(player);
    return written;
}

void PlayerSettings::ResetPlayer(int player) {
    if (!ValidPlayer(player)) return;
    PlayerRecord& r = players_[player];
    r = PlayerRecord{};
    char section[32];
    SectionName(player, section);
    std::strncpy(r.name, section, sizeof r.name - 1);
    std::strcpy(r.send, "Y");
    WritePlayer(player, r);
}

void PlayerSettings::ResetAllPlayers() {
    for (int p = 0; p < kPlayers; ++p) ResetPlayer(p);
}

bool PlayerSettings::WritePlayerId(int id) {
    if (!HasPath()) return false;
    char value[32];
    std::snprintf(value, sizeof value, "%d", id);
    if (!WritePrivateProfileStringA("setup", "playerid", value, iniPath_)) return false;
    playerId_ = id;
    return true;
}

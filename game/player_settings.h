// The registered players, kept by the launcher in its options file: up to eight players, each
// with a name, an address, an e-mail address and a one-character "send" flag, and the number of
// the current one. The game reads the current player at every new game.
#pragma once

struct PlayerRecord {
    char name[64];
    char address[64];
    char email[64];
    char send[2];
};
static_assert(sizeof(PlayerRecord) == 194, "the record's fields are texts of fixed size");

class PlayerSettings {
public:
    static constexpr int kPlayers = 8;

    void SetIniPath(const char* path);
    // The current player's number; one outside 0 to 7 selects player 0.
    int ReadPlayerId();
    void ReadPlayer(int player);
    // "name:address:email:send" of the player, read afresh; `out` holds at least 256 bytes.
    void PlayerText(int player, char* out);

    int PlayerId() const { return playerId_; }
    const PlayerRecord& Player(int player) const { return players_[ValidPlayer(player) ? player : 0]; }
    static bool ValidPlayer(int player) { return player >= 0 && player < kPlayers; }

    // The launcher's side. Each write returns false when the file could not be written; the
    // profile functions rewrite the file whole, so a failed write leaves it as it was.
    bool WritePlayer(int player, const PlayerRecord& record);
    bool WritePlayerId(int id);
    // True when the player's section names the player: a slot someone registered in.
    bool HasPlayer(int player) const;
    // Removes the player's section; the slot reads as empty again.
    bool ClearPlayer(int player);

    // Kept for a complete interface; unused by the programs.
    void ResetPlayer(int player);
    void ResetAllPlayers();

private:
    bool HasPath() const { return iniPath_[0] != '\0'; }
    void FormatText(int player, char* out) const;

    int playerId_ = 0;
    PlayerRecord players_[kPlayers] = {};
    char iniPath_[256] = "";
};

extern PlayerSettings g_PlayerSettings;

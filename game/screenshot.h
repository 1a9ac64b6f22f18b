// F12: the presented picture as a PNG file in the player's pictures folder, and a short notice in
// the game's font saying how that went. The game goes on either way.
#pragma once

#include <string>

class Screenshots {
public:
    // Asks for the next picture presented.
    void Take();
    // After the frame's present: learns whether the picture was written.
    void AfterPresent();
    // Before the present: the notice, while it lasts.
    void DrawNotice();

    // The file in $XDG_PICTURES_DIR/Stalkway, else ~/Pictures/Stalkway (the first that exists or
    // can be made), else where the game writes the player's files: the data folder of a portable
    // game, the player's data folder of an installed one. Empty when none of them can take it.
    static std::string PathFor(const std::string& fileName);

private:
    void Report(bool saved);

    std::string path_;
    const char* notice_ = nullptr;
    int noticeSince_ = 0;
};

extern Screenshots g_Screenshots;

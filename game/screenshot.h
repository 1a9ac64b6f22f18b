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

    // $XDG_PICTURES_DIR/Stalkway, else ~/Pictures/Stalkway, else the data folder: the first that
    // exists or can be made.
    static std::string Folder();

private:
    std::string path_;
    const char* notice_ = nullptr;
    int noticeSince_ = 0;
};

extern Screenshots g_Screenshots;

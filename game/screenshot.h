// F12: the presented picture as a new PNG file in the player's pictures folder (NativePicturePath),
// and a short notice in the game's font saying how that went. The game goes on either way.
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

private:
    void Report(bool saved);

    std::string path_;
    const char* notice_ = nullptr;
    int noticeSince_ = 0;
};

extern Screenshots g_Screenshots;

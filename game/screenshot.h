// F12: the presented picture as a new PNG file in the player's pictures folder (NativePicturePath),
// and a notice on the game's notice line saying how that went. The game goes on either way.
#pragma once

#include <string>

class Screenshots {
public:
    // Asks for the next picture presented.
    void Take();
    // After the frame's present: learns whether the picture was written.
    void AfterPresent();

private:
    // As QZSavedPicture gives it.
    enum Result { kNotSaved = 0, kSaved = 1, kDownloaded = 2 };
    void Report(int result);

    std::string path_;
};

extern Screenshots g_Screenshots;

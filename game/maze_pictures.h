// The pictures a maze model works on, by the names the maze screen gives them: "maze" (the working
// copy, painted with the trail), "mazebackup" (the pristine copy), "mazemap" (the 8-bit map),
// "hilite" and "nohilite" (the panel's tiles). The maze screen holds the game's one set; a program
// that plays several games at once gives each model a set of its own.
#pragma once

#include "platform/api/ddraw.h"

class MazePictures {
public:
    virtual ~MazePictures() = default;
    // The surface of the picture of that name, or null.
    virtual LPDIRECTDRAWSURFACE7 PictureSurface(const char* name) = 0;
    // Copies the pristine maze over the working one.
    virtual void RestoreMaze() = 0;
};

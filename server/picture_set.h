// One maze's pictures for one replay at a time: the model paints its trail on the working copy, so
// runs played side by side each need a set of their own. Loaded by the names the file names point
// at when it is made.
#pragma once

#include <array>
#include <memory>

#include "canvas/screen_image.h"
#include "game/maze_pictures.h"
#include "server/maze_shelf.h"

namespace server {

class PictureSet : public MazePictures {
public:
    // Loads the maze's pictures from where the file names point now; empty when one is missing.
    static std::unique_ptr<PictureSet> Load(const MazeId& maze);

    const MazeId& Maze() const { return maze_; }
    LPDIRECTDRAWSURFACE7 PictureSurface(const char* name) override;
    void RestoreMaze() override;

private:
    explicit PictureSet(const MazeId& maze) : maze_(maze) {}

    MazeId maze_;
    std::array<ScreenImage, 5> images_;
};

}  // namespace server

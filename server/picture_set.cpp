#include "server/picture_set.h"

#include <cstring>

#include "platform/api/ddraw.h"

namespace server {

namespace {

// What the model reads and paints, as the maze screen loads them.
struct Picture {
    const char* name;
    const char* file;
    int bits;
};

constexpr std::array<Picture, 5> kPictures = {{
    {"maze", "maze02.bmp", 16},
    {"mazebackup", "maze02.bmp", 16},
    {"mazemap", "maze02.bmp", 8},
    {"hilite", "hilite2.bmp", 16},
    {"nohilite", "nohilite2.bmp", 16},
}};

}  // namespace

std::unique_ptr<PictureSet> PictureSet::Load(const MazeId& maze) {
    std::unique_ptr<PictureSet> set(new PictureSet(maze));
    for (std::size_t i = 0; i < kPictures.size(); ++i)
        if (set->images_[i].LoadFileDepth(kPictures[i].file, kPictures[i].bits) == nullptr) return nullptr;
    return set;
}

LPDIRECTDRAWSURFACE7 PictureSet::PictureSurface(const char* name) {
    for (std::size_t i = 0; i < kPictures.size(); ++i)
        if (std::strcmp(kPictures[i].name, name) == 0) return images_[i].surface;
    return nullptr;
}

void PictureSet::RestoreMaze() {
    PictureSurface("maze")->Blt(nullptr, PictureSurface("mazebackup"), nullptr, DDBLT_WAIT, nullptr);
}

}  // namespace server

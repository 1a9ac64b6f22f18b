// A numbered maze's own files, made from its number and the pictures of the data folder: the maze
// picture, the background with the start's clearing and the exit's sign where this maze has them,
// the perfect game's picture with this maze's route, and a digest of the three; and its perfect and
// short games as stalkway-replay scripts. Everything else (sounds, buttons, the panel's letters) is
// the data folder's. Only integer arithmetic decides a byte, so every build makes the same files.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "maze/bmp_files.h"
#include "maze/pictures.h"

namespace assets {

struct NamedFile {
    std::string name;
    Bytes bytes;
};

// The data folder's pictures a numbered maze is drawn over, in this order.
inline constexpr std::array<const char*, 5> kClassicPictureNames = {
    "maze02.bmp", "background.bmp", "ultimatesolution.bmp", "hilite2.bmp", "nohilite2.bmp"};
// The pictures a numbered maze has of its own, and its digest.
inline constexpr std::array<const char*, 3> kMazePictureNames = {"maze02.bmp", "background.bmp",
                                                                 "ultimatesolution.bmp"};
inline constexpr char kMazeDigestName[] = "maze.digest";

struct ClassicPictures {
    IndexedPicture maze;
    RgbPicture background;
    RgbPicture perfect;
    RgbPicture hilite;
    RgbPicture nohilite;
};

// From the files' bytes in kClassicPictureNames' order; nothing when one is not as the data
// generator writes it.
std::optional<ClassicPictures> ReadClassicPictures(const std::array<Bytes, kClassicPictureNames.size()>& files);
// The same, read from the files of that name in `folder`.
std::optional<ClassicPictures> ReadClassicPicturesIn(const std::string& folder);

struct MazeFiles {
    std::uint32_t number = 0;
    std::vector<NamedFile> pictures;  // kMazePictureNames, then the digest
    std::string perfectScript;
    std::string imperfectScript;
    std::string description;            // the maze's figures, as stalkway-assets prints them
    std::vector<std::string> problems;  // empty when the maze plays as it must
};

MazeFiles MakeMazeFiles(std::uint32_t number, const ClassicPictures& classic);

}  // namespace assets

#include "maze/maze_files.h"

#include "maze/game_scripts.h"
#include "maze/maze_digest.h"
#include "maze/maze_maker.h"
#include "maze/maze_marks.h"
#include "maze/maze_picture.h"
#include "maze/screen_layout.h"
#include "maze/maze_verdict.h"
#include "maze/solution_picture.h"

namespace assets {

namespace {

// The soil of a numbered maze's corridors has a pattern of its own, from its number.
constexpr std::uint64_t kSoilSeed = 0x534F494Cull;

// The cell whose block has the palette index; -1 when there is none.
int CellWithIndex(const IndexedPicture& maze, int index) {
    for (int y = 0; y < maze.height; ++y)
        for (int x = 0; x < maze.width; ++x)
            if (maze.At(x, y) == index)
                return CellGrid::Cell((x - CellGrid::kOrigin) / CellGrid::kPitch,
                                      (y - CellGrid::kOrigin) / CellGrid::kPitch);
    return -1;
}

// The empty panel as the classic maze picture holds it, in the palette entries it has there.
IndexedPicture PanelOf(const IndexedPicture& maze) {
    IndexedPicture panel(kPanelWidth, kPanelHeight);
    for (int i = 0; i < kPanelColours; ++i) panel.palette[i] = maze.palette[kFirstPanelIndex + i];
    for (int y = 0; y < kPanelHeight; ++y)
        for (int x = 0; x < kPanelWidth; ++x)
            panel.At(x, y) = static_cast<std::uint8_t>(maze.At(kPanelX + x, kPanelY + y) - kFirstPanelIndex);
    return panel;
}

std::string Scripted(const std::string& about, std::uint32_t number) {
    return about + " Run it with stalkway-replay --maze " + std::to_string(number) + ".";
}

}  // namespace

std::optional<ClassicPictures> ReadClassicPicturesIn(const std::string& folder) {
    std::array<Bytes, kClassicPictureNames.size()> files;
    for (std::size_t i = 0; i < files.size(); ++i)
        files[i] = ReadFile(folder + "/" + kClassicPictureNames[i]).value_or(Bytes{});
    return ReadClassicPictures(files);
}

std::optional<ClassicPictures> ReadClassicPictures(const std::array<Bytes, kClassicPictureNames.size()>& files) {
    auto maze = ReadBmp8(files[0]);
    auto background = ReadBmp16(files[1]);
    auto perfect = ReadBmp16(files[2]);
    auto hilite = ReadBmp16(files[3]);
    auto nohilite = ReadBmp16(files[4]);
    if (!maze || !background || !perfect || !hilite || !nohilite) return std::nullopt;
    if (maze->width != kMazeSide || maze->height != kMazeSide || background->width != kScreenWidth ||
        background->height != kScreenHeight || perfect->width != kEndPictureSide || perfect->height != kEndPictureSide)
        return std::nullopt;
    for (int y = kPanelY; y < kPanelY + kPanelHeight; ++y)
        for (int x = kPanelX; x < kPanelX + kPanelWidth; ++x)
            if (maze->At(x, y) < kFirstPanelIndex) return std::nullopt;
    if (CellWithIndex(*maze, kStartIndex) < 0 || CellWithIndex(*maze, kExitIndex) < 0) return std::nullopt;
    return ClassicPictures{std::move(*maze), std::move(*background), std::move(*perfect), std::move(*hilite),
                           std::move(*nohilite)};
}

MazeFiles MakeMazeFiles(std::uint32_t number, const ClassicPictures& classic) {
    const ChosenMaze maze = ChooseNumberedMaze(number);
    const IndexedPicture picture = DrawMaze(maze.layout, PanelOf(classic.maze), kSoilSeed ^ number);
    const MazeVerdict verdict = JudgeMaze(maze, picture, classic.hilite, classic.nohilite);
    MazeFiles files;
    files.number = number;
    files.problems = verdict.problems;
    const RgbPicture background = MoveMazeMarks(classic.background, CellWithIndex(classic.maze, kStartIndex),
                                                CellWithIndex(classic.maze, kExitIndex), maze.layout.start,
                                                maze.layout.exit);
    files.pictures = {{kMazePictureNames[0], Bmp8(picture)},
                      {kMazePictureNames[1], Bmp16(background)},
                      {kMazePictureNames[2], Bmp16(DrawSolution(classic.perfect, maze.layout))}};
    std::vector<std::string> names;
    std::vector<std::uint64_t> hashes;
    for (const NamedFile& file : files.pictures) {
        names.push_back(file.name);
        hashes.push_back(Fnv1a64(file.bytes));
    }
    const std::string digest = DigestText(names, hashes);
    files.pictures.push_back({kMazeDigestName, Bytes(digest.begin(), digest.end())});
    const MazeRules fresh(picture, classic.hilite, classic.nohilite);
    files.perfectScript = GameScript(
        "perfect",
        Scripted("The perfect game of maze " + std::to_string(number) + ": every kernel, every letter, then the exit.",
                 number),
        verdict.perfectClicks, fresh);
    files.imperfectScript = GameScript(
        "imperfect",
        Scripted("A short game of maze " + std::to_string(number) +
                     ": the fewest moves to the exit, with a few wrong turns taken back.",
                 number),
        verdict.imperfectClicks, fresh);
    files.description = "Maze " + std::to_string(number) + ": planned from its sub-seed " +
                        std::to_string(maze.attempts) + ".\n" + Describe(maze, verdict);
    return files;
}

}  // namespace assets

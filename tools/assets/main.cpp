// stalkway-assets: makes the game's data. Plans the maze, paints every picture, synthesises the
// sounds, checks the maze against the game's rules and writes it all into the data folder, with
// the perfect game and a short imperfect one as stalkway-replay scripts; and the launcher's
// pictures into its folder.
//
//   stalkway-assets --data DIR [--scripts DIR] [--views DIR] [--icons DIR] [--licence FILE] [--launcher DIR]
//   stalkway-assets --maze N --data DIR [--scripts DIR]
//
// With --maze, the data folder gets maze N's own pictures in place of the classic maze's, and the
// scripts play maze N.
#include <array>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "maze/game_scripts.h"
#include "maze/maze_files.h"
#include "maze/maze_number.h"
#include "maze/maze_verdict.h"
#include "tools/assets/data_folder.h"
#include "tools/assets/icon_art.h"
#include "tools/assets/launcher_art.h"
#include "tools/assets/screen_views.h"

namespace {

struct Options {
    std::string data;
    std::string scripts;
    std::string views;
    std::string icons;
    std::string licence;
    std::string launcher;
    std::string maze;
};

bool ParseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string key = argv[i];
        const std::string value = argv[i + 1];
        if (key == "--data") options.data = value;
        else if (key == "--scripts") options.scripts = value;
        else if (key == "--views") options.views = value;
        else if (key == "--icons") options.icons = value;
        else if (key == "--licence") options.licence = value;
        else if (key == "--launcher") options.launcher = value;
        else if (key == "--maze") options.maze = value;
        else return false;
    }
    if (!options.maze.empty() && !assets::ParseMazeNumber(options.maze)) return false;
    return argc % 2 == 1 && !options.data.empty();
}

std::string ReadText(const std::string& path) {
    if (path.empty()) return "";
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteText(const std::string& path, const std::string& text) {
    assets::WriteFile(path, assets::Bytes(text.begin(), text.end()));
}

void WriteScripts(const std::string& folder, const assets::ChosenMaze& maze, const assets::GameArt& art,
                  const assets::MazeVerdict& verdict) {
    std::filesystem::create_directories(folder);
    const assets::MazeRules fresh(art.maze, art.hilite, art.nohilite);
    auto write = [&](const std::string& name, const std::string& text) { WriteText(folder + "/" + name, text); };
    write("perfect.script",
          assets::GameScript("perfect", "The perfect game: every kernel, every letter, then the exit.",
                             verdict.perfectClicks, fresh));
    write("imperfect.script",
          assets::GameScript("imperfect",
                             "A short game: the fewest moves to the exit, with a few wrong turns taken back.",
                             verdict.imperfectClicks, fresh));
    write("maze.txt", assets::Describe(maze, verdict));
}

// Maze `number`'s data folder: the classic files, with the maze's own pictures and digest in place.
int WriteNumberedMaze(const Options& options, std::vector<assets::DataFile> files) {
    std::array<assets::Bytes, assets::kClassicPictureNames.size()> classicBytes;
    for (std::size_t i = 0; i < classicBytes.size(); ++i)
        for (const assets::DataFile& file : files)
            if (file.name == assets::kClassicPictureNames[i]) classicBytes[i] = file.bytes;
    const auto classic = assets::ReadClassicPictures(classicBytes);
    if (!classic) throw std::runtime_error("the classic pictures do not read back");
    const assets::MazeFiles maze = assets::MakeMazeFiles(*assets::ParseMazeNumber(options.maze), *classic);
    if (!maze.problems.empty()) {
        for (const std::string& problem : maze.problems) std::cerr << "stalkway-assets: " << problem << '\n';
        return 1;
    }
    for (const assets::NamedFile& own : maze.pictures) {
        bool replaced = false;
        for (assets::DataFile& file : files)
            if (file.name == own.name) {
                file.bytes = own.bytes;
                replaced = true;
            }
        if (!replaced) files.push_back({own.name, own.bytes});
    }
    assets::LayOutDataFolder(options.data, files);
    if (!options.scripts.empty()) {
        std::filesystem::create_directories(options.scripts);
        WriteText(options.scripts + "/perfect.script", maze.perfectScript);
        WriteText(options.scripts + "/imperfect.script", maze.imperfectScript);
        WriteText(options.scripts + "/maze.txt", maze.description);
    }
    std::cout << maze.description;
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::cerr << "usage: stalkway-assets --data DIR [--scripts DIR] [--views DIR] [--icons DIR] [--licence FILE] "
                     "[--launcher DIR]\n"
                     "       stalkway-assets --maze N --data DIR [--scripts DIR]   (N from 1 to 99999999)\n";
        return 2;
    }
    try {
        const assets::ChosenMaze maze = assets::ChooseMaze();
        const assets::GameArt art = assets::PaintGameArt(maze.layout);
        if (!options.maze.empty()) return WriteNumberedMaze(options, assets::GameFiles(art, ReadText(options.licence)));
        const assets::MazeVerdict verdict = assets::JudgeMaze(maze, art.maze, art.hilite, art.nohilite);
        if (!verdict.problems.empty()) {
            for (const std::string& problem : verdict.problems) std::cerr << "stalkway-assets: " << problem << '\n';
            return 1;
        }
        assets::LayOutDataFolder(options.data, assets::GameFiles(art, ReadText(options.licence)));
        if (!options.icons.empty()) assets::WriteIconTheme(options.icons);
        if (!options.launcher.empty()) assets::LayOutLauncherFolder(options.launcher, assets::LauncherFiles());
        if (!options.scripts.empty()) WriteScripts(options.scripts, maze, art, verdict);
        if (!options.views.empty()) {
            std::filesystem::create_directories(options.views);
            const assets::MazeRules fresh(art.maze, art.hilite, art.nohilite);
            assets::WriteScreenViews(options.views, art, maze.layout, fresh, maze.figures.shortestRoute);
        }
        std::cout << assets::Describe(maze, verdict);
    } catch (const std::exception& error) {
        std::cerr << "stalkway-assets: " << error.what() << '\n';
        return 1;
    }
    return 0;
}

// Runs stalkway-replay in a fresh temporary folder and reads back what it wrote, for end-to-end
// tests of the whole program.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "support/scratch_dir.h"

namespace test {

// `text` as one word of a POSIX shell command line, whatever it holds.
std::string ShellQuote(const std::string& text);

struct Shot {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;  // 3 bytes a pixel, rows top-down
    bool Loaded() const { return width > 0; }
    // The pixel at (x, y) as 0xRRGGBB.
    std::uint32_t At(int x, int y) const;
};

class ReplayRun {
public:
    // A new, empty working folder (the game's data folder for the run), removed at the end.
    ReplayRun() = default;

    const std::string& Folder() const { return folder_; }
    // Copies the generator's game data (build/game/made/Stalkway, which nobody plays in) into the
    // working folder, or into a folder of that name inside it.
    void CopyGameData(const std::string& into = "");
    // Copies the launcher's pictures as the generator made them (build/game/made/portico) into the
    // working folder, which then serves as the launcher's folder.
    void CopyLauncherPictures();
    void WriteFile(const std::string& name, const std::string& content);
    // Runs the script with extra runner options; returns the exit code. What the runner prints
    // is kept for Stdout and Stderr.
    // `from` names a folder inside the working folder to run in; the script, log and shots stay
    // in the working folder.
    int Run(const std::string& script, const std::vector<std::string>& options = {},
            const std::string& launcherDir = "", const std::string& from = "");

    // Runs the scripts at the same time, each as a runner of its own in the working folder, as
    // games side by side in one data folder; returns their exit codes. Script i writes its log to
    // "run-i.log" and its shots to "shots-i".
    std::vector<int> RunTogether(const std::vector<std::string>& scripts);

    std::string Log() const;
    std::string Stderr() const;
    std::string Stdout() const;
    Shot LoadShot(const std::string& name) const;
    bool ShotExists(const std::string& name) const;
    std::string ReadFile(const std::string& name) const;

private:
    ScratchDir scratch_;
    std::string folder_ = scratch_.Path();
};

std::string ReadWholeFile(const std::string& path);

}  // namespace test

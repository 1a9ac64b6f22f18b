#include "support/replay_run.h"

#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace test {
std::string ShellQuote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

std::uint32_t Shot::At(int x, int y) const {
    const size_t i = (static_cast<size_t>(y) * width + x) * 3;
    return (std::uint32_t{rgb[i]} << 16) | (std::uint32_t{rgb[i + 1]} << 8) | rgb[i + 2];
}

std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void ReplayRun::CopyGameData(const std::string& into) {
    fs::create_directories(fs::path(folder_) / into);
    fs::copy(fs::path(STALKWAY_BINARY_DIR) / "game" / "made" / "Stalkway", fs::path(folder_) / into,
             fs::copy_options::recursive | fs::copy_options::overwrite_existing);
}

void ReplayRun::CopyLauncherPictures() {
    fs::copy(fs::path(STALKWAY_BINARY_DIR) / "game" / "made" / "portico", fs::path(folder_) / "portico",
             fs::copy_options::recursive | fs::copy_options::overwrite_existing);
}

void ReplayRun::WriteFile(const std::string& name, const std::string& content) {
    const fs::path path = fs::path(folder_) / name;
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << content;
}

int ReplayRun::Run(const std::string& script, const std::vector<std::string>& options, const std::string& launcherDir,
                   const std::string& from) {
    WriteFile("test.script", script);
    const std::string top = ShellQuote(folder_) + "/";
    std::string command = "cd " + ShellQuote((fs::path(folder_) / from).string()) + " && " +
                          ShellQuote(std::string(STALKWAY_BINARY_DIR) + "/bin/stalkway-replay") + " --shots " + top +
                          "shots --log " + top + "run.log";
    for (const std::string& option : options) command += " " + ShellQuote(option);
    command += " " + top + "test.script";
    if (!launcherDir.empty()) command += " " + ShellQuote(launcherDir);
    command += " >" + top + "stdout.txt 2>" + top + "stderr.txt";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::vector<int> ReplayRun::RunTogether(const std::vector<std::string>& scripts) {
    const std::string runner = ShellQuote(std::string(STALKWAY_BINARY_DIR) + "/bin/stalkway-replay");
    std::string command = "cd " + ShellQuote(folder_) + " && {";
    for (std::size_t i = 0; i < scripts.size(); ++i) {
        const std::string n = std::to_string(i);
        WriteFile("test-" + n + ".script", scripts[i]);
        command += " (" + runner + " --shots shots-" + n + " --log run-" + n + ".log test-" + n + ".script >stdout-" +
                   n + ".txt 2>stderr-" + n + ".txt; echo $? >exit-" + n + ".txt) &";
    }
    command += " wait; }";
    if (std::system(command.c_str()) == -1) return std::vector<int>(scripts.size(), -1);
    std::vector<int> codes;
    for (std::size_t i = 0; i < scripts.size(); ++i) {
        const std::string code = ReadFile("exit-" + std::to_string(i) + ".txt");
        codes.push_back(code.empty() ? -1 : std::stoi(code));
    }
    return codes;
}

std::string ReplayRun::Log() const { return ReadFile("run.log"); }
std::string ReplayRun::Stderr() const { return ReadFile("stderr.txt"); }
std::string ReplayRun::Stdout() const { return ReadFile("stdout.txt"); }
std::string ReplayRun::ReadFile(const std::string& name) const { return ReadWholeFile(folder_ + "/" + name); }

bool ReplayRun::ShotExists(const std::string& name) const {
    return fs::exists(fs::path(folder_) / "shots" / (name + ".png"));
}

Shot ReplayRun::LoadShot(const std::string& name) const {
    Shot shot;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    const std::string path = folder_ + "/shots/" + name + ".png";
    if (!png_image_begin_read_from_file(&image, path.c_str())) return shot;
    image.format = PNG_FORMAT_RGB;
    shot.rgb.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, shot.rgb.data(), 0, nullptr)) return Shot{};
    shot.width = static_cast<int>(image.width);
    shot.height = static_cast<int>(image.height);
    return shot;
}

}  // namespace test

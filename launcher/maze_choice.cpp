#include "launcher/maze_choice.h"

#include <algorithm>
#include <sstream>

#include "maze/maze_number.h"
#include "platform/api/win32.h"

namespace {

constexpr char kSection[] = "maze";

std::string ReadValue(const std::string& file, const char* key) {
    char value[256] = "";
    GetPrivateProfileStringA(kSection, key, "", value, sizeof value, file.c_str());
    return value;
}

}  // namespace

void MazeChoice::Load(const char* optionsFile, std::uint32_t today) {
    file_ = optionsFile;
    today_ = today;
    const std::string choice = ReadValue(file_, "choice");
    kind_ = Kind::Classic;
    number_ = 0;
    if (choice == "today") kind_ = Kind::Today;
    if (const auto number = assets::ParseMazeNumber(choice)) {
        kind_ = Kind::Number;
        number_ = *number;
    }
    recent_.clear();
    std::istringstream words(ReadValue(file_, "recent"));
    for (std::string word; std::getline(words, word, ',') && recent_.size() < kRecentKept;)
        if (const auto number = assets::ParseMazeNumber(word)) recent_.push_back(*number);
}

std::uint32_t MazeChoice::Number() const {
    if (kind_ == Kind::Today) return today_;
    return kind_ == Kind::Number ? number_ : assets::kClassicMaze;
}

std::string MazeChoice::Argument() const {
    if (kind_ == Kind::Today) return "today";
    return kind_ == Kind::Number ? std::to_string(number_) : "classic";
}

bool MazeChoice::Choose(Kind kind) {
    if (kind == Kind::Number && number_ == 0) return true;
    kind_ = kind;
    return Save();
}

bool MazeChoice::ChooseNumber(std::uint32_t number) {
    if (!assets::ParseMazeNumber(std::to_string(number))) return true;
    number_ = number;
    kind_ = Kind::Number;
    return Save();
}

bool MazeChoice::Played() {
    const std::uint32_t number = Number();
    if (number == assets::kClassicMaze) return true;
    recent_.erase(std::remove(recent_.begin(), recent_.end(), number), recent_.end());
    recent_.insert(recent_.begin(), number);
    if (recent_.size() > kRecentKept) recent_.resize(kRecentKept);
    return Save();
}

bool MazeChoice::Save() const {
    std::string recent;
    for (std::uint32_t number : recent_) recent += (recent.empty() ? "" : ",") + std::to_string(number);
    return WritePrivateProfileStringA(kSection, "choice", Argument().c_str(), file_.c_str()) != 0 &&
           WritePrivateProfileStringA(kSection, "recent", recent.c_str(), file_.c_str()) != 0;
}

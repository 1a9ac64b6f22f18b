#include "tools/replay/script.h"

#include <sstream>

#include "platform/api/user.h"

namespace replay {
namespace {

bool ReadInt(std::istringstream& in, int* value) { return static_cast<bool>(in >> *value); }

bool NothingMore(std::istringstream& in) {
    std::string rest;
    return !(in >> rest);
}

// One line into commands; false with a reason when it is not understood.
bool ParseLine(const std::string& line, int number, std::vector<Command>* out, std::string* why) {
    std::istringstream in(line);
    std::string word;
    in >> word;
    int x = 0;
    int y = 0;
    auto add = [&](Op op, int a = 0, int b = 0, std::string text = {}) {
        out->push_back(Command{op, a, b, std::move(text), number});
    };
    if (word == "frames") {
        if (!ReadInt(in, &x) || x < 0 || !NothingMore(in)) return *why = "frames needs a count", false;
        add(Op::Frames, x);
    } else if (word == "move" || word == "click") {
        if (!ReadInt(in, &x) || !ReadInt(in, &y) || !NothingMore(in)) return *why = word + " needs X Y", false;
        add(Op::Move, x, y);
        if (word == "click") {
            add(Op::Button, 1, 1);
            add(Op::Button, 1, 0);
        }
    } else if (word == "press" || word == "release" || word == "rpress" || word == "rrelease") {
        if (!NothingMore(in)) return *why = word + " takes nothing more", false;
        const bool right = word == "rpress" || word == "rrelease";
        const bool down = word == "press" || word == "rpress";
        add(Op::Button, right ? 2 : 1, down ? 1 : 0);
    } else if (word == "key") {
        std::string name;
        in >> name;
        const int vk = VirtualKeyForName(name);
        if (vk == 0 || !NothingMore(in)) return *why = "unknown key '" + name + "'", false;
        add(Op::Key, vk, 1);
        add(Op::Key, vk, 0);
    } else if (word == "caption") {
        if (!NothingMore(in)) return *why = "caption takes nothing more", false;
        add(Op::Caption);
    } else if (word == "type") {
        // The text is the rest of the line after one space, spaces included.
        const std::size_t start = line.find("type") + 5;
        if (start >= line.size()) return *why = "type needs a text", false;
        for (std::size_t i = start; i < line.size(); ++i) add(Op::Type, static_cast<unsigned char>(line[i]));
    } else if (word == "deactivate" || word == "activate") {
        if (!NothingMore(in)) return *why = word + " takes nothing more", false;
        add(Op::Activate, word == "activate" ? 1 : 0);
    } else if (word == "shot") {
        std::string name;
        in >> name;
        if (name.empty() || name.find('/') != std::string::npos || !NothingMore(in))
            return *why = "shot needs a plain name", false;
        add(Op::Shot, 0, 0, name);
    } else if (word == "close") {
        if (!NothingMore(in)) return *why = "close takes nothing more", false;
        add(Op::Close);
    } else {
        return *why = "unknown command '" + word + "'", false;
    }
    return true;
}

}  // namespace

int VirtualKeyForName(const std::string& name) {
    if (name.size() == 1 && ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= '0' && name[0] <= '9'))) return name[0];
    static const struct {
        const char* name;
        int vk;
    } kNames[] = {{"Escape", VK_ESCAPE}, {"F1", VK_F1},       {"Return", VK_RETURN}, {"Space", VK_SPACE},
                  {"Left", VK_LEFT},     {"Right", VK_RIGHT}, {"Up", VK_UP},         {"Down", VK_DOWN}};
    for (const auto& k : kNames)
        if (name == k.name) return k.vk;
    return 0;
}

bool ParseScript(const std::string& text, std::vector<Command>* commands, std::string* error) {
    std::istringstream in(text);
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const size_t first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] == '#') continue;
        std::string why;
        if (!ParseLine(line, number, commands, &why)) {
            *error = "line " + std::to_string(number) + ": " + why;
            return false;
        }
    }
    return true;
}

}  // namespace replay

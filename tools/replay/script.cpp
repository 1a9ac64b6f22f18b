#include "tools/replay/script.h"

#include <charconv>
#include <sstream>
#include <system_error>

#include "platform/api/user.h"

namespace replay {
namespace {

// The words of a line, up to a word that starts a comment.
std::vector<std::string> Words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    std::string word;
    while (in >> word && word[0] != '#') words.push_back(word);
    return words;
}

// The whole word as a number, or false.
bool WordToInt(const std::string& word, int* value) {
    const char* end = word.data() + word.size();
    const auto [stop, error] = std::from_chars(word.data(), end, *value);
    return error == std::errc() && stop == end;
}

// Checks the number of words after the command; says what is missing or names the first extra.
bool Arguments(const std::vector<std::string>& words, std::size_t wanted, const std::string& what, std::string* why) {
    if (words.size() - 1 < wanted) return *why = words[0] + " needs " + what, false;
    if (words.size() - 1 > wanted)
        return *why = "'" + words[wanted + 1] + "' is one word too many: " + words[0] +
                      (wanted == 0 ? " takes nothing more" : " takes " + what),
               false;
    return true;
}

bool Number(const std::string& command, const std::string& word, int* value, std::string* why) {
    if (WordToInt(word, value)) return true;
    return *why = command + " needs a whole number, not '" + word + "'", false;
}

// One line's words into commands (`type` takes the rest of the line itself, comment signs too);
// false with a reason when they are not understood.
bool ParseWords(const std::string& line, const std::vector<std::string>& words, int number, std::vector<Command>* out,
                std::string* why) {
    const std::string& word = words[0];
    int x = 0;
    int y = 0;
    auto add = [&](Op op, int a = 0, int b = 0, std::string text = {}) {
        out->push_back(Command{op, a, b, std::move(text), number});
    };
    if (word == "frames") {
        if (!Arguments(words, 1, "a count", why) || !Number(word, words[1], &x, why)) return false;
        if (x < 0) return *why = "frames needs a count, not '" + words[1] + "'", false;
        add(Op::Frames, x);
    } else if (word == "move" || word == "click") {
        if (!Arguments(words, 2, "X Y", why) || !Number(word, words[1], &x, why) || !Number(word, words[2], &y, why))
            return false;
        add(Op::Move, x, y);
        if (word == "click") {
            add(Op::Button, 1, 1);
            add(Op::Button, 1, 0);
        }
    } else if (word == "press" || word == "release" || word == "rpress" || word == "rrelease") {
        if (!Arguments(words, 0, "", why)) return false;
        const bool right = word == "rpress" || word == "rrelease";
        const bool down = word == "press" || word == "rpress";
        add(Op::Button, right ? 2 : 1, down ? 1 : 0);
    } else if (word == "key") {
        if (!Arguments(words, 1, "a key name", why)) return false;
        const int vk = VirtualKeyForName(words[1]);
        if (vk == 0) return *why = "unknown key '" + words[1] + "'", false;
        add(Op::Key, vk, 1);
        add(Op::Key, vk, 0);
    } else if (word == "pad") {
        if (!Arguments(words, 1, "a pad button", why)) return false;
        const int vk = PadKeyForName(words[1]);
        if (vk == 0) return *why = "unknown pad button '" + words[1] + "'", false;
        add(Op::Key, vk, 1);
        add(Op::Key, vk, 0);
    } else if (word == "caption") {
        if (!Arguments(words, 0, "", why)) return false;
        add(Op::Caption);
    } else if (word == "type") {
        // The text is the rest of the line after one space, spaces included.
        const std::size_t start = line.find("type") + 5;
        if (start >= line.size()) return *why = "type needs a text", false;
        for (std::size_t i = start; i < line.size(); ++i) add(Op::Type, static_cast<unsigned char>(line[i]));
    } else if (word == "deactivate" || word == "activate") {
        if (!Arguments(words, 0, "", why)) return false;
        add(Op::Activate, word == "activate" ? 1 : 0);
    } else if (word == "shot") {
        if (!Arguments(words, 1, "a name", why)) return false;
        if (words[1].find('/') != std::string::npos)
            return *why = "shot needs a plain name, not '" + words[1] + "'", false;
        add(Op::Shot, 0, 0, words[1]);
    } else if (word == "close") {
        if (!Arguments(words, 0, "", why)) return false;
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
    } kNames[] = {{"Escape", VK_ESCAPE}, {"F1", VK_F1},         {"F12", VK_F12},     {"Return", VK_RETURN},
                  {"Space", VK_SPACE},   {"Left", VK_LEFT},     {"Right", VK_RIGHT}, {"Up", VK_UP},
                  {"Down", VK_DOWN},     {"Backspace", VK_BACK}};
    for (const auto& k : kNames)
        if (name == k.name) return k.vk;
    return 0;
}

int PadKeyForName(const std::string& name) {
    static const struct {
        const char* name;
        int vk;
    } kNames[] = {
        {"A", VK_GAMEPAD_A},
        {"B", VK_GAMEPAD_B},
        {"X", VK_GAMEPAD_X},
        {"Y", VK_GAMEPAD_Y},
        {"Start", VK_GAMEPAD_MENU},
        {"Back", VK_GAMEPAD_VIEW},
        {"Left", VK_GAMEPAD_DPAD_LEFT},
        {"Right", VK_GAMEPAD_DPAD_RIGHT},
        {"Up", VK_GAMEPAD_DPAD_UP},
        {"Down", VK_GAMEPAD_DPAD_DOWN},
        {"StickLeft", VK_GAMEPAD_LEFT_THUMBSTICK_LEFT},
        {"StickRight", VK_GAMEPAD_LEFT_THUMBSTICK_RIGHT},
        {"StickUp", VK_GAMEPAD_LEFT_THUMBSTICK_UP},
        {"StickDown", VK_GAMEPAD_LEFT_THUMBSTICK_DOWN},
    };
    for (const auto& k : kNames)
        if (name == k.name) return k.vk;
    return 0;
}

bool ParseScript(const std::string& text, std::vector<Command>* commands, std::string* error) {
    std::istringstream in(text);
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::vector<std::string> words = Words(line);
        if (words.empty()) continue;
        std::string why;
        if (!ParseWords(line, words, number, commands, &why)) {
            *error = "line " + std::to_string(number) + ": " + why;
            return false;
        }
    }
    return true;
}

}  // namespace replay

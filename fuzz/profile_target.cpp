// GetPrivateProfileStringA and WritePrivateProfileStringA over a fuzzed file. Every value is read
// through the lists of sections and keys; results fit the caller's buffer however small; and each
// change (a key set, a key added, a key deleted, a section deleted) does what it says and leaves
// every other section's values as they were.
#include <algorithm>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "fuzz/fuzz_target.h"
#include "fuzz/input_file.h"
#include "platform/api/kernel.h"

namespace fuzz {
namespace {

constexpr char kDefault[] = "\x01missing";
constexpr std::size_t kMostPairs = 32;

using Name = std::pair<std::string, std::string>;  // section and key, case folded
using Values = std::map<Name, std::string>;

std::string Folded(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return text;
}

std::string Get(const char* section, const char* key, const std::string& file, DWORD size = 4096) {
    std::vector<char> buffer(size + 1, '\x7f');
    const DWORD length = GetPrivateProfileStringA(section, key, kDefault, buffer.data(), size, file.c_str());
    Check(length < size && buffer[length] == '\0', "a result ends inside the buffer");
    Check(buffer[size] == '\x7f', "nothing is written past the buffer");
    return std::string(buffer.data(), length);
}

// The NUL after a list's last name and the one after that: both inside the count when the list
// was cut, else the count stops before the second.
bool EndsList(const char* buffer, DWORD length) {
    return buffer[length] == '\0' && (length == 0 || buffer[length - 1] == '\0' || buffer[length + 1] == '\0');
}

// A list of names: each followed by a NUL, the whole by one more.
std::vector<std::string> List(const char* section, const std::string& file) {
    constexpr DWORD kSize = 1 << 16;
    std::vector<char> buffer(kSize, '\x7f');
    const DWORD length = GetPrivateProfileStringA(section, nullptr, kDefault, buffer.data(), kSize, file.c_str());
    Check(length + 1 < kSize && EndsList(buffer.data(), length), "a list ends with two NULs");
    std::vector<std::string> names;
    for (std::size_t at = 0; at < length; at += names.back().size() + 1) names.emplace_back(buffer.data() + at);
    return names;
}

// Every value, by the names the lists give, as the program would find it.
Values Snapshot(const std::string& file) {
    Values values;
    for (const std::string& section : List(nullptr, file)) {
        for (const std::string& key : List(section.c_str(), file)) {
            if (values.size() == kMostPairs) return values;
            values[{Folded(section), Folded(key)}] = Get(section.c_str(), key.c_str(), file);
        }
    }
    return values;
}

// Short buffers keep as much of the text as fits: one NUL for a value, two for a list.
void CheckShortBuffers(const std::string& section, const std::string& key, const std::string& file, DWORD size) {
    const std::string whole = Get(section.c_str(), key.c_str(), file);
    Check(Get(section.c_str(), key.c_str(), file, size) == whole.substr(0, size - 1), "a short value is cut");
    std::vector<char> buffer(size, '\x7f');
    const DWORD length = GetPrivateProfileStringA(nullptr, nullptr, kDefault, buffer.data(), size, file.c_str());
    Check(size < 2 ? length == 0 : length <= size - 2, "a short list leaves room for two NULs");
    Check(size < 2 ? buffer[0] == '\0' : EndsList(buffer.data(), length), "a short list ends with NULs");
}

void Expect(const std::string& file, Values expected, const char* what) {
    const Values now = Snapshot(file);
    for (const auto& [name, value] : expected) {
        // A snapshot that reached its limit may end at another key after a change.
        if (!now.contains(name) && now.size() == kMostPairs) continue;
        Check(now.contains(name) && now.at(name) == value, what);
    }
}

void Change(const std::string& file, const char* section, const char* key, const char* value) {
    Check(WritePrivateProfileStringA(section, key, value, file.c_str()) == TRUE, "a change is written");
}

Values Without(Values values, const std::string& section, const std::string* key) {
    std::erase_if(values, [&](const auto& entry) {
        return entry.first.first == section && (key == nullptr || entry.first.second == *key);
    });
    return values;
}

// Changes the file round one of its keys in four ways, one after another.
void Edit(const std::string& file, const Values& before, const std::string& section, const std::string& key) {
    const std::string s = Folded(section), k = Folded(key);
    Change(file, section.c_str(), key.c_str(), "set by fuzz");
    Check(Get(section.c_str(), key.c_str(), file) == "set by fuzz", "a value set reads back");
    Values expected = before;
    expected[{s, k}] = "set by fuzz";
    Expect(file, expected, "setting a value changes no other");

    Change(file, "fuzz new", "added", "1");
    Check(Get("fuzz new", "added", file) == "1", "a key added reads back");
    Expect(file, Without(expected, "fuzz new", nullptr), "adding a key changes no other section");

    Change(file, section.c_str(), key.c_str(), nullptr);
    Expect(file, Without(expected, s, &k), "deleting a key changes no other");

    Change(file, section.c_str(), nullptr, nullptr);
    Expect(file, Without(expected, s, nullptr), "deleting a section changes no other");
}

}  // namespace

void Profile(std::span<const std::uint8_t> input) {
    const std::string file = WriteScratchFile("profile.ini", input);
    const Values before = Snapshot(file);
    const std::size_t pick = input.empty() ? 0 : input[0];
    const DWORD shortSize = static_cast<DWORD>(input.size() % 8);
    std::vector<std::pair<std::string, std::string>> names;
    for (const std::string& section : List(nullptr, file))
        for (const std::string& key : List(section.c_str(), file)) names.emplace_back(section, key);
    if (names.empty()) {
        if (shortSize > 0) CheckShortBuffers("a", "b", file, shortSize);
        Change(file, "fuzz new", "added", "1");
        Check(Get("fuzz new", "added", file) == "1", "a key added to a file without keys reads back");
        return;
    }
    const auto& [section, key] = names[pick % names.size()];
    if (shortSize > 0) CheckShortBuffers(section, key, file, shortSize);
    Edit(file, before, section, key);
}

}  // namespace fuzz

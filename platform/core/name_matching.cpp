#include "platform/core/name_matching.h"

#include <algorithm>
#include <filesystem>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "platform/core/cached_reads.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

char FoldCase(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    // The iterator forms: the browser build's C++ library has no range algorithms yet.
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return FoldCase(x) == FoldCase(y); });
}

std::vector<std::string_view> Components(std::string_view name) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= name.size(); ++i) {
        if (i < name.size() && !IsSeparator(name[i])) continue;
        if (i > start) parts.push_back(name.substr(start, i - start));
        start = i + 1;
    }
    return parts;
}

// "/game/data" gives "/game", "data" gives ".", "/" stays "/".
std::string ParentByName(const std::string& folder) {
    fs::path parent = (fs::path(folder) / "..").lexically_normal();
    if (parent.empty()) return fs::path(".").string();
    if (!parent.has_filename() && parent != parent.root_path()) parent = parent.parent_path();
    return parent.string();
}

// The path built so far. `found` tells for each part whether it names an existing entry; below
// a part that does not exist there is nothing to match against.
class PathBuilder {
public:
    PathBuilder(std::string root, bool absolute, bool confined)
        : root_(std::move(root)), absolute_(absolute), confined_(confined) {}

    void Add(std::string_view component) {
        if (component == ".") return;
        if (component == "..") {
            Up();
            return;
        }
        if (!found_.empty() && !found_.back()) {
            Push(std::string(component), false);
            return;
        }
        std::string match = Match(component);
        const bool found = !match.empty();
        Push(found ? std::move(match) : std::string(component), found);
    }

    std::string Result() const { return Join(parts_); }

private:
    // Windows resolves ".." by the name alone, so "missing\..\file" is "file".
    // Above a root it leaves the root by name too ("/data" and "..\\options.ini" are "/options.ini"),
    // so that a file has one path however it was named.
    void Up() {
        if (!parts_.empty() && parts_.back() != "..") {
            parts_.pop_back();
            found_.pop_back();
        } else if (!root_.empty() && !confined_ && parts_.empty()) {
            root_ = ParentByName(root_);
        } else if (!absolute_ && !confined_) {
            Push("..", true);
        }
    }

    void Push(std::string part, bool found) {
        parts_.push_back(std::move(part));
        found_.push_back(found);
    }

    // The entry of the current folder that `component` names: the exact one when it exists,
    // else the first of the entries equal to it without regard to case; empty when none is.
    std::string Match(std::string_view component) const {
        std::vector<std::string> candidate = parts_;
        candidate.emplace_back(component);
        if (cached::PathExists(Join(candidate))) return std::string(component);

        std::vector<std::string> matches;
        for (std::string& entry : cached::FolderNames(Join(parts_)))
            if (SameIgnoringCase(entry, component)) matches.push_back(std::move(entry));
        if (matches.empty()) return {};
        auto exact = std::find(matches.begin(), matches.end(), component);
        return exact != matches.end() ? *exact : *std::min_element(matches.begin(), matches.end());
    }

    std::string Join(const std::vector<std::string>& parts) const {
        if (!root_.empty()) {
            std::string path = root_;
            for (const std::string& part : parts) path += (path.back() == '/' ? "" : "/") + part;
            return path;
        }
        std::string path = absolute_ ? "/" : "";
        for (std::size_t i = 0; i < parts.size(); ++i) {
            if (i > 0) path += '/';
            path += parts[i];
        }
        return path.empty() ? "." : path;
    }

    std::string root_;
    bool absolute_;
    bool confined_;
    std::vector<std::string> parts_;
    std::vector<bool> found_;
};

}  // namespace

std::string MatchName(std::string_view root, std::string_view name, bool confined) {
    if (name.empty()) return {};
    const bool absolute = IsSeparator(name.front());
    PathBuilder builder(absolute ? std::string() : std::string(root), absolute, confined);
    for (std::string_view component : Components(name)) builder.Add(component);
    return builder.Result();
}

}  // namespace platform

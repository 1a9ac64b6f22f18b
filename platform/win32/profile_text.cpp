#include "platform/win32/profile_text.h"

#include <algorithm>

namespace platform::profile {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v'; }

std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

// One pair of matching quotes around the whole value goes; what is inside stays as it is.
std::string_view Unquote(std::string_view value) {
    if (value.size() >= 2 && value.front() == value.back() && (value.front() == '"' || value.front() == '\'')) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

char FoldCase(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

void Classify(std::string_view content, Line* line) {
    content = content.substr(0, content.find('\0'));
    while (!content.empty() && IsBlank(content.front())) content.remove_prefix(1);
    line->name = {};
    line->value = {};
    if (content.empty()) {
        line->kind = LineKind::Blank;
    } else if (content.front() == ';') {
        line->kind = LineKind::Comment;
    } else if (content.front() == '[') {
        // The name ends at the first ']', or at the end of a header that has none.
        std::string_view inside = content.substr(1);
        line->kind = LineKind::Section;
        line->name = TrimBlanks(inside.substr(0, inside.find(']')));
    } else if (const std::size_t equals = content.find('='); equals != std::string_view::npos) {
        line->kind = LineKind::Key;
        line->name = TrimBlanks(content.substr(0, equals));
        line->value = Unquote(TrimBlanks(content.substr(equals + 1)));
    } else {
        line->kind = LineKind::Other;
    }
}

}  // namespace

bool NextLine(std::string_view text, std::size_t* position, Line* line) {
    const std::size_t begin = *position;
    if (begin >= text.size()) return false;
    std::size_t end = text.find_first_of("\r\n", begin);
    if (end == std::string_view::npos) end = text.size();
    std::size_t endLength = 0;
    if (end < text.size()) {
        endLength = (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1;
    }
    line->begin = begin;
    line->length = end - begin;
    line->endLength = endLength;
    Classify(text.substr(begin, end - begin), line);
    *position = end + endLength;
    return true;
}

bool SameName(std::string_view a, std::string_view b) {
    // The iterator form: the browser build's C++ library has no range algorithms yet.
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return FoldCase(x) == FoldCase(y); });
}

std::string_view TrimArgument(std::string_view name) {
    while (!name.empty() && name.front() == ' ') name.remove_prefix(1);
    while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
    return name;
}

std::optional<std::string_view> FindValue(std::string_view text, std::string_view section, std::string_view key) {
    bool inSection = false;
    std::size_t position = 0;
    for (Line line; NextLine(text, &position, &line);) {
        if (line.kind == LineKind::Section) {
            // Only the first section of that name is searched.
            if (inSection) return std::nullopt;
            inSection = SameName(line.name, section);
        } else if (inSection && line.kind == LineKind::Key && SameName(line.name, key)) {
            return line.value;
        }
    }
    return std::nullopt;
}

void ListSections(std::string_view text, const std::function<void(std::string_view)>& visit) {
    std::size_t position = 0;
    for (Line line; NextLine(text, &position, &line);) {
        if (line.kind == LineKind::Section) visit(line.name);
    }
}

bool ListKeys(std::string_view text, std::string_view section, const std::function<void(std::string_view)>& visit) {
    bool found = false;
    bool inSection = false;
    std::size_t position = 0;
    for (Line line; NextLine(text, &position, &line);) {
        if (line.kind == LineKind::Section) {
            inSection = SameName(line.name, section);
            found = found || inSection;
        } else if (inSection && line.kind == LineKind::Key) {
            visit(line.name);
        }
    }
    return found;
}

}  // namespace platform::profile

// The text of a profile (INI) file, read line by line as Windows reads it. The text is any bytes:
// lines end at CR LF, a lone CR or a lone LF, and a line's meaning ends at its first NUL. Nothing
// is copied or kept per line, so even a huge file costs no memory beyond its own bytes.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string_view>

namespace platform::profile {

enum class LineKind {
    Blank,    // nothing but blanks
    Comment,  // first non-blank character ';'
    Section,  // first non-blank character '['
    Key,      // has '=': name before it, value after it
    Other,    // text without '=': neither found nor listed
};

struct Line {
    std::size_t begin = 0;      // offset of the line in the text
    std::size_t length = 0;     // without the line end
    std::size_t endLength = 0;  // 2 for CR LF, 1 for CR or LF, 0 at the end of an unterminated text
    LineKind kind = LineKind::Blank;
    std::string_view name;   // section or key name, trimmed
    std::string_view value;  // a key's value, trimmed and unquoted
};

// Reads the line starting at `*position` and moves past it; false at the end of the text.
bool NextLine(std::string_view text, std::size_t* position, Line* line);

// Case-insensitive in ASCII, as Windows compares section and key names.
bool SameName(std::string_view a, std::string_view b);

// A section or key name as the caller gives it: leading and trailing spaces go, tabs stay.
std::string_view TrimArgument(std::string_view name);

// The value of `key` in the first section called `section`; nothing when either is missing.
std::optional<std::string_view> FindValue(std::string_view text, std::string_view section, std::string_view key);

// Every section name in file order, duplicates included.
void ListSections(std::string_view text, const std::function<void(std::string_view)>& visit);

// The key names of every section called `section`, in file order; false when there is none.
bool ListKeys(std::string_view text, std::string_view section, const std::function<void(std::string_view)>& visit);

}  // namespace platform::profile

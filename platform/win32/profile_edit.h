// Changes to the text of a profile (INI) file. Every line that is not changed keeps its bytes and
// its line end; new lines take the line end the file already uses (CR LF for a file without one).
// Each function returns the new text, or nothing when the text stays as it is.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform::profile {

// Replaces the key's line in the first section of that name, keeping the spelling of the key in
// the file; a new key goes after the last non-blank line of its section, a new section at the end.
std::optional<std::string> SetValue(std::string_view text, std::string_view section, std::string_view key,
                                    std::string_view value);

std::optional<std::string> DeleteKey(std::string_view text, std::string_view section, std::string_view key);

// Removes the header and every line of the first section of that name except its comments.
std::optional<std::string> DeleteSection(std::string_view text, std::string_view section);

}  // namespace platform::profile

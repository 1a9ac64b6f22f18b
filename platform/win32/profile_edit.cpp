#include "platform/win32/profile_edit.h"

#include "platform/win32/profile_text.h"

namespace platform::profile {
namespace {

// Where the first section of a name lies in the text.
struct Block {
    std::optional<Line> header;
    Line last;                // its last line that is not blank; the header when there is none
    std::optional<Line> key;  // the first line of the key looked for
    std::size_t end = 0;      // where the next section begins, or the end of the text
};

Block FindBlock(std::string_view text, std::string_view section, std::optional<std::string_view> key) {
    Block block;
    block.end = text.size();
    std::size_t position = 0;
    for (Line line; NextLine(text, &position, &line);) {
        if (!block.header) {
            if (line.kind == LineKind::Section && SameName(line.name, section)) {
                block.header = line;
                block.last = line;
            }
            continue;
        }
        if (line.kind == LineKind::Section) {
            block.end = line.begin;
            break;
        }
        if (key && !block.key && line.kind == LineKind::Key && SameName(line.name, *key)) {
            block.key = line;
        }
        if (line.kind != LineKind::Blank) block.last = line;
    }
    return block;
}

std::string_view LineEndOf(std::string_view text) {
    const std::size_t at = text.find_first_of("\r\n");
    if (at == std::string_view::npos) return "\r\n";
    if (text[at] == '\n') return "\n";
    return (at + 1 < text.size() && text[at + 1] == '\n') ? "\r\n" : "\r";
}

std::size_t EndOf(const Line& line) { return line.begin + line.length + line.endLength; }

std::string Splice(std::string_view text, std::size_t at, std::size_t removed, std::string_view inserted) {
    std::string result;
    result.reserve(text.size() - removed + inserted.size());
    result.append(text.substr(0, at)).append(inserted).append(text.substr(at + removed));
    return result;
}

}  // namespace

std::optional<std::string> SetValue(std::string_view text, std::string_view section, std::string_view key,
                                    std::string_view value) {
    const std::string_view lineEnd = LineEndOf(text);
    const Block block = FindBlock(text, section, key);
    if (!block.header) {
        std::string result(text);
        if (!result.empty() && result.back() != '\n' && result.back() != '\r') result += lineEnd;
        result.append("[").append(section).append("]").append(lineEnd);
        result.append(key).append("=").append(value).append(lineEnd);
        return result;
    }
    if (block.key) {
        const std::string replaced = std::string(block.key->name) + "=" + std::string(value);
        if (text.substr(block.key->begin, block.key->length) == replaced) return std::nullopt;
        return Splice(text, block.key->begin, block.key->length, replaced);
    }
    std::string added(block.last.endLength == 0 ? lineEnd : "");
    added.append(key).append("=").append(value).append(lineEnd);
    return Splice(text, EndOf(block.last), 0, added);
}

std::optional<std::string> DeleteKey(std::string_view text, std::string_view section, std::string_view key) {
    const Block block = FindBlock(text, section, key);
    if (!block.key) return std::nullopt;
    return Splice(text, block.key->begin, EndOf(*block.key) - block.key->begin, "");
}

std::optional<std::string> DeleteSection(std::string_view text, std::string_view section) {
    const Block block = FindBlock(text, section, std::nullopt);
    if (!block.header) return std::nullopt;
    std::string result(text.substr(0, block.header->begin));
    std::size_t position = block.header->begin;
    for (Line line; position < block.end && NextLine(text, &position, &line);) {
        if (line.kind == LineKind::Comment) result.append(text.substr(line.begin, EndOf(line) - line.begin));
    }
    result.append(text.substr(block.end));
    return result;
}

}  // namespace platform::profile

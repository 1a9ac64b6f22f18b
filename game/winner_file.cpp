#include "game/winner_file.h"

#include "game/replace_file.h"

namespace {

void Append(std::vector<unsigned char>& bytes, std::int32_t value) {
    const auto v = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<unsigned char>(v >> (8 * i)));
}

}  // namespace

std::vector<unsigned char> WinnerFileBytes(const std::vector<std::int32_t>& directions, std::int32_t randomValue) {
    std::vector<unsigned char> bytes;
    bytes.reserve(8 + 4 * directions.size());
    Append(bytes, static_cast<std::int32_t>(directions.size()));
    Append(bytes, randomValue);
    for (std::int32_t direction : directions) Append(bytes, direction);
    return bytes;
}

bool SaveWinnerFile(const char* name, const std::vector<std::int32_t>& directions, std::int32_t randomValue) {
    const std::vector<unsigned char> bytes = WinnerFileBytes(directions, randomValue);
    return ReplaceFileContents(name, bytes.data(), bytes.size());
}

#include "game/winner_file.h"

#include <cstdio>

#include "platform/api/file_names.h"
#include "platform/api/stored_files.h"

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
    return StoreFileA(name, bytes.data(), static_cast<DWORD>(bytes.size())) != FALSE;
}

int ReadWinnerMoves(const char* name) {
    std::FILE* in = std::fopen(platform::NativePath(name).c_str(), "rb");
    if (in == nullptr) return -1;
    unsigned char header[8];
    const bool complete = std::fread(header, 1, sizeof header, in) == sizeof header;
    std::fseek(in, 0, SEEK_END);
    const long size = std::ftell(in);
    std::fclose(in);
    if (!complete) return -1;
    const std::uint32_t moves = header[0] | header[1] << 8 | header[2] << 16 |
                                static_cast<std::uint32_t>(header[3]) << 24;
    // A file written by the game holds exactly one direction per move after its two numbers.
    if (moves > 0x7fffffffu / 4 || size != 8 + 4 * static_cast<long>(moves)) return -1;
    return static_cast<int>(moves);
}

#include "support/hall_of_fame_file.h"

#include <cstring>

namespace test {
namespace {

constexpr std::size_t kRecords = 20;
constexpr std::size_t kTextBytes = 256;
constexpr std::size_t kRecordBytes = kTextBytes + 4;
constexpr std::size_t kFileBytes = 4 + kRecords * kRecordBytes;

std::int32_t Int32At(const std::string& bytes, std::size_t offset) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(bytes[offset + i]);
    return static_cast<std::int32_t>(v);
}

void PutInt32(std::string& bytes, std::int32_t value) {
    for (int i = 0; i < 4; ++i) bytes += static_cast<char>(static_cast<std::uint32_t>(value) >> (8 * i));
}

}  // namespace

std::optional<std::vector<HallOfFameEntry>> ParseHallOfFame(const std::string& bytes, std::string* why) {
    if (bytes.size() != kFileBytes) return *why = std::to_string(bytes.size()) + " bytes", std::nullopt;
    if (Int32At(bytes, 0) != static_cast<std::int32_t>(kRecords))
        return *why = "count " + std::to_string(Int32At(bytes, 0)), std::nullopt;
    std::vector<HallOfFameEntry> entries;
    for (std::size_t i = 0; i < kRecords; ++i) {
        const std::size_t at = 4 + i * kRecordBytes;
        const std::size_t end = bytes.find('\0', at);
        if (end == std::string::npos || end >= at + kTextBytes)
            return *why = "record " + std::to_string(i) + " has no end to its text", std::nullopt;
        entries.push_back({bytes.substr(at, end - at), Int32At(bytes, at + kTextBytes)});
        if (i > 0 && entries[i].score > entries[i - 1].score)
            return *why = "record " + std::to_string(i) + " scores more than the one before", std::nullopt;
    }
    return entries;
}

std::string HallOfFameBytes(const std::vector<HallOfFameEntry>& entries) {
    std::string bytes;
    PutInt32(bytes, static_cast<std::int32_t>(kRecords));
    for (std::size_t i = 0; i < kRecords; ++i) {
        const HallOfFameEntry entry = i < entries.size() ? entries[i] : HallOfFameEntry{};
        std::string text = entry.text.substr(0, kTextBytes - 1);
        text.resize(kTextBytes, '\0');
        bytes += text;
        PutInt32(bytes, entry.score);
    }
    return bytes;
}

}  // namespace test

// Reading and writing "hiscore.dat" in tests that look at the game's stored files from outside.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace test {

struct HallOfFameEntry {
    std::string text;
    std::int32_t score = 0;
    bool operator==(const HallOfFameEntry&) const = default;
};

// The twenty records of a valid file: 5204 bytes, a count of 20, every text ended within its
// 256 bytes, scores best first. Otherwise nothing, and `why` says what is wrong.
std::optional<std::vector<HallOfFameEntry>> ParseHallOfFame(const std::string& bytes, std::string* why);

// A file holding these entries, padded with empty records to twenty.
std::string HallOfFameBytes(const std::vector<HallOfFameEntry>& entries);

}  // namespace test

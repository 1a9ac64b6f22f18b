// HallOfFame::Load over a fuzzed "hiscore.dat". Only a whole table of twenty records is taken;
// anything shorter or of another count leaves the empty table as it was. A table taken has every text ended within its
// record, saves back to the same bytes (but for what follows each text's end) and takes an insert
// in score order.
#include <cstring>
#include <string>

#include "fuzz/fuzz_target.h"
#include "fuzz/input_file.h"
#include "game/hall_of_fame.h"

namespace fuzz {
namespace {

constexpr int kRecords = 20;
constexpr std::size_t kFileBytes = 4 + 260 * kRecords;

bool Empty(const HallOfFame& table) {
    for (int i = 0; i < table.Count(); ++i) {
        const HallOfFameRecord& record = table.Records()[i];
        if (record.score != 0 || record.text[0] != '\0') return false;
    }
    return table.Count() == kRecords;
}

// What Save writes for a table loaded from `input`: the same, each text's last byte cleared.
void CheckSavedBytes(HallOfFame& table, std::span<const std::uint8_t> input) {
    Check(table.Save((ScratchFolder() + "/saved.dat").c_str()) == 1, "a loaded table saves");
    const std::string saved = ReadScratchFile("saved.dat");
    Check(saved.size() == kFileBytes, "a saved table is 5204 bytes");
    for (std::size_t i = 0; i < kFileBytes; ++i) {
        const bool textEnd = i >= 4 && (i - 4) % 260 == 255;
        Check(static_cast<std::uint8_t>(saved[i]) == (textEnd ? 0 : input[i]), "a saved table keeps its bytes");
    }
}

void CheckInsert(HallOfFame& table, std::int32_t score) {
    HallOfFameRecord before[kRecords];
    std::memcpy(before, table.Records(), sizeof before);
    const int place = table.Insert("fuzz", score);
    int at = 0;
    while (at < kRecords && before[at].score >= score) ++at;
    Check(place == (at < kRecords ? 1 : 0), "a score enters before the first lower one");
    if (place == 0) return;
    const HallOfFameRecord* records = table.Records();
    Check(records[at].score == score && std::strcmp(records[at].text, "fuzz") == 0, "the new record is in place");
    for (int i = 0; i < kRecords; ++i) {
        if (i == at) continue;
        const HallOfFameRecord& was = before[i < at ? i : i - 1];
        Check(records[i].score == was.score && std::strcmp(records[i].text, was.text) == 0,
              "the other records keep their order");
    }
}

}  // namespace

void HallOfFameFile(std::span<const std::uint8_t> input) {
    const std::string path = WriteScratchFile("hiscore.dat", input);
    HallOfFame table;
    table.Allocate(kRecords);
    const int loaded = table.Load(path.c_str());
    // Bytes after the table are not read, as the game has always done.
    const bool whole = input.size() >= kFileBytes && input[0] == kRecords && input[1] == 0 && input[2] == 0 &&
                       input[3] == 0;
    Check(loaded == (whole ? 1 : 0), "only a whole table of twenty records loads");
    if (loaded == 0) {
        Check(Empty(table), "a table not loaded stays empty");
        return;
    }
    for (int i = 0; i < kRecords; ++i)
        Check(std::memchr(table.Records()[i].text, '\0', 256) != nullptr, "every text ends inside its record");
    CheckSavedBytes(table, input);
    // A score the table already holds, so that the insert lands wherever the file's order puts it.
    CheckInsert(table, table.Records()[input[4] % kRecords].score);
}

}  // namespace fuzz

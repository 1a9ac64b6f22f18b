// The hall of fame: the twenty best scores with the text of the player who made each, best first;
// among equal scores the older record comes first. Stored in "hiscore.dat".
#pragma once

#include <cstdint>

struct HallOfFameRecord {
    char text[256];
    std::int32_t score;
};
static_assert(sizeof(HallOfFameRecord) == 260, "the record is stored as it is held");

// What a table file held when it was read: a table; nothing, as no file is there; a file that
// holds no table of this size; or a file that is there but could not be read.
enum class StoredTable { kRead, kMissing, kDamaged, kUnreadable };

class HallOfFame {
public:
    HallOfFame() = default;
    ~HallOfFame() { FreeRecords(); }
    HallOfFame(const HallOfFame&) = delete;
    HallOfFame& operator=(const HallOfFame&) = delete;

    // n empty records (every byte 0), replacing any held.
    void Allocate(int n);
    void FreeRecords();
    // 1 when the file held a table of this size and it was read whole; otherwise 0 and the
    // records stay as they were.
    int Load(const char* file);
    // The same, telling a file that is not there from one that is there but holds no table of
    // this size or cannot be read: those are worth keeping.
    StoredTable Read(const char* file);
    int Save(const char* file);
    // 1 when the score entered the table (the last record drops out), else 0.
    int Insert(const char* text, int score);
    int TopScore() const;
    // Makes this table a copy of the other.
    void CopyFrom(const HallOfFame& other);

    int Count() const { return count_; }
    const HallOfFameRecord* Records() const { return records_; }

private:
    HallOfFameRecord* records_ = nullptr;
    std::int32_t count_ = 0;
};

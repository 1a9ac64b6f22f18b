#include "game/hall_of_fame.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/api/kernel.h"
#include "platform/api/stored_files.h"

namespace {

// The file: a 4-byte count, then each record's 256 text bytes and 4-byte score, little-endian.
constexpr std::size_t kCountBytes = 4;
constexpr std::size_t kRecordBytes = 260;

std::int32_t ReadInt32(const unsigned char* bytes) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
                                     static_cast<std::uint32_t>(bytes[2]) << 16 |
                                     static_cast<std::uint32_t>(bytes[3]) << 24);
}

void WriteInt32(unsigned char* bytes, std::int32_t value) {
    const auto v = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i) bytes[i] = static_cast<unsigned char>(v >> (8 * i));
}

// Clears what follows the text, so that a saved table holds no leftovers of longer texts.
void CopyText(char (&target)[256], const char* text) {
    std::memset(target, 0, sizeof target);
    if (text != nullptr) std::memcpy(target, text, std::find(text, text + sizeof target - 1, '\0') - text);
}

}  // namespace

void HallOfFame::Allocate(int n) {
    FreeRecords();
    if (n <= 0) return;
    records_ = new HallOfFameRecord[n]();
    count_ = n;
}

void HallOfFame::FreeRecords() {
    delete[] records_;
    records_ = nullptr;
    count_ = 0;
}

int HallOfFame::Load(const char* file) { return Read(file) == StoredTable::kRead ? 1 : 0; }

StoredTable HallOfFame::Read(const char* file) {
    if (records_ == nullptr) return StoredTable::kMissing;
    HANDLE in = CreateFileA(file, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                            nullptr);
    if (in == INVALID_HANDLE_VALUE)
        return GetLastError() == ERROR_FILE_NOT_FOUND ? StoredTable::kMissing : StoredTable::kUnreadable;
    // Read the whole table before taking any of it: a short file changes nothing.
    std::vector<unsigned char> bytes(kCountBytes + kRecordBytes * static_cast<std::size_t>(count_));
    DWORD got = 0;
    const BOOL read = ReadFile(in, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
    CloseHandle(in);
    if (!read) return StoredTable::kUnreadable;
    if (got < kCountBytes || ReadInt32(bytes.data()) != count_ || got != bytes.size()) return StoredTable::kDamaged;
    for (int i = 0; i < count_; ++i) {
        const unsigned char* record = bytes.data() + kCountBytes + kRecordBytes * i;
        std::memcpy(records_[i].text, record, sizeof records_[i].text);
        // Whatever the file holds, a text ends within its 256 bytes.
        records_[i].text[sizeof records_[i].text - 1] = '\0';
        records_[i].score = ReadInt32(record + 256);
    }
    return StoredTable::kRead;
}

int HallOfFame::Save(const char* file) {
    if (records_ == nullptr) return 0;
    std::vector<unsigned char> bytes(kCountBytes + kRecordBytes * static_cast<std::size_t>(count_));
    WriteInt32(bytes.data(), count_);
    for (int i = 0; i < count_; ++i) {
        unsigned char* record = bytes.data() + kCountBytes + kRecordBytes * i;
        std::memcpy(record, records_[i].text, sizeof records_[i].text);
        WriteInt32(record + 256, records_[i].score);
    }
    return StoreFileA(file, bytes.data(), static_cast<DWORD>(bytes.size())) ? 1 : 0;
}

int HallOfFame::Insert(const char* text, int score) {
    for (int j = 0; j < count_; ++j) {
        if (records_[j].score >= score) continue;
        for (int i = count_ - 1; i > j; --i) {
            CopyText(records_[i].text, records_[i - 1].text);
            records_[i].score = records_[i - 1].score;
        }
        CopyText(records_[j].text, text);
        records_[j].score = score;
        return 1;
    }
    return 0;
}

int HallOfFame::TopScore() const { return records_ != nullptr && count_ > 0 ? records_[0].score : 0; }

void HallOfFame::CopyFrom(const HallOfFame& other) {
    if (&other == this) return;
    Allocate(other.count_);
    if (count_ > 0) std::copy(other.records_, other.records_ + count_, records_);
}

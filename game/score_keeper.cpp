#include "game/score_keeper.h"

#include <algorithm>

#include "game/file_lock.h"
#include "game/file_trouble.h"
#include "game/set_aside.h"

namespace {

constexpr int kTableSize = 20;

}  // namespace

void ScoreKeeper::Reload() {
    shown_.Allocate(kTableSize);
    shown_.Load(file_.c_str());
    for (const Entry& entry : waiting_) shown_.Insert(entry.text.c_str(), entry.score);
}

ScoreKeeper::Offered ScoreKeeper::Offer(const char* text, int score) {
    if (shown_.Insert(text, score) != 1) return Offered::kNotEntered;
    waiting_.push_back({text != nullptr ? text : "", score});
    // More than a table's worth cannot all enter it: the lowest (the newest among equals) go.
    std::stable_sort(waiting_.begin(), waiting_.end(),
                     [](const Entry& a, const Entry& b) { return a.score > b.score; });
    if (waiting_.size() > static_cast<std::size_t>(kTableSize)) waiting_.resize(kTableSize);
    return StoreWaiting() ? Offered::kStored : Offered::kKept;
}

void ScoreKeeper::Release() { shown_.FreeRecords(); }

bool ScoreKeeper::StoreWaiting() {
    const FileLock lock(file_);
    if (!lock.Held()) return false;
    HallOfFame stored;
    stored.Allocate(kTableSize);
    const StoredTable found = stored.Read(file_.c_str());
    if (found == StoredTable::kUnreadable) {
        ReportFileTrouble(file_ + " could not be read; it is left as it is");
        return false;
    }
    if (found == StoredTable::kDamaged && !KeepDamaged()) return false;
    bool entered = false;
    for (const Entry& entry : waiting_) entered |= stored.Insert(entry.text.c_str(), entry.score) == 1;
    if (entered && stored.Save(file_.c_str()) != 1) return false;
    waiting_.clear();
    // Scores other games stored meanwhile show from now on.
    shown_.CopyFrom(stored);
    return true;
}

bool ScoreKeeper::KeepDamaged() {
    const std::string kept = SetAside(file_, ".damaged");
    if (kept.empty()) {
        ReportFileTrouble(file_ + " is damaged and could not be moved aside; it is left as it is");
        return false;
    }
    ReportFileTrouble(file_ + " was damaged; kept as " + kept);
    return true;
}

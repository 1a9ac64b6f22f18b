// The one way the family writes a file it keeps: the hall of fame, the winners' file, the options
// and setup files, screenshots. The new contents go to a temporary file beside the stored one,
// under a fresh name, created exclusively and never through a link; it is written and synced, the
// backend keeps it where files outlast the program (Backend::Persist; not for kFresh pictures,
// which the player keeps), and only then does it take the stored name,
// after which the folder is synced. A failure at any step before that last rename leaves the stored
// file exactly as it was and the temporary file gone, and is reported to the caller.
#pragma once

#include <string>
#include <string_view>

namespace platform::storage {

// The steps of a store, in order; faults::FailStoreStep fails one of them.
enum StoreStep : int { kCreate, kWrite, kSync, kKeep, kRename, kStoreSteps };

enum class Stored {
    kDone,    // the file holds exactly the bytes given
    kTaken,   // kFresh only: a file of that name exists and was left alone
    kFailed,  // nothing changed
};

enum class StoreMode {
    kReplace,  // the stored file, if any, is replaced; the new one keeps its permissions
    kFresh,    // a new file only: an existing one, or a link, is never replaced
};

Stored Store(const std::string& nativePath, std::string_view bytes, StoreMode mode = StoreMode::kReplace);

// An exclusive lock for a read-merge-write of a stored file that two programs may share, held on
// "<file>.lock" beside it (the stored file itself is replaced on every store, and a lock on it would
// stay with the old one). Waits while another holder has it; Held() says whether it was taken.
class StoreLock {
public:
    explicit StoreLock(const std::string& nativePath);
    ~StoreLock();
    StoreLock(const StoreLock&) = delete;
    StoreLock& operator=(const StoreLock&) = delete;

    bool Held() const { return descriptor_ >= 0; }

private:
    int descriptor_ = -1;
};

}  // namespace platform::storage

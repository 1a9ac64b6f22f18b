// An exclusive lock on a stored file shared by games running side by side in one folder. It is
// held on a lock file beside the stored one ("hiscore.dat.lock"), because the stored file itself
// is replaced by a rename on every save and a lock on it would stay with the old one.
#pragma once

#include <string>

#include "platform/api/types.h"

class FileLock {
public:
    // Waits until no other holder has the lock; Held() says whether it was taken.
    explicit FileLock(const std::string& storedFile);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    bool Held() const { return held_; }

private:
    HANDLE file_;
    bool held_ = false;
};

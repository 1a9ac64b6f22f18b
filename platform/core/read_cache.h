// What the program has read of its files (whether a name exists, a folder's names, a file's whole
// contents), kept in its memory so that reading it again makes no file call. In the browser every
// file call of the program's worker is a round trip that waits for the page's thread, which may be
// drawing or running a script: a new game read the players' settings some fifty times, each read a
// status, a folder listing and an open, and the frame waited for all of them. Natively another
// program may change a file at any moment and the system's own cache makes reads cheap: the cache
// is off there, and every call below then knows nothing and keeps nothing.
//
// What the program changes itself it tells the cache after the change (Changed), which forgets
// the name and its folder's listing. What is changed behind its back (in the browser, only the page
// bringing in files another tab stored) is told with ChangedElsewhere, without a lock, from any
// thread: everything is forgotten. A read from the file system is kept only when nothing changed
// while it was made (the ticket), so a read racing a change never leaves the old bytes behind.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace platform::read_cache {

// On in the browser build, off natively; the tests turn it on and off. Turning it on or off
// forgets everything, and takes the working directory as it is now for relative names: the family
// never changes it.
void Enable(bool on);
bool Enabled();

// Taken before reading the file system, and handed back with what was read.
std::uint64_t Ticket();

// Whether `path` names a file or folder, as last seen; nullopt when not known.
std::optional<bool> Exists(const std::string& path);
void KeepExists(const std::string& path, bool exists, std::uint64_t ticket);

// The names in the folder, as last listed; null when not known.
std::shared_ptr<const std::vector<std::string>> Listing(const std::string& folder);
void KeepListing(const std::string& folder, std::vector<std::string> names, std::uint64_t ticket);

// A regular file's whole contents, or that there is no such file.
struct Contents {
    bool missing = false;
    std::shared_ptr<const std::string> bytes;  // null when missing
};
std::optional<Contents> File(const std::string& path);
void KeepFile(const std::string& path, std::shared_ptr<const std::string> bytes, std::uint64_t ticket);
void KeepMissing(const std::string& path, std::uint64_t ticket);

// This program has written, made, moved or deleted what `path` names.
void Changed(const std::string& path);

// Files have changed without this program's file calls: everything is forgotten. Lock-free.
void ChangedElsewhere();

}  // namespace platform::read_cache

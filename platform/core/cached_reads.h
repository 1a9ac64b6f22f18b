// The platform's reads of the file system, through the program's read cache (read_cache.h): with
// the cache off (natively) each is exactly the one file call it stands for; with it on, what was
// read before and has not changed since is answered from memory.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "platform/core/read_cache.h"

namespace platform::cached {

// Whether `path` names anything (a link that points nowhere too).
bool PathExists(const std::string& path);

// The names in the folder, "." and ".." left out; as many as could be listed when listing fails.
std::vector<std::string> FolderNames(const std::string& folder);

// A regular file of at most `maxBytes`, whole, or that it is missing. Nullopt when the cache is
// off, or the file could not be read so (a folder, a file too large, one that may not be read):
// the caller then reads it as it would without the cache, and meets the trouble itself.
std::optional<read_cache::Contents> WholeFile(const std::string& path, std::size_t maxBytes);

}  // namespace platform::cached

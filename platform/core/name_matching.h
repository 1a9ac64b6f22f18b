// Windows-style names matched against the folders on disk, component by component and without
// regard to case, as the original file system did.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// The native path for `windowsName` below the native folder `root` (the working directory when
// empty; an absolute name ignores it). Leading folders that exist are matched without regard to
// case even when the last ones do not exist yet. A `confined` name never leaves the root: ".."
// there stays in it, so that a folder can stand in for its own parent as well.
std::string MatchName(std::string_view root, std::string_view windowsName, bool confined);

}  // namespace platform

// Writing a stored file so that a crash or a full disk never leaves it half-written: the new
// contents go to a temporary file beside it, which then replaces the old one in one step.
#pragma once

#include <cstddef>

// True when the file now holds exactly `size` bytes of `data`; on failure the old file is intact.
// The temporary file always has a fresh name and is created new: a name left behind by a crash,
// or planted as a link to some other file, is never opened, so nothing outside the file is written.
bool ReplaceFileContents(const char* name, const void* data, std::size_t size);

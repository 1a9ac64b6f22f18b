// Writing a stored file so that a crash or a full disk never leaves it half-written: the new
// contents go to a temporary file beside it, which then replaces the old one in one step.
#pragma once

#include <cstddef>

// True when the file now holds exactly `size` bytes of `data`; on failure the old file is intact.
bool ReplaceFileContents(const char* name, const void* data, std::size_t size);

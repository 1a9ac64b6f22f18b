// A presented 16-bit picture as a 24-bit RGB PNG file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/core/backend.h"

namespace platform {

// Each channel is widened by repeating its top bits (a 5-bit r becomes r << 3 | r >> 2).
bool EncodePng(const Picture& picture, std::vector<std::uint8_t>* file);
// The encoded picture written to `path` as it is, for the runner's own shots; the game's pictures
// are stored as the family's files are (picture_file.h).
bool WritePng(const std::string& path, const Picture& picture, std::string* error);

}  // namespace platform

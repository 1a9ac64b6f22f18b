// A presented 16-bit picture as a 24-bit RGB PNG file.
#pragma once

#include <string>

#include "platform/core/backend.h"

namespace platform {

// Each channel is widened by repeating its top bits (a 5-bit r becomes r << 3 | r >> 2).
bool WritePng(const std::string& path, const Picture& picture, std::string* error);

}  // namespace platform

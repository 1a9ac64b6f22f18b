// A picture asked for by QZSaveNextPicture, written by the flip that presents it.
#pragma once

#include "platform/core/backend.h"

namespace platform::qz {

// Writes `picture` when one was asked for, and remembers how that went.
void SavePictureIfAsked(const Picture& picture);

}  // namespace platform::qz

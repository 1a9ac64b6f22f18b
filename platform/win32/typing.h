// The caret and the typing areas belong to windows: they go when their window does.
#pragma once

#include "platform/api/types.h"

namespace platform {

// Forgets the caret and the areas of `hwnd`; of every window when it is null.
void ForgetTyping(HWND hwnd);

}  // namespace platform

// This system's own addition beside the caret (user.h): the places of a window that take typing
// when clicked, for a program that draws its own text fields. A device without keys of its own (a
// phone, in the browser) brings up its on-screen keyboard when the player taps one of them.
#pragma once

#include "platform/api/types.h"

// `count` areas of `hwnd`'s client area replace those it named before; none names no place. They
// are forgotten with the window. FALSE for a window that does not exist.
BOOL SetTypingAreas(HWND hwnd, const RECT* areas, int count);

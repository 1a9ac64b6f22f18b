// The page's keys (a keyboard event's keyCode and location) as the program's virtual keys and
// scan codes: the keys the desktop backend passes on, no more.
#pragma once

namespace platform::web {

struct ProgramKey {
    int virtualKey;  // 0: a key the program does not know
    int scanCode;
};

ProgramKey KeyFromPage(int keyCode, int location);

}  // namespace platform::web

#include "platform/core/backend.h"
#include "platform/win32/kernel.h"

void OutputDebugStringA(LPCSTR text) {
    if (text != nullptr) platform::GetBackend().DebugOutput(text);
}

#include "platform/core/backend.h"
#include "platform/api/kernel.h"

void OutputDebugStringA(LPCSTR text) {
    if (text != nullptr) platform::GetBackend().DebugOutput(text);
}

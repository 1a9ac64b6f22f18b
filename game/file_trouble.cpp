#include "game/file_trouble.h"

#include "platform/api/kernel.h"
#include "services/debug_log.h"

void ReportFileTrouble(const std::string& text) {
    DebugLog("%s\n", text.c_str());
    OutputDebugStringA(("stored-file " + text).c_str());
}

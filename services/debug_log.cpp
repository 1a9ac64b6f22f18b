#include "services/debug_log.h"

#include <cstdarg>
#include <cstdio>

#include "platform/api/file_names.h"

int g_nDebugLog = 0;

namespace {
// Opened at the first message and kept open, so every message costs one write.
std::FILE* g_debugFile = nullptr;
}  // namespace

void DebugLog(const char* format, ...) {
    if (g_nDebugLog == 0) return;
    if (g_debugFile == nullptr) g_debugFile = std::fopen(platform::NativeWritePath("debug.log").c_str(), "wb+");
    if (g_debugFile == nullptr) return;
    va_list args;
    va_start(args, format);
    std::vfprintf(g_debugFile, format, args);
    va_end(args);
    std::fflush(g_debugFile);
}

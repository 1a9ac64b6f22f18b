#include "game/replace_file.h"

#include <cstdio>
#include <random>
#include <string>

#include "platform/api/kernel.h"

namespace {

// Enough tries that names taken by chance never matter; a folder that refuses new files fails
// every one of them quickly.
constexpr int kNameTries = 16;

std::string FreshTemporaryName(const char* name) {
    static std::random_device source;
    char suffix[24];
    std::snprintf(suffix, sizeof suffix, ".%08x.tmp", static_cast<unsigned>(source()));
    return std::string(name) + suffix;
}

// A new file beside `name`, never one that was there before; INVALID_HANDLE_VALUE when none can be made.
HANDLE CreateTemporaryFile(const char* name, std::string* temporary) {
    for (int i = 0; i < kNameTries; ++i) {
        *temporary = FreshTemporaryName(name);
        HANDLE file = CreateFileA(temporary->c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
        if (file != INVALID_HANDLE_VALUE) return file;
    }
    return INVALID_HANDLE_VALUE;
}

}  // namespace

bool ReplaceFileContents(const char* name, const void* data, std::size_t size) {
    std::string temporary;
    HANDLE file = CreateTemporaryFile(name, &temporary);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool complete = WriteFile(file, data, static_cast<DWORD>(size), &written, nullptr) && written == size &&
                          FlushFileBuffers(file);
    CloseHandle(file);
    // The write-through rename syncs the folder too, so the new name survives a crash.
    if (complete && MoveFileExA(temporary.c_str(), name, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    DeleteFileA(temporary.c_str());
    return false;
}

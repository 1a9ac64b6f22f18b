#include "game/replace_file.h"

#include <string>

#include "platform/api/kernel.h"

bool ReplaceFileContents(const char* name, const void* data, std::size_t size) {
    const std::string temporary = std::string(name) + ".new";
    HANDLE file = CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool complete = WriteFile(file, data, static_cast<DWORD>(size), &written, nullptr) && written == size &&
                          FlushFileBuffers(file);
    CloseHandle(file);
    if (complete && MoveFileExA(temporary.c_str(), name, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    DeleteFileA(temporary.c_str());
    return false;
}

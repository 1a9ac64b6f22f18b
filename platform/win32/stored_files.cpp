// StoreFileA over the platform's one way to store a file.
#include "platform/api/stored_files.h"

#include <string>
#include <string_view>

#include "platform/core/stored_file.h"
#include "platform/api/file_names.h"

BOOL StoreFileA(LPCSTR name, LPCVOID data, DWORD size) {
    if (data == nullptr && size > 0) return FALSE;
    const std::string path = platform::NativeWritePath(name);
    const std::string_view bytes(static_cast<const char*>(data), size);
    return platform::storage::Store(path, bytes) == platform::storage::Stored::kDone ? TRUE : FALSE;
}

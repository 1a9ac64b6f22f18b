// GetPrivateProfileStringA, WritePrivateProfileStringA and WritePrivateProfileKeysA. A read is
// answered from the file as it is now (profile_copies.h), so a change made by another program
// shows at once, without reading an unchanged file again. A write reads, edits
// and stores the file under the store's lock, so programs writing one file at once take turns and
// each keeps the others' values. A bare file name is found in the working directory: this system
// has no Windows directory.
#include <algorithm>
#include <cstring>
#include <functional>
#include <optional>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/backend.h"
#include "platform/core/file_faults.h"
#include "platform/core/stored_file.h"
#include "platform/api/file_names.h"
#include "platform/api/kernel.h"
#include "platform/api/stored_files.h"
#include "platform/win32/profile_copies.h"
#include "platform/win32/profile_edit.h"
#include "platform/win32/profile_text.h"

namespace platform::profile {
namespace {

// One call at a time, so that a read never sees a half-rewritten file of this process.
std::mutex& FileMutex() {
    static std::mutex mutex;
    return mutex;
}

// One change of the text; nullopt when it would change nothing.
using Edit = std::function<std::optional<std::string>(const std::string& text)>;

Edit ChangeKey(std::string_view section, const char* key, const char* value) {
    return [section, key, value](const std::string& text) {
        if (key == nullptr) return DeleteSection(text, section);
        if (value == nullptr) return DeleteKey(text, section, TrimArgument(key));
        return SetValue(text, section, TrimArgument(key), value);
    };
}

// The file as it is now, every edit applied in turn, stored once. Deleting what is not there
// changes nothing and still succeeds, without creating the file.
BOOL EditFile(const char* fileName, const std::vector<Edit>& edits) {
    std::lock_guard lock(FileMutex());
    // The player's copy starts from the defaults it stands in for.
    const std::string path = NativeWritePath(fileName);
    if (path.empty() || faults::WritesFail() || faults::IsHidden(path)) return FALSE;
    const storage::StoreLock stored(path);
    if (!stored.Held()) return FALSE;
    std::string text;
    if (ReadWhole(NativePath(fileName), &text) == Load::Refused) return FALSE;
    bool changed = false;
    for (const Edit& edit : edits) {
        std::optional<std::string> edited = edit(text);
        if (!edited) continue;
        text = std::move(*edited);
        changed = true;
    }
    if (!changed) return TRUE;
    return storage::Store(path, text) == storage::Stored::kDone ? TRUE : FALSE;
}

// Only trailing spaces go; the caller's string is never written to.
std::string_view TrimDefault(const char* defaultValue) {
    std::string_view value = defaultValue != nullptr ? defaultValue : "";
    while (!value.empty() && value.back() == ' ') value.remove_suffix(1);
    return value;
}

DWORD CopyValue(std::string_view value, char* out, DWORD size) {
    const std::size_t n = std::min<std::size_t>(value.size(), size - 1);
    std::memcpy(out, value.data(), n);
    out[n] = '\0';
    return static_cast<DWORD>(n);
}

// `list` holds each name followed by its NUL. Windows wants room for two bytes beyond it, even
// though one would do; short of that it keeps size - 2 bytes and ends them with two NULs.
DWORD CopyList(std::string_view list, char* out, DWORD size) {
    if (size < 2) {
        out[0] = '\0';
        return 0;
    }
    if (list.size() + 2 <= size) {
        std::memcpy(out, list.data(), list.size());
        out[list.size()] = '\0';
        return static_cast<DWORD>(list.size());
    }
    std::memcpy(out, list.data(), size - 2);
    out[size - 2] = '\0';
    out[size - 1] = '\0';
    return size - 2;
}

DWORD Lookup(std::string_view text, const char* section, const char* key, const char* defaultValue, char* out,
             DWORD size) {
    std::string list;
    const auto add = [&list](std::string_view name) { list.append(name).push_back('\0'); };
    if (section == nullptr) {
        ListSections(text, add);
        return CopyList(list, out, size);
    }
    if (key == nullptr) {
        if (ListKeys(text, TrimArgument(section), add)) return CopyList(list, out, size);
        return CopyValue(TrimDefault(defaultValue), out, size);
    }
    const auto value = FindValue(text, TrimArgument(section), TrimArgument(key));
    return CopyValue(value ? *value : TrimDefault(defaultValue), out, size);
}

}  // namespace
}  // namespace platform::profile

DWORD GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR returned, DWORD size,
                               LPCSTR fileName) {
    namespace profile = platform::profile;
    if (returned == nullptr || size == 0) return 0;
    std::lock_guard lock(profile::FileMutex());
    const profile::Profile file = fileName != nullptr ? profile::CurrentProfile(fileName) : profile::Profile{};
    if (file.load != profile::Load::Read) return profile::CopyValue(profile::TrimDefault(defaultValue), returned, size);
    return profile::Lookup(*file.text, section, key, defaultValue, returned, size);
}

// A null value deletes the key and a null key the section.
BOOL WritePrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR fileName) {
    namespace profile = platform::profile;
    if (section == nullptr || fileName == nullptr || *fileName == '\0') return FALSE;
    return profile::EditFile(fileName, {profile::ChangeKey(profile::TrimArgument(section), key, value)});
}

BOOL WritePrivateProfileKeysA(LPCSTR section, const LPCSTR* keys, const LPCSTR* values, DWORD count, LPCSTR fileName) {
    namespace profile = platform::profile;
    if (section == nullptr || keys == nullptr || values == nullptr || fileName == nullptr || *fileName == '\0')
        return FALSE;
    std::vector<profile::Edit> edits;
    for (DWORD i = 0; i < count; ++i) {
        if (keys[i] == nullptr) return FALSE;
        edits.push_back(profile::ChangeKey(profile::TrimArgument(section), keys[i], values[i]));
    }
    return profile::EditFile(fileName, edits);
}

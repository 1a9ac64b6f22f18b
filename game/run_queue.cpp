#include "game/run_queue.h"

#include <algorithm>

#include "game/file_lock.h"
#include "platform/api/kernel.h"
#include "platform/api/stored_files.h"

std::optional<std::vector<std::string>> RunQueue::Read() const {
    HANDLE in = CreateFileA(file_.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                            nullptr);
    if (in == INVALID_HANDLE_VALUE) {
        if (GetLastError() == ERROR_FILE_NOT_FOUND) return std::vector<std::string>{};
        return std::nullopt;
    }
    std::string text(GetFileSize(in, nullptr), '\0');
    DWORD got = 0;
    const BOOL read = ReadFile(in, text.data(), static_cast<DWORD>(text.size()), &got, nullptr);
    CloseHandle(in);
    if (!read) return std::nullopt;
    text.resize(got);
    std::vector<std::string> runs;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        if (end > start) runs.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return runs;
}

bool RunQueue::Store(const std::vector<std::string>& runs) const {
    std::string text;
    for (const std::string& run : runs) text += run + "\n";
    return StoreFileA(file_.c_str(), text.data(), static_cast<DWORD>(text.size())) != FALSE;
}

bool RunQueue::Append(const std::string& run) {
    const std::lock_guard<std::mutex> hold(lock_);
    const FileLock lock(file_);
    auto runs = lock.Held() ? Read() : std::nullopt;
    if (!runs) return false;
    runs->push_back(run);
    return Store(*runs);
}

std::optional<std::string> RunQueue::Front() {
    const std::lock_guard<std::mutex> hold(lock_);
    const FileLock lock(file_);
    const auto runs = lock.Held() ? Read() : std::nullopt;
    if (!runs || runs->empty()) return std::nullopt;
    return runs->front();
}

bool RunQueue::Remove(const std::string& run) {
    const std::lock_guard<std::mutex> hold(lock_);
    const FileLock lock(file_);
    auto runs = lock.Held() ? Read() : std::nullopt;
    if (!runs) return false;
    const auto found = std::find(runs->begin(), runs->end(), run);
    if (found == runs->end()) return true;
    runs->erase(found);
    return Store(*runs);
}

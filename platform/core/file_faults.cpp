#include "platform/core/file_faults.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <vector>

namespace platform::faults {
namespace {

std::atomic<bool> g_writesFail{false};

// Hidden names are set before the program runs but checked on whichever thread opens a file.
std::mutex g_mutex;
std::vector<std::string> g_hidden;

// Forward slashes, lower case, no leading "./".
std::string Normalised(std::string name) {
    std::replace(name.begin(), name.end(), '\\', '/');
    std::transform(name.begin(), name.end(), name.begin(),
                   [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; });
    while (name.rfind("./", 0) == 0) name.erase(0, 2);
    return name;
}

bool EndsWithComponents(const std::string& path, const std::string& name) {
    if (name.empty() || path.size() < name.size()) return false;
    if (path.compare(path.size() - name.size(), name.size(), name) != 0) return false;
    return path.size() == name.size() || path[path.size() - name.size() - 1] == '/';
}

}  // namespace

void FailWrites(bool fail) { g_writesFail = fail; }
bool WritesFail() { return g_writesFail.load(); }

void HideFile(const std::string& name) {
    std::lock_guard lock(g_mutex);
    g_hidden.push_back(Normalised(name));
}

bool IsHidden(const std::string& nativePath) {
    std::lock_guard lock(g_mutex);
    if (g_hidden.empty()) return false;
    const std::string path = Normalised(nativePath);
    return std::any_of(g_hidden.begin(), g_hidden.end(),
                       [&path](const std::string& name) { return EndsWithComponents(path, name); });
}

void Clear() {
    g_writesFail = false;
    std::lock_guard lock(g_mutex);
    g_hidden.clear();
}

}  // namespace platform::faults

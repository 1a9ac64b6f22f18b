#include "platform/core/file_faults.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <vector>

namespace platform::faults {
namespace {

std::atomic<bool> g_writesFail{false};
std::atomic<int> g_failingStep{kNoStep};

// Hidden names are set before the program runs but checked on whichever thread opens a file.
std::mutex g_mutex;
std::vector<std::string> g_hidden;
std::vector<std::string> g_refused;

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

bool Matches(const std::vector<std::string>& names, const std::string& nativePath) {
    std::lock_guard lock(g_mutex);
    if (names.empty()) return false;
    const std::string path = Normalised(nativePath);
    return std::any_of(names.begin(), names.end(),
                       [&path](const std::string& name) { return EndsWithComponents(path, name); });
}

void Add(std::vector<std::string>* names, const std::string& name) {
    std::lock_guard lock(g_mutex);
    names->push_back(Normalised(name));
}

}  // namespace

void FailWrites(bool fail) { g_writesFail = fail; }
bool WritesFail() { return g_writesFail.load(); }

void FailStoreStep(int step) { g_failingStep = step; }
int FailingStoreStep() { return g_failingStep.load(); }

void HideFile(const std::string& name) { Add(&g_hidden, name); }
bool IsHidden(const std::string& nativePath) { return Matches(g_hidden, nativePath); }

void RefuseFile(const std::string& name) { Add(&g_refused, name); }
bool IsRefused(const std::string& nativePath) { return Matches(g_refused, nativePath); }

void Clear() {
    g_writesFail = false;
    g_failingStep = kNoStep;
    std::lock_guard lock(g_mutex);
    g_hidden.clear();
    g_refused.clear();
}

}  // namespace platform::faults

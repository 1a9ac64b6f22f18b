#include "platform/web/kept_files.h"

#include <emscripten.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <mutex>
#include <thread>

namespace platform::web {
namespace {

namespace fs = std::filesystem;

enum SyncState : int { kIdle, kPending, kDone, kFailed };
std::atomic<int> g_sync{kIdle};
// Each sync has a number of its own, and only its own answer settles it: a late answer to a sync
// that was given up on can never mark the next one done.
std::atomic<int> g_syncNumber{0};

// A database write takes milliseconds; one that has not answered in this long never will.
constexpr auto kSyncPatience = std::chrono::seconds(10);

bool WriteBack() {
    const int number = g_syncNumber.fetch_add(1) + 1;
    g_sync.store(kPending);
    const int started = MAIN_THREAD_EM_ASM_INT(
        {
            if (!Module.keptFilesMounted) return 0;
            const number = $0;
            FS.syncfs(
                false, function(error) { Module._web_kept_files_synced(number, error ? 0 : 1); });
            return 1;
        },
        number);
    if (started == 0) return false;
    const auto deadline = std::chrono::steady_clock::now() + kSyncPatience;
    while (g_sync.load() == kPending && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return g_sync.load() == kDone;
}

}  // namespace

bool KeepFile(const std::string& written, const std::string& storedPath) {
    static std::mutex one;
    std::lock_guard lock(one);
    std::error_code error;
    const fs::path stored = fs::absolute(storedPath, error);
    if (error) return false;
    const fs::path kept = fs::path("/kept") / stored.relative_path();
    fs::create_directories(kept.parent_path(), error);
    if (error || !fs::copy_file(written, kept, fs::copy_options::overwrite_existing, error)) return false;
    return WriteBack();
}

void KeptFilesSynced(int number, bool ok) {
    if (number == g_syncNumber.load()) g_sync.store(ok ? kDone : kFailed);
}

}  // namespace platform::web

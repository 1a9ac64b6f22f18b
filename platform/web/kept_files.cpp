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

enum AnswerState : int { kIdle, kPending, kDone, kFailed };
std::atomic<int> g_answer{kIdle};
// Each request has a number of its own, and only its own answer settles it: a late answer to a
// request that was given up on can never mark the next one done.
std::atomic<int> g_number{0};

// A database write takes milliseconds, and another tab holds the lock only for one read-merge-write;
// a request that has not been answered in this long never will be.
constexpr auto kPatience = std::chrono::seconds(10);

// One request to the page at a time; a hold is taken before it asks for the lock.
std::recursive_mutex g_holders;
int g_depth = 0;  // only touched with g_holders held

int NextRequest() {
    const int number = g_number.fetch_add(1) + 1;
    g_answer.store(kPending);
    return number;
}

// Waits for the answer to the newest request; on giving up, a later answer is refused.
bool AwaitAnswer() {
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    while (g_answer.load() == kPending && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    int expected = kPending;
    g_answer.compare_exchange_strong(expected, kFailed);
    return g_answer.load() == kDone;
}

bool TakePageLock() {
    const int number = NextRequest();
    const int asked = MAIN_THREAD_EM_ASM_INT(
        {
            if (!self.stalkwayKept) return 0;
            self.stalkwayKept.hold($0);
            return 1;
        },
        number);
    return asked != 0 && AwaitAnswer();
}

bool WriteBack(const std::string& keptPath) {
    const int number = NextRequest();
    const int asked = MAIN_THREAD_EM_ASM_INT(
        {
            if (!Module.keptFilesMounted || !self.stalkwayKept) return 0;
            self.stalkwayKept.keep(UTF8ToString($0), $1);
            return 1;
        },
        keptPath.c_str(), number);
    return asked != 0 && AwaitAnswer();
}

}  // namespace

bool HoldKeptFiles() {
    g_holders.lock();
    if (g_depth++ > 0 || TakePageLock()) return true;
    --g_depth;
    g_holders.unlock();
    return false;
}

void ReleaseKeptFiles() {
    if (--g_depth == 0) MAIN_THREAD_EM_ASM({ self.stalkwayKept.release(); });
    g_holders.unlock();
}

bool KeepFile(const std::string& written, const std::string& storedPath) {
    std::error_code error;
    const fs::path stored = fs::absolute(storedPath, error);
    if (error || !HoldKeptFiles()) return false;
    const fs::path kept = fs::path("/kept") / stored.relative_path();
    fs::create_directories(kept.parent_path(), error);
    const bool ok = !error && fs::copy_file(written, kept, fs::copy_options::overwrite_existing, error) &&
                    WriteBack(kept.string());
    ReleaseKeptFiles();
    return ok;
}

bool KeptFilesAnswered(int number, bool ok) {
    if (number != g_number.load()) return false;
    int expected = kPending;
    return g_answer.compare_exchange_strong(expected, ok ? kDone : kFailed);
}

}  // namespace platform::web

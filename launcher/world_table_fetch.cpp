#include "launcher/world_table_fetch.h"

#include <mutex>

struct WorldTableFetch::Shared {
    explicit Shared(HWND window) : window(window), wake(CreateEventA(nullptr, FALSE, FALSE, nullptr)) {}
    ~Shared() {
        if (wake != nullptr) CloseHandle(wake);
    }
    const HWND window;
    const HANDLE wake;
    std::mutex lock;
    // All below under `lock`.
    bool stop = false;
    std::string server;
    std::uint32_t maze = 0;
    int asked = 0;                    // the newest request's number
    int fetched = 0;                  // the number of the newest request the thread has taken up
    std::optional<WorldTable> table;  // the newest request's, when it has come
};

bool WorldTableFetch::Start(HWND window) {
    if (shared_ != nullptr) return true;
    auto shared = std::make_shared<Shared>(window);
    if (shared->wake == nullptr) return false;
    // The thread holds a share of its own, which outlives Stop when a request is under way.
    auto* own = new std::shared_ptr<Shared>(shared);
    HANDLE thread = CreateThread(nullptr, 0, &WorldTableFetch::Work, own, 0, nullptr);
    if (thread == nullptr) {
        delete own;
        return false;
    }
    CloseHandle(thread);
    shared_ = std::move(shared);
    return true;
}

void WorldTableFetch::Ask(const std::string& server, std::uint32_t maze) {
    if (shared_ == nullptr) return;
    {
        const std::lock_guard<std::mutex> hold(shared_->lock);
        shared_->server = server;
        shared_->maze = maze;
        ++shared_->asked;
        shared_->table.reset();
    }
    SetEvent(shared_->wake);
}

std::optional<WorldTable> WorldTableFetch::Take() {
    if (shared_ == nullptr) return std::nullopt;
    const std::lock_guard<std::mutex> hold(shared_->lock);
    std::optional<WorldTable> table = std::move(shared_->table);
    shared_->table.reset();
    return table;
}

void WorldTableFetch::Stop() {
    if (shared_ == nullptr) return;
    {
        const std::lock_guard<std::mutex> hold(shared_->lock);
        shared_->stop = true;
    }
    SetEvent(shared_->wake);
    shared_.reset();
}

DWORD WorldTableFetch::Work(LPVOID parameter) {
    const std::unique_ptr<std::shared_ptr<Shared>> own(static_cast<std::shared_ptr<Shared>*>(parameter));
    Shared& shared = **own;
    for (;;) {
        WaitForSingleObject(shared.wake, INFINITE);
        {
            const std::lock_guard<std::mutex> hold(shared.lock);
            if (shared.stop) return 0;
        }
        FetchAsked(shared);
    }
}

// Fetches until no newer request is waiting; a table is kept and posted only while no newer one
// has been asked for.
void WorldTableFetch::FetchAsked(Shared& shared) {
    for (;;) {
        std::unique_lock<std::mutex> hold(shared.lock);
        if (shared.stop || shared.fetched == shared.asked) return;
        const int number = shared.asked;
        const std::string server = shared.server;
        const std::uint32_t maze = shared.maze;
        shared.fetched = number;
        hold.unlock();
        WorldTable table = FetchWorldTable(server, maze, kRequestMs);
        hold.lock();
        if (shared.stop || number != shared.asked) continue;
        shared.table = std::move(table);
        PostMessageA(shared.window, kWorldTableArrived, 0, 0);
    }
}

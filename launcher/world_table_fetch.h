// The world table is fetched on a thread of its own, so that a slow or silent server never holds
// the launcher's frames: the launcher asks, shows that it waits, and takes the table when the
// thread posts kWorldTableArrived to its window. Only the newest request counts: a table asked for
// before it (another maze, the panel shown again) is thrown away when it comes.
//
// The thread is one of the program's own (CreateThread), not the standard library's: the null
// display's virtual time waits for such a thread to settle, so a scripted run shows the table a tick
// after asking for it, however long the server took.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "launcher/world_table.h"
#include "platform/api/win32.h"

// Posted to the launcher's window when the table it asked for last has come.
inline constexpr UINT kWorldTableArrived = WM_APP + 0x120;

class WorldTableFetch {
public:
    // How long one request may take before its server counts as offline.
    static constexpr int kRequestMs = 3000;

    ~WorldTableFetch() { Stop(); }

    // Starts the thread, which tells `window` of each table that comes; false when it could not.
    bool Start(HWND window);
    // Asks for `maze`'s table from `server` in place of any earlier request.
    void Ask(const std::string& server, std::uint32_t maze);
    // The table asked for last, once, when it has come.
    std::optional<WorldTable> Take();
    // Ends the thread without waiting for a request under way: that one ends by its time limit,
    // and its table is not posted.
    void Stop();

private:
    struct Shared;
    static DWORD Work(LPVOID parameter);
    static void FetchAsked(Shared& shared);

    std::shared_ptr<Shared> shared_;
};

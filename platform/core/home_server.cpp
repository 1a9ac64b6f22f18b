#include <mutex>
#include <string>

#include "platform/api/web_requests.h"

namespace platform {
namespace {

// Set by the page's program's first thread before it starts any other, and read by the game's
// sender thread and the launcher's table fetch.
std::mutex g_lock;
std::string g_home;

}  // namespace

void UseHomeServer(const std::string& server) {
    std::lock_guard hold(g_lock);
    g_home = server;
}

std::string HomeServer() {
    std::lock_guard hold(g_lock);
    return g_home;
}

}  // namespace platform

// The API and the browser's site over HTTP. Every answer carries the headers that make the page
// cross-origin isolated (its threads share memory, which browsers allow only then), so the page
// and the API come from the one origin.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>

#include "server/api.h"

namespace httplib {
class Server;
}

namespace server {

// Threads that serve connections. A client that keeps its connection alive holds a thread between
// its requests, so with fewer threads than such clients the rest wait for one while threads idle;
// the replays themselves are bounded by the replayer, not by these.
inline constexpr std::size_t kConnectionThreads = 64;

class HttpServer {
public:
    // `site` empty: the API alone. `trustForwarded`: the client is the last address of
    // X-Forwarded-For, which the reverse proxy in front appends.
    HttpServer(HallOfFameApi& api, std::string site, bool trustForwarded = false);
    ~HttpServer();
    HttpServer(const HttpServer&) = delete;
    HttpServer& operator=(const HttpServer&) = delete;

    // Binds `host` ("127.0.0.1", "::1", ...) and `port` (0: any free one) and serves on a thread
    // of its own. False when the address cannot be bound or the site is no folder.
    bool Start(const std::string& host, int port);
    int Port() const { return port_; }
    void Stop();

private:
    void Route();

    HallOfFameApi& api_;
    std::string site_;
    bool trustForwarded_;
    std::unique_ptr<httplib::Server> http_;
    std::thread thread_;
    int port_ = 0;
    std::intptr_t listening_ = -1;  // the socket bound last
};

}  // namespace server

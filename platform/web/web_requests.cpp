// In the browser every thread of the program is a Web Worker, where a synchronous XMLHttpRequest is
// allowed and takes a time limit: a request blocks its own thread, as a socket does natively, and
// never the page's. The page can reach no server but its own (a cross-origin request needs that
// server's consent), so the server is the one the page came from: page.js asks it once at start
// whether it is a world hall of fame, and gives it to the program's command line (home_server.cpp).
#include <emscripten.h>
#include <emscripten/threading.h>

#include <string>

#include "platform/api/web_requests.h"

namespace platform {

namespace {

// No connection, the time limit or an address that is not one throws, and is status 0. The
// answer's text stays with the worker's own script until it is copied into the program's memory:
// each thread has a global object of its own, so two threads' requests never meet there.
WebReply Request(const char* method, const std::string& url, const char* json, int timeoutMs) {
    // The page's thread never waits for a server.
    if (emscripten_is_main_browser_thread()) return {};
    WebReply reply;
    int length = 0;
    reply.status = EM_ASM_INT(
        {
            self.stalkwayReply = "";
            try {
                const request = new XMLHttpRequest();
                request.open(UTF8ToString($0), UTF8ToString($1), false);
                request.timeout = $3;
                if ($2) request.setRequestHeader("Content-Type", "application/json");
                request.send($2 ? UTF8ToString($2) : null);
                self.stalkwayReply = request.responseText || "";
                HEAP32[$4 >> 2] = lengthBytesUTF8(self.stalkwayReply);
                return request.status;
            } catch (e) {
                return 0;
            }
        },
        method, url.c_str(), json, timeoutMs, &length);
    if (length > 0) {
        reply.body.resize(static_cast<std::size_t>(length) + 1);
        EM_ASM({ stringToUTF8(self.stalkwayReply, $0, $1); }, reply.body.data(), length + 1);
        reply.body.resize(static_cast<std::size_t>(length));
    }
    EM_ASM({ self.stalkwayReply = ""; });
    return reply;
}

std::string Address(const std::string& server, const std::string& path) {
    std::string base = server;
    while (!base.empty() && base.back() == '/') base.pop_back();
    return base + path;
}

}  // namespace

WebReply WebPostJson(const std::string& server, const std::string& path, const std::string& json, int timeoutMs) {
    return Request("POST", Address(server, path), json.c_str(), timeoutMs);
}

WebReply WebGet(const std::string& server, const std::string& path, int timeoutMs) {
    return Request("GET", Address(server, path), nullptr, timeoutMs);
}

}  // namespace platform

// This system's own addition: plain requests to a web server the player named (the world hall of
// fame). Each blocks until the answer or its time limit, so the programs make them off the frame's
// thread or with a short limit.
#pragma once

#include <string>

namespace platform {

struct WebReply {
    // The HTTP status; 0 when no answer came (no connection, the time limit, an address that is
    // not one).
    int status = 0;
    std::string body;
};

// False where the program has no way to the network of its own (the browser, where the page
// makes the requests): every request there finds no answer.
bool WebRequestsPossible();

// `server` is a base address: "http://HOST:PORT" or "https://HOST[:PORT]", with a path prefix
// when the server is behind one ("https://example.org/stalkway"); `path` begins with "/".
WebReply WebPostJson(const std::string& server, const std::string& path, const std::string& json, int timeoutMs);
WebReply WebGet(const std::string& server, const std::string& path, int timeoutMs);

}  // namespace platform

// This system's own addition: plain requests to a web server the player named (the world hall of
// fame). Each blocks its thread until the answer or its time limit, so the programs make them off
// the frame's thread.
#pragma once

#include <string>

namespace platform {

struct WebReply {
    // The HTTP status; 0 when no answer came (no connection, the time limit, an address that is
    // not one).
    int status = 0;
    std::string body;
};

// The world hall of fame the program was served by, when it was: in the browser, the page's own
// address when it answered there as the server does; natively, and from a plain host, none (empty).
std::string HomeServer();
// Only the page knows it: its program takes it from its first command line, before it starts.
void UseHomeServer(const std::string& server);

// `server` is a base address: "http://HOST:PORT" or "https://HOST[:PORT]", with a path prefix
// when the server is behind one ("https://example.org/stalkway"); `path` begins with "/".
WebReply WebPostJson(const std::string& server, const std::string& path, const std::string& json, int timeoutMs);
WebReply WebGet(const std::string& server, const std::string& path, int timeoutMs);

}  // namespace platform

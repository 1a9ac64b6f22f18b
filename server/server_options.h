// stalkway-server's command line.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace server {

struct ServerOptions {
    std::string host = "127.0.0.1";
    int port = 8080;
    std::string database;   // empty: sqlite: in the player's data folder
    std::string site;       // empty: the API alone
    std::string data;       // the game's data folder, which holds the classic maze
    std::string mazeCache;  // empty: mazes/ beside the default database
    int perMinute = 30;
    // Count runs by the address a reverse proxy names in X-Forwarded-For, not the proxy's own.
    bool trustForwarded = false;
    bool help = false;
    bool version = false;
};

// Empty with `error` set when the command line is wrong.
std::optional<ServerOptions> ParseServerOptions(const std::vector<std::string>& arguments, std::string* error);

// "ADDRESS:PORT", the address in brackets when it is IPv6 ("[::1]:8080").
bool ParseListen(const std::string& text, std::string* host, int* port);

extern const char kServerUsage[];

}  // namespace server

#include "server/server_options.h"

#include <charconv>
#include <map>

namespace server {

const char kServerUsage[] =
    "Usage: stalkway-server [--listen ADDRESS:PORT] [--database sqlite:PATH|postgresql://...]\n"
    "                       [--site DIR] [--data DIR] [--maze-cache DIR] [--runs-per-minute N]\n"
    "                       [--trust-forwarded]\n"
    "                       [--help] [--version]\n"
    "\n"
    "Serves the world hall of fame: runs sent as their moves are replayed on their maze and ranked.\n"
    "  --listen ADDRESS:PORT   where to listen (default 127.0.0.1:8080; [::1]:PORT for IPv6; port 0: any)\n"
    "  --database ADDRESS      sqlite:PATH (default $XDG_DATA_HOME/stalkway-server/scores.db)\n"
    "                          or a PostgreSQL address, postgresql://USER@HOST/NAME\n"
    "  --site DIR              serve the browser build's site from DIR as well\n"
    "  --data DIR              the game's data folder, which holds the classic maze\n"
    "  --maze-cache DIR        where numbered mazes are made on first use\n"
    "                          (default $XDG_DATA_HOME/stalkway-server/mazes)\n"
    "  --runs-per-minute N     runs one address may send in a minute (default 30; 0: no limit)\n"
    "  --trust-forwarded       behind a reverse proxy: count runs by the last address of X-Forwarded-For\n";

namespace {

bool ParseNumber(const std::string& text, int low, int high, int* value) {
    int number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size() || number < low || number > high)
        return false;
    *value = number;
    return true;
}

}  // namespace

bool ParseListen(const std::string& text, std::string* host, int* port) {
    const std::size_t colon = text.rfind(':');
    if (colon == std::string::npos || colon == 0) return false;
    std::string address = text.substr(0, colon);
    if (address.front() == '[') {
        if (address.size() < 3 || address.back() != ']') return false;
        address = address.substr(1, address.size() - 2);
    } else if (address.find(':') != std::string::npos) {
        return false;
    }
    if (!ParseNumber(text.substr(colon + 1), 0, 65535, port)) return false;
    *host = address;
    return true;
}

std::optional<ServerOptions> ParseServerOptions(const std::vector<std::string>& arguments, std::string* error) {
    ServerOptions options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& word = arguments[i];
        if (word == "--help" || word == "-h") {
            options.help = true;
            continue;
        }
        if (word == "--version") {
            options.version = true;
            continue;
        }
        if (word == "--trust-forwarded") {
            options.trustForwarded = true;
            continue;
        }
        static const std::map<std::string, std::string ServerOptions::*> kFolders = {
            {"--database", &ServerOptions::database},
            {"--site", &ServerOptions::site},
            {"--data", &ServerOptions::data},
            {"--maze-cache", &ServerOptions::mazeCache}};
        const bool takesValue = kFolders.contains(word) || word == "--listen" || word == "--runs-per-minute";
        if (!takesValue) {
            *error = "unknown option: " + word;
            return std::nullopt;
        }
        if (i + 1 >= arguments.size() || arguments[i + 1].empty()) {
            *error = word + " needs a value";
            return std::nullopt;
        }
        const std::string& value = arguments[++i];
        if (kFolders.contains(word)) {
            options.*kFolders.at(word) = value;
        } else if (word == "--listen" && !ParseListen(value, &options.host, &options.port)) {
            *error = "--listen takes ADDRESS:PORT, e.g. 127.0.0.1:8080: " + value;
            return std::nullopt;
        } else if (word == "--runs-per-minute" && !ParseNumber(value, 0, 1'000'000, &options.perMinute)) {
            *error = "--runs-per-minute takes a number from 0 to 1000000: " + value;
            return std::nullopt;
        }
    }
    return options;
}

}  // namespace server

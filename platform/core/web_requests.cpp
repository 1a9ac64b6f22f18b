// The web requests over cpp-httplib's client: one connection a request, which is all a few runs
// a game and a table a launcher screen need.
#include "platform/api/web_requests.h"

#include <httplib.h>

#include <chrono>
#include <memory>

namespace platform {

namespace {

struct Target {
    std::string origin;  // scheme, host and port
    std::string prefix;  // the path the server is mounted at, without a trailing "/"
};

Target Split(const std::string& server) {
    const std::size_t scheme = server.find("://");
    const std::size_t slash = server.find('/', scheme == std::string::npos ? 0 : scheme + 3);
    Target target{server.substr(0, slash), slash == std::string::npos ? "" : server.substr(slash)};
    while (!target.prefix.empty() && target.prefix.back() == '/') target.prefix.pop_back();
    return target;
}

std::unique_ptr<httplib::Client> ClientFor(const Target& target, int timeoutMs) {
    auto client = std::make_unique<httplib::Client>(target.origin);
    if (!client->is_valid()) return nullptr;
    const auto limit = std::chrono::milliseconds(timeoutMs);
    client->set_connection_timeout(limit);
    client->set_read_timeout(limit);
    client->set_write_timeout(limit);
    return client;
}

WebReply ReplyOf(const httplib::Result& result) {
    if (!result) return {};
    return {result->status, result->body};
}

}  // namespace

WebReply WebPostJson(const std::string& server, const std::string& path, const std::string& json, int timeoutMs) {
    const Target target = Split(server);
    const auto client = ClientFor(target, timeoutMs);
    if (client == nullptr) return {};
    return ReplyOf(client->Post(target.prefix + path, json, "application/json"));
}

WebReply WebGet(const std::string& server, const std::string& path, int timeoutMs) {
    const Target target = Split(server);
    const auto client = ClientFor(target, timeoutMs);
    if (client == nullptr) return {};
    return ReplyOf(client->Get(target.prefix + path));
}

}  // namespace platform

#include "server/http_server.h"

#include <httplib.h>

#include "platform/api/listen_queue.h"
#include "server/run_request.h"

namespace server {

namespace {

void Answer(httplib::Response& response, const ApiResponse& answer) {
    response.status = answer.status;
    response.set_content(answer.body, "application/json");
}

void Isolate(httplib::Response& response) {
    response.set_header("Cross-Origin-Opener-Policy", "same-origin");
    response.set_header("Cross-Origin-Embedder-Policy", "require-corp");
    response.set_header("Cross-Origin-Resource-Policy", "same-origin");
    // A rebuilt game is picked up at the next reload, and a table is never stale.
    response.set_header("Cache-Control", "no-cache");
}

// The proxy appends the address it was reached from; what comes before it, the client could write.
std::string ClientAddress(const httplib::Request& request, bool trustForwarded) {
    const std::string forwarded = request.get_header_value("X-Forwarded-For");
    if (!trustForwarded || forwarded.empty()) return request.remote_addr;
    const std::size_t comma = forwarded.rfind(',');
    std::string last = comma == std::string::npos ? forwarded : forwarded.substr(comma + 1);
    last.erase(0, last.find_first_not_of(' '));
    return last;
}

}  // namespace

HttpServer::HttpServer(HallOfFameApi& api, std::string site, bool trustForwarded)
    : api_(api), site_(std::move(site)), trustForwarded_(trustForwarded), http_(std::make_unique<httplib::Server>()) {}

HttpServer::~HttpServer() { Stop(); }

void HttpServer::Route() {
    httplib::Server& http = *http_;
    http.new_task_queue = [] { return new httplib::ThreadPool(kConnectionThreads); };
    http.set_socket_options([this](socket_t socket) {
        httplib::default_socket_options(socket);
        listening_ = socket;
    });
    // A longer body is refused before it is read.
    http.set_payload_max_length(kMaxBodyBytes);
    // A client that sends many runs keeps its connection for a hundred of them.
    http.set_keep_alive_max_count(100);
    // An answer's body follows its headers at once, not after the client's delayed acknowledgement.
    http.set_tcp_nodelay(true);
    http.Post("/api/v1/runs", [this](const httplib::Request& request, httplib::Response& response) {
        Answer(response, api_.SubmitRun(request.body, ClientAddress(request, trustForwarded_)));
    });
    http.Get(R"(/api/v1/mazes/([^/]+)/top)", [this](const httplib::Request& request, httplib::Response& response) {
        std::optional<std::string> limit;
        if (request.has_param("limit")) limit = request.get_param_value("limit");
        Answer(response, api_.Top(request.matches[1].str(), limit));
    });
    http.Get("/api/v1/health",
             [this](const httplib::Request&, httplib::Response& response) { Answer(response, api_.Health()); });
    // What has no answer of its own says why in the API's form.
    http.set_error_handler([](const httplib::Request&, httplib::Response& response) {
        if (!response.body.empty()) return;
        const std::string message = response.status == 413   ? "the body is larger than 64 KiB"
                                    : response.status == 404 ? "no such page"
                                                             : "the request could not be read";
        Answer(response, ErrorResponse(response.status, message));
    });
    http.set_post_routing_handler([](const httplib::Request&, httplib::Response& response) { Isolate(response); });
    http.set_file_extension_and_mimetype_mapping("wasm", "application/wasm");
    http.set_file_extension_and_mimetype_mapping("js", "text/javascript");
    http.set_file_extension_and_mimetype_mapping("data", "application/octet-stream");
    http.set_file_extension_and_mimetype_mapping("script", "text/plain");
}

bool HttpServer::Start(const std::string& host, int port) {
    Route();
    if (!site_.empty() && !http_->set_mount_point("/", site_)) return false;
    port_ = port == 0 ? http_->bind_to_any_port(host) : (http_->bind_to_port(host, port) ? port : -1);
    if (port_ <= 0) return false;
    // 32 clients connecting at once overflowed the library's queue of five.
    if (listening_ >= 0) platform::WidenListenQueue(listening_);
    thread_ = std::thread([this] { http_->listen_after_bind(); });
    return true;
}

void HttpServer::Stop() {
    if (!thread_.joinable()) return;
    http_->stop();
    thread_.join();
}

}  // namespace server

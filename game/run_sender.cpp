#include "game/run_sender.h"

#include <cstdio>

#include "platform/api/web_requests.h"

RunSender g_RunSender;

namespace {

// A name is printable ASCII (the launcher's rule); quotes, backslashes and anything else are
// escaped all the same, so that any name makes valid JSON and the server judges it.
std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20 || byte >= 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

enum class Answer { kDone, kKeep };

// Taken (201, or 200 for a run already stored) and refused as a bad run (400, 413, 422) are done
// with; no answer, a server in trouble (5xx), a limit (429) or a path not found keep the run.
Answer AnswerOf(int status) {
    switch (status) {
    case 200:
    case 201:
    case 400:
    case 413:
    case 422: return Answer::kDone;
    default: return Answer::kKeep;
    }
}

}  // namespace

std::string WorldRunJson(std::uint32_t maze, const std::string& player, const std::string& moves) {
    const std::string mazeText = maze == 0 ? "\"classic\"" : std::to_string(maze);
    return "{\"maze\": " + mazeText + ", \"player\": " + JsonString(player) + ", \"moves\": " + JsonString(moves) + "}";
}

struct RunSender::Shared {
    Shared(std::string server, const std::string& queueFile) : server(std::move(server)), queue(queueFile) {}
    const std::string server;
    RunQueue queue;
    std::mutex lock;
    std::condition_variable changed;
    bool wake = true;  // the first pass sends what an earlier run of the program left
    bool stop = false;
    bool done = false;
    std::chrono::steady_clock::time_point stopBy;
};

RunSender::~RunSender() { Stop(); }

void RunSender::Start(const std::string& server, std::uint32_t maze, const std::string& queueFile) {
    if (server.empty() || Started()) return;
    maze_ = maze;
    shared_ = std::make_shared<Shared>(server, queueFile);
    thread_ = std::thread(&RunSender::Work, shared_);
}

bool RunSender::Send(const std::string& player, const std::string& moves) {
    if (!Started() || !shared_->queue.Append(WorldRunJson(maze_, player, moves))) return false;
    const std::lock_guard<std::mutex> hold(shared_->lock);
    shared_->wake = true;
    shared_->changed.notify_all();
    return true;
}

void RunSender::Stop() {
    if (!Started()) return;
    std::unique_lock<std::mutex> hold(shared_->lock);
    shared_->stop = true;
    shared_->wake = true;
    shared_->stopBy = std::chrono::steady_clock::now() + kStopWait;
    shared_->changed.notify_all();
    const bool ended = shared_->changed.wait_until(hold, shared_->stopBy, [this] { return shared_->done; });
    hold.unlock();
    // A thread still waiting for an answer past the limit is left to end with the program; it
    // holds its own share of what it uses.
    if (ended) thread_.join();
    else thread_.detach();
    shared_.reset();
}

void RunSender::Work(std::shared_ptr<Shared> shared) {
    std::unique_lock<std::mutex> hold(shared->lock);
    for (;;) {
        shared->changed.wait_for(hold, kRetry, [&] { return shared->wake; });
        shared->wake = false;
        const bool stopping = shared->stop;
        hold.unlock();
        SendQueued(*shared);
        hold.lock();
        if (stopping) break;
    }
    shared->done = true;
    shared->changed.notify_all();
}

// Oldest first, until the queue is empty, a run has to wait, or the program's end has waited
// long enough.
void RunSender::SendQueued(Shared& shared) {
    for (;;) {
        {
            const std::lock_guard<std::mutex> hold(shared.lock);
            if (shared.stop && std::chrono::steady_clock::now() >= shared.stopBy) return;
        }
        const auto run = shared.queue.Front();
        if (!run) return;
        const platform::WebReply reply = platform::WebPostJson(shared.server, "/api/v1/runs", *run, kRequestMs);
        if (AnswerOf(reply.status) == Answer::kKeep || !shared.queue.Remove(*run)) return;
    }
}

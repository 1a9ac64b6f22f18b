// stalkway_server_load PORT: what a stalkway-server on 127.0.0.1:PORT (started with
// --runs-per-minute 0 and the same data) holds, for bench.sh. The runs are prefixes of the perfect
// and short games of the classic maze and of maze 7, under names new in each window, so that every
// one is replayed and stored.
//   throughput  five windows of 1,500 runs sent by 32 clients, each sending its next run when the
//               last is answered; each window's runs/s, and the same runs replayed on one thread in
//               this process right after it, with the game's model, for the ratio
//   latency     three windows of 3 s in which each of 32 clients sends a run every 100 ms (320 runs/s
//               in all); each window's 99th percentile of a submission's time
// Prints one line per figure, each window's figures beside the median.
#include <httplib.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <string>
#include <thread>
#include <vector>

#include "maze/bmp_files.h"
#include "maze/game_scripts.h"
#include "maze/maze_files.h"
#include "server/maze_shelf.h"
#include "server/run_replay.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kClients = 32;
constexpr int kWindowRuns = 1500;
constexpr int kThroughputWindows = 5;
constexpr int kLatencyWindows = 3;
constexpr auto kLatencyWindow = std::chrono::seconds(3);
constexpr auto kPace = std::chrono::milliseconds(100);

const std::string kData = std::string(STALKWAY_BINARY_DIR) + "/game/Stalkway";

// A script's moves; none when the build has not written the script.
std::string MovesOfScriptFile(const std::string& path) {
    const auto bytes = assets::ReadFile(path);
    return bytes ? assets::RunMovesOfScript(std::string(bytes->begin(), bytes->end())) : std::string();
}

struct Game {
    std::int64_t maze;
    std::string moves;
};

std::vector<Game> Games() {
    const std::string scripts = std::string(STALKWAY_BINARY_DIR) + "/game/scripts/";
    std::vector<Game> games = {{0, MovesOfScriptFile(scripts + "perfect.script")},
                               {0, MovesOfScriptFile(scripts + "imperfect.script")}};
    const auto classic = assets::ReadClassicPicturesIn(kData);
    if (!classic || games[0].moves.empty() || games[1].moves.empty()) return {};
    const assets::MazeFiles seven = assets::MakeMazeFiles(7, *classic);
    games.push_back({7, assets::RunMovesOfScript(seven.perfectScript)});
    games.push_back({7, assets::RunMovesOfScript(seven.imperfectScript)});
    return games;
}

struct Run {
    server::MazeId maze;
    std::string body, moves;
};

// Runs of one window: prefixes of 1 to 205 moves (about 100 on average), ten names per window.
std::vector<Run> WindowRuns(const std::vector<Game>& games, int window, int count) {
    std::vector<Run> runs;
    for (int i = 0; i < count; ++i) {
        const Game& game = games[i % games.size()];
        const std::string moves = game.moves.substr(0, 1 + (i * 7) % std::min<std::size_t>(game.moves.size(), 205));
        const std::string player = "load " + std::to_string(window) + "." + std::to_string(i % 10);
        nlohmann::json body{{"player", player}, {"moves", moves}};
        if (game.maze == 0) body["maze"] = "classic";
        else body["maze"] = game.maze;
        runs.push_back({server::MazeId{game.maze}, body.dump(), moves});
    }
    return runs;
}

// A client keeps its connection for its next run, as a browser does. A new connection for each
// run cost both sides a connect, an accept and a new thread's turn, none of it replay. The body
// leaves at once: held back until the headers were acknowledged, it waited for the server's
// delayed acknowledgement, up to 40 ms a run on a kept connection.
void KeepAlive(httplib::Client& client) {
    client.set_keep_alive(true);
    client.set_tcp_nodelay(true);
    client.set_read_timeout(60);
}

// Sends one run; its time in milliseconds, or -1 when it was not taken.
double Send(httplib::Client& client, const Run& run) {
    const auto sent = Clock::now();
    for (int attempt = 0; attempt < 3; ++attempt) {
        // A kept-alive connection the server closes as the request leaves is sent again.
        const auto answer = client.Post("/api/v1/runs", run.body, "application/json");
        if (!answer) continue;
        if (answer->status != 201 && answer->status != 200) return -1;
        return std::chrono::duration<double, std::milli>(Clock::now() - sent).count();
    }
    return -1;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

std::string Joined(const std::vector<double>& values, const char* format) {
    std::string text;
    for (const double value : values) {
        char figure[32];
        std::snprintf(figure, sizeof figure, format, value);
        text += (text.empty() ? "" : " ") + std::string(figure);
    }
    return text;
}

// Runs per second through the server, 32 clients each sending its next run when the last is answered.
double Throughput(int port, const std::vector<Run>& runs, int* failed) {
    std::atomic<std::size_t> next{0};
    std::atomic<int> failures{0};
    const auto start = Clock::now();
    std::vector<std::thread> clients;
    for (int c = 0; c < kClients; ++c) {
        clients.emplace_back([&] {
            httplib::Client client("127.0.0.1", port);
            KeepAlive(client);
            for (std::size_t i = next++; i < runs.size(); i = next++)
                if (Send(client, runs[i]) < 0) ++failures;
        });
    }
    for (std::thread& client : clients) client.join();
    *failed += failures;
    return runs.size() / std::chrono::duration<double>(Clock::now() - start).count();
}

double ReplayRate(server::RunReplayer& replayer, const std::vector<Run>& runs) {
    const auto start = Clock::now();
    for (const Run& run : runs) replayer.Replay(run.maze, run.moves);
    return runs.size() / std::chrono::duration<double>(Clock::now() - start).count();
}

// The 99th percentile of a submission's time, 32 clients each sending a run every 100 ms.
double PacedP99(int port, const std::vector<Run>& runs, int* failed) {
    std::vector<std::vector<double>> times(kClients);
    std::atomic<int> failures{0};
    const auto end = Clock::now() + kLatencyWindow;
    std::vector<std::thread> clients;
    for (int c = 0; c < kClients; ++c) {
        clients.emplace_back([&, c] {
            httplib::Client client("127.0.0.1", port);
            KeepAlive(client);
            // Spread over the slot, so that the clients do not all send at once.
            auto due = Clock::now() + kPace * c / kClients;
            for (std::size_t i = c; Clock::now() < end && i < runs.size(); i += kClients) {
                std::this_thread::sleep_until(due);
                const double ms = Send(client, runs[i]);
                if (ms < 0) ++failures;
                else times[c].push_back(ms);
                due += kPace;
            }
        });
    }
    for (std::thread& client : clients) client.join();
    *failed += failures;
    std::vector<double> all;
    for (const auto& some : times) all.insert(all.end(), some.begin(), some.end());
    std::sort(all.begin(), all.end());
    return all.empty() ? -1 : all[all.size() * 99 / 100];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: stalkway_server_load PORT MAZE_CACHE\n");
        return 2;
    }
    const int port = std::atoi(argv[1]);
    const std::vector<Game> games = Games();
    if (games.empty()) {
        std::fprintf(stderr,
                     "stalkway_server_load: the built data folder's pictures or the classic scripts do not read\n");
        return 1;
    }
    server::MadeMazeShelf shelf(kData, argv[2]);
    server::RunReplayer replayer(shelf);
    // Both sides have their mazes made and loaded before anything is measured.
    int failed = 0;
    Throughput(port, WindowRuns(games, 0, 200), &failed);
    ReplayRate(replayer, WindowRuns(games, 0, 200));
    std::vector<double> served, replayed, ratios, p99s;
    for (int w = 1; w <= kThroughputWindows; ++w) {
        const std::vector<Run> runs = WindowRuns(games, w, kWindowRuns);
        served.push_back(Throughput(port, runs, &failed));
        replayed.push_back(ReplayRate(replayer, runs));
        ratios.push_back(served.back() / replayed.back());
    }
    for (int w = 1; w <= kLatencyWindows; ++w)
        p99s.push_back(PacedP99(port, WindowRuns(games, 100 + w, kWindowRuns), &failed));
    std::printf("server_runs_per_s %.0f %s\n", Median(served), Joined(served, "%.0f").c_str());
    std::printf("replay_runs_per_s %.0f %s\n", Median(replayed), Joined(replayed, "%.0f").c_str());
    std::printf("server_vs_replay %.2f %s\n", Median(ratios), Joined(ratios, "%.2f").c_str());
    std::printf("server_p99_ms %.1f %s\n", Median(p99s), Joined(p99s, "%.1f").c_str());
    std::printf("failed %d\n", failed);
    return failed == 0 ? 0 : 1;
}

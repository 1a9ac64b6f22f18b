// stalkway-server [--listen ADDRESS:PORT] [--database sqlite:PATH|postgresql://...] [--site DIR]
//                 [--data DIR] [--maze-cache DIR] [--runs-per-minute N] [--trust-forwarded]
//
// The world hall of fame: replays the runs games send, stores each once and answers the tables,
// until it is interrupted (SIGINT or SIGTERM). The first line it prints is its address.
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "platform/api/program_folders.h"
#include "server/api.h"
#include "server/http_server.h"
#include "server/server_options.h"
#include "stalkway_version.h"

namespace {

std::atomic<bool> g_stop{false};

void OnSignal(int) { g_stop = true; }

// The server's own files, below the user's data home; empty without a home.
std::string ServerFolder() {
    const std::string home = platform::UserDataHome();
    return home.empty() ? "" : home + "/stalkway-server";
}

std::string DefaultDatabase() {
    const std::string folder = ServerFolder();
    return folder.empty() ? "" : "sqlite:" + folder + "/scores.db";
}

std::string MazeCache(const server::ServerOptions& options) {
    if (!options.mazeCache.empty()) return options.mazeCache;
    const std::string folder = ServerFolder();
    return folder.empty() ? "" : folder + "/mazes";
}

std::string DataFolder(const server::ServerOptions& options) {
    return options.data.empty() ? platform::InstalledGameData() : options.data;
}

int Serve(const server::ServerOptions& options) {
    const std::string data = DataFolder(options);
    if (data.empty() || !platform::HoldsGameData(data)) {
        std::fprintf(stderr, "stalkway-server: no game data found; give its folder with --data DIR\n");
        return 1;
    }
    const std::string address = options.database.empty() ? DefaultDatabase() : options.database;
    std::unique_ptr<server::ScoreStore> store;
    try {
        store = std::make_unique<server::ScoreStore>(server::OpenDatabase(address));
    } catch (const server::DatabaseError& error) {
        std::fprintf(stderr, "stalkway-server: %s\n", error.what());
        return 1;
    }
    const std::string cache = MazeCache(options);
    if (cache.empty()) {
        std::fprintf(stderr, "stalkway-server: no folder for the mazes it makes; give one with --maze-cache DIR\n");
        return 1;
    }
    server::MadeMazeShelf shelf(data, cache);
    server::RunReplayer replayer(shelf);
    if (!replayer.Ready()) {
        std::fprintf(stderr, "stalkway-server: the maze's display could not be made\n");
        return 1;
    }
    server::RateLimit limit(options.perMinute);
    server::HallOfFameApi api(shelf, replayer, *store, limit, server::SystemClockMs);
    server::HttpServer http(api, options.site, options.trustForwarded);
    if (!http.Start(options.host, options.port)) {
        std::fprintf(stderr, "stalkway-server: cannot serve on %s port %d%s\n", options.host.c_str(), options.port,
                     options.site.empty() ? "" : " (or the site is no folder)");
        return 1;
    }
    const bool v6 = options.host.find(':') != std::string::npos;
    std::printf("http://%s%s%s:%d/ (%s)\n", v6 ? "[" : "", options.host.c_str(), v6 ? "]" : "", http.Port(),
                store->Kind().c_str());
    std::fflush(stdout);
    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);
    while (!g_stop) std::this_thread::sleep_for(std::chrono::milliseconds(100));
    http.Stop();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::string error;
    const auto options = server::ParseServerOptions(std::vector<std::string>(argv + 1, argv + argc), &error);
    if (!options) {
        std::fprintf(stderr, "stalkway-server: %s\n%s", error.c_str(), server::kServerUsage);
        return 2;
    }
    if (options->help) {
        std::fputs(server::kServerUsage, stdout);
        return 0;
    }
    if (options->version) {
        std::printf("%s\n", VersionLine("stalkway-server").c_str());
        return 0;
    }
    return Serve(*options);
}

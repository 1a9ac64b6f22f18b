#include "server/postgres_cluster.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "support/replay_run.h"

namespace fs = std::filesystem;

namespace server_test {

namespace {

// The socket's name only: the socket lies in the cluster's private folder.
constexpr int kPort = 54329;

// The newest installed server's tools.
std::string PostgresBin() {
    std::string best;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator("/usr/lib/postgresql", error))
        if (fs::exists(entry.path() / "bin" / "initdb") && entry.path().string() > best) best = entry.path().string();
    return best.empty() ? "" : best + "/bin/";
}

}  // namespace

PostgresCluster& PostgresCluster::Shared() {
    static PostgresCluster cluster;
    return cluster;
}

PostgresCluster::PostgresCluster() {
    bin_ = PostgresBin();
    if (bin_.empty()) {
        trouble_ = "PostgreSQL's server is not installed (Debian package postgresql)";
        return;
    }
    char pattern[] = "/tmp/stalkway-pg-XXXXXX";
    if (mkdtemp(pattern) == nullptr) {
        trouble_ = "no temporary folder";
        return;
    }
    folder_ = pattern;
    if (geteuid() == 0) {
        Run("chown nobody " + test::ShellQuote(folder_));
        asUser_ = "runuser -u nobody -- ";
    }
    const std::string data = test::ShellQuote(folder_ + "/data");
    if (Run(bin_ + "initdb -D " + data + " --auth=trust -U stalkway -E UTF8 >" + folder_ + "/initdb.log 2>&1") != 0) {
        trouble_ = "initdb failed; see " + folder_ + "/initdb.log";
        return;
    }
    const std::string options = "-k " + folder_ + " -p " + std::to_string(kPort) +
                                " -c listen_addresses= -c fsync=off -c max_connections=60";
    running_ = Run(bin_ + "pg_ctl -D " + data + " -l " + folder_ + "/server.log -w -o '" + options +
                   "' start >/dev/null") == 0;
    if (!running_) trouble_ = "the cluster did not start; see " + folder_ + "/server.log";
}

PostgresCluster::~PostgresCluster() {
    if (running_) Run(bin_ + "pg_ctl -D " + test::ShellQuote(folder_ + "/data") + " -m immediate -w stop >/dev/null");
    std::error_code ignored;
    if (!folder_.empty()) fs::remove_all(folder_, ignored);
}

// From the cluster's own folder: its owner may not enter the test's.
int PostgresCluster::Run(const std::string& command) const {
    return std::system(("cd " + test::ShellQuote(folder_) + " && " + asUser_ + command).c_str());
}

std::string PostgresCluster::NewDatabase() {
    const std::string name = "runs" + std::to_string(++databases_);
    Run(bin_ + "createdb -h " + folder_ + " -p " + std::to_string(kPort) + " -U stalkway " + name);
    return "postgresql://stalkway@/" + name + "?host=" + folder_ + "&port=" + std::to_string(kPort);
}

}  // namespace server_test

#include "server/server_process.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <thread>

namespace server_test {

ServerProcess::ServerProcess(const std::vector<std::string>& arguments) {
    std::vector<std::string> words = {std::string(STALKWAY_BINARY_DIR) + "/bin/stalkway-server", "--listen",
                                      "127.0.0.1:0"};
    words.insert(words.end(), arguments.begin(), arguments.end());
    int out[2];
    if (pipe(out) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
        dup2(out[1], 1);
        close(out[0]);
        close(out[1]);
        std::vector<char*> argv;
        for (std::string& word : words) argv.push_back(word.data());
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(out[1]);
    // The first line is the address, printed once it listens.
    FILE* printed = fdopen(out[0], "r");
    char line[256] = {};
    if (printed != nullptr && std::fgets(line, sizeof line, printed) != nullptr) firstLine_ = line;
    if (printed != nullptr) std::fclose(printed);
    const std::size_t colon = firstLine_.rfind(':');
    if (colon != std::string::npos) port_ = std::atoi(firstLine_.c_str() + colon + 1);
}

ServerProcess::~ServerProcess() { Stop(); }

int ServerProcess::Stop() {
    if (pid_ <= 0) return -1;
    kill(pid_, SIGTERM);
    int status = 0;
    for (int i = 0; i < 1000; ++i) {
        if (waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    kill(pid_, SIGKILL);
    waitpid(pid_, &status, 0);
    pid_ = -1;
    return -1;
}

}  // namespace server_test

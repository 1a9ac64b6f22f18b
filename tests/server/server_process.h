// The built stalkway-server, run as a child on a free loopback port and stopped as an operator
// stops it (SIGTERM).
#pragma once

#include <string>
#include <vector>

namespace server_test {

class ServerProcess {
public:
    // Starts it with `--listen 127.0.0.1:0` and the arguments, and reads the address it prints.
    explicit ServerProcess(const std::vector<std::string>& arguments);
    ~ServerProcess();
    ServerProcess(const ServerProcess&) = delete;
    ServerProcess& operator=(const ServerProcess&) = delete;

    // 0 when it did not come up.
    int Port() const { return port_; }
    const std::string& FirstLine() const { return firstLine_; }
    // SIGTERM, then its exit code (-1 when it did not end within ten seconds).
    int Stop();

private:
    int pid_ = -1;
    int port_ = 0;
    std::string firstLine_;
};

}  // namespace server_test

// A throwaway PostgreSQL cluster for the tests: made in a private temporary folder the first time
// a test asks for it, listening on a Unix socket in that folder only, stopped and removed when
// the test program ends. PostgreSQL refuses to run as root, so a root test runs it as "nobody".
#pragma once

#include <string>

namespace server_test {

class PostgresCluster {
public:
    static PostgresCluster& Shared();
    ~PostgresCluster();

    bool Running() const { return running_; }
    // Why it is not running.
    const std::string& Trouble() const { return trouble_; }
    // A new, empty database's address.
    std::string NewDatabase();

private:
    PostgresCluster();
    int Run(const std::string& command) const;

    std::string folder_;
    std::string bin_;
    std::string asUser_;  // the command prefix that runs a tool as the cluster's owner
    bool running_ = false;
    std::string trouble_;
    int databases_ = 0;
};

}  // namespace server_test

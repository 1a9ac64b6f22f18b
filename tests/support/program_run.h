// Runs a built program (build/bin) as a player would, with its own environment, and keeps what it
// printed and how it ended.
#pragma once

#include <string>
#include <vector>

namespace test {

struct ProgramRun {
    int exitCode = -1;  // -1 when it did not end by itself within the time allowed
    std::string out;
    std::string err;
    double seconds = 0;
};

// `environment` entries are "NAME=value" to set a variable or "-NAME" to remove it. The program
// runs in `folder` (the current one when empty) and is stopped after `timeoutSeconds`.
ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                      const std::vector<std::string>& environment = {}, const std::string& folder = "",
                      int timeoutSeconds = 30);

}  // namespace test

// The scripted runner as a library: parses the options and the script, runs a program headless
// under the script, and returns its exit code. stalkway-replay runs WinMain with it; tests can
// run the same program with screens of their own added first.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace replay {

using Program = std::function<int(char* commandLine)>;

// argv as stalkway-replay takes it; returns the program's exit code, or 2 for a usage error.
int RunReplay(const std::vector<std::string>& arguments, const Program& program);
// The same, with programs to choose from by name (--program NAME); "stalkway" when none is named.
int RunReplay(const std::vector<std::string>& arguments, const std::map<std::string, Program>& programs);

}  // namespace replay

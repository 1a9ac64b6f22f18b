#include "support/program_run.h"

#include <sys/wait.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>

#include "support/replay_run.h"
#include "support/scratch_dir.h"

namespace fs = std::filesystem;

namespace test {
namespace {

// env(1) takes its removals before its assignments.
std::string EnvCommand(const std::vector<std::string>& environment) {
    std::string removals, assignments;
    for (const std::string& entry : environment) {
        if (entry[0] == '-') removals += " -u " + ShellQuote(entry.substr(1));
        else assignments += " " + ShellQuote(entry);
    }
    return "env" + removals + assignments;
}

}  // namespace

ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                      const std::vector<std::string>& environment, const std::string& folder, int timeoutSeconds) {
    const ScratchDir scratch;
    const fs::path output = scratch.Path();
    std::string command = (folder.empty() ? "" : "cd " + ShellQuote(folder) + " && ") + EnvCommand(environment) +
                          " timeout " + std::to_string(timeoutSeconds) + " " +
                          ShellQuote(std::string(STALKWAY_BINARY_DIR) + "/bin/" + program);
    for (const std::string& argument : arguments) command += " " + ShellQuote(argument);
    command += " >" + ShellQuote((output / "out").string()) + " 2>" + ShellQuote((output / "err").string());

    const auto start = std::chrono::steady_clock::now();
    const int status = std::system(command.c_str());
    ProgramRun run;
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    // timeout(1) ends with 124 when it had to stop the program.
    if (WIFEXITED(status) && WEXITSTATUS(status) != 124) run.exitCode = WEXITSTATUS(status);
    run.out = ReadWholeFile((output / "out").string());
    run.err = ReadWholeFile((output / "err").string());
    return run;
}

}  // namespace test

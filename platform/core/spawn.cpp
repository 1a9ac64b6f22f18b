#include "platform/core/spawn.h"

#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <thread>
#include <vector>

#include "platform/core/command_line.h"
#include "platform/api/file_names.h"

extern char** environ;

namespace platform {
namespace {

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        const char c = text[i];
        if (((c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : c) != prefix[i]) return false;
    }
    return true;
}

bool IsOpenVerb(const char* verb) {
    return verb == nullptr || (StartsWithIgnoringCase(verb, "open") && verb[4] == '\0');
}

// The child changes its folder before it starts the program, so a relative name would be looked
// up from the wrong place.
std::string Absolute(const std::string& path) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.string();
}

bool IsAddress(std::string_view file) {
    return file.find("://") != std::string_view::npos || StartsWithIgnoringCase(file, "www.");
}

bool IsExecutableFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

// A thread of its own waits for the child, so that no zombie is left behind.
void Reap(pid_t child) {
    try {
        std::thread([child] {
            int status = 0;
            while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {}
        }).detach();
    } catch (const std::system_error&) {
        // Without a thread the child stays a zombie until this process ends; it still runs.
    }
}

// The child gets a session of its own, so that it outlives this program and its terminal, and
// starts with no signals blocked or ignored.
bool Start(const std::string& program, bool searchPath, const std::vector<std::string>& arguments,
           const std::string& directory) {
    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
    posix_spawn_file_actions_init(&actions);
    posix_spawnattr_init(&attributes);
    if (!directory.empty()) posix_spawn_file_actions_addchdir_np(&actions, directory.c_str());
    sigset_t signals;
    sigemptyset(&signals);
    posix_spawnattr_setsigmask(&attributes, &signals);
    sigfillset(&signals);
    posix_spawnattr_setsigdefault(&attributes, &signals);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    pid_t child = 0;
    const int error = searchPath ? ::posix_spawnp(&child, program.c_str(), &actions, &attributes, argv.data(), environ)
                                 : ::posix_spawn(&child, program.c_str(), &actions, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) return false;
    Reap(child);
    return true;
}

}  // namespace

bool SpawnDetached(const char* verb, const char* file, const char* parameters, const char* directory) {
    if (!IsOpenVerb(verb) || file == nullptr || *file == '\0') return false;
    const std::string workingDirectory = (directory != nullptr && *directory != '\0') ? NativePath(directory)
                                                                                      : std::string();

    // xdg-open would take a bare "www." address for a file name.
    if (IsAddress(file)) {
        const std::string address = StartsWithIgnoringCase(file, "www.") ? "http://" + std::string(file)
                                                                         : std::string(file);
        return Start("xdg-open", true, {address}, workingDirectory);
    }
    const std::string path = Absolute(NativePath(file));
    if (IsExecutableFile(path)) {
        return Start(path, false, SplitCommandLine(parameters), workingDirectory);
    }
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0) return Start("xdg-open", true, {path}, workingDirectory);
    return false;
}

}  // namespace platform

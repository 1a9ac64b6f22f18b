#include "platform/core/program_names.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string_view>
#include <system_error>

namespace platform {
namespace {

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string_view LastComponent(std::string_view name) {
    const std::size_t slash = name.find_last_of("\\/");
    return slash == std::string_view::npos ? name : name.substr(slash + 1);
}

std::filesystem::path RunningProgramFolder() {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : self.parent_path();
}

}  // namespace

bool IsProgramName(const char* windowsName) {
    if (windowsName == nullptr) return false;
    const std::string_view last = LastComponent(windowsName);
    constexpr std::string_view kSuffix = ".exe";
    if (last.size() <= kSuffix.size()) return false;
    for (std::size_t i = 0; i < kSuffix.size(); ++i)
        if (Lower(last[last.size() - kSuffix.size() + i]) != kSuffix[i]) return false;
    return true;
}

std::string ProgramOf(const char* windowsName) {
    if (!IsProgramName(windowsName)) return {};
    const std::string_view last = LastComponent(windowsName);
    std::string program;
    for (char c : last.substr(0, last.size() - 4)) program += Lower(c);
    return program;
}

std::string ProgramBesideThisOne(const char* windowsName) {
    const std::string program = ProgramOf(windowsName);
    if (program.empty()) return {};
    const std::filesystem::path folder = RunningProgramFolder();
    if (folder.empty()) return {};
    const std::string path = (folder / program).string();
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode) || ::access(path.c_str(), X_OK) != 0) return {};
    return path;
}

}  // namespace platform

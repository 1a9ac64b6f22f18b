#include <string>

#include "platform/core/backend.h"
#include "platform/core/folder_options.h"
#include "platform/core/program_names.h"
#include "platform/api/shell.h"

namespace {
// ShellExecuteA's results: above 32 is success; 2 is "file not found".
constexpr std::uintptr_t kStarted = 42;
constexpr std::uintptr_t kNotFound = 2;
}  // namespace

HINSTANCE ShellExecuteA(HWND, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory, int) {
    if (file == nullptr) return reinterpret_cast<HINSTANCE>(kNotFound);
    // A program's Windows name would name nothing here: its own executable is started instead.
    std::string program;
    std::string arguments = parameters != nullptr ? parameters : "";
    if (platform::IsProgramName(file)) {
        // The family's programs keep to the same files, as they do when they are run one after another.
        arguments = platform::GivenFolderArguments() + arguments;
        if (platform::GetBackend().StartFamilyProgram(platform::ProgramOf(file), arguments))
            return reinterpret_cast<HINSTANCE>(kStarted);
        program = platform::ProgramBesideThisOne(file);
        if (program.empty()) return reinterpret_cast<HINSTANCE>(kNotFound);
        file = program.c_str();
    }
    const bool started = platform::GetBackend().Execute(verb ? verb : "open", file, arguments.c_str(),
                                                        directory ? directory : "");
    return reinterpret_cast<HINSTANCE>(started ? kStarted : kNotFound);
}

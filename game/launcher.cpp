#include "game/launcher.h"

#include <cstdint>
#include <filesystem>
#include <string>

#include "platform/api/win32.h"
#include "base/app_globals.h"

bool StartLauncher(const char* parameters) {
    if (g_szLauncherDir[0] == '\0') return false;
    const std::string launcher = std::string(g_szLauncherDir) + "\\Portico.exe";
    if (!std::filesystem::is_regular_file(platform::NativePath(launcher.c_str()))) return false;
    // ShellExecuteA reports success above 32: a launcher that is there but will not start must not
    // end the game, or the player is left with nothing.
    const HINSTANCE result = ShellExecuteA(nullptr, "open", launcher.c_str(), parameters, g_szLauncherDir,
                                           SW_SHOWNORMAL);
    return reinterpret_cast<std::uintptr_t>(result) > 32;
}

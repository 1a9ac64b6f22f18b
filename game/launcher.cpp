#include "game/launcher.h"

#include <cstdint>
#include <string>

#include "platform/api/win32.h"
#include "base/app_globals.h"

bool StartLauncher(const char* parameters) {
    if (g_szLauncherDir[0] == '\0') return false;
    const std::string launcher = std::string(g_szLauncherDir) + "\\Portico.exe";
    // ShellExecuteA reports success above 32 (the platform finds the launcher by its name): a
    // launcher that is missing or will not start must not end the game, or the player is left with
    // nothing.
    const auto result = reinterpret_cast<std::uintptr_t>(
        ShellExecuteA(nullptr, "open", launcher.c_str(), parameters, g_szLauncherDir, SW_SHOWNORMAL));
    return result > 32;
}

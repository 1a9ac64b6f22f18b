#include "game/about_page.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/api/win32.h"
#include "base/app_globals.h"
#include "services/debug_log.h"

namespace {
constexpr char kAboutPage[] = "about.html";
// ShellExecuteA's results above this value mean the document was handed on.
constexpr std::uintptr_t kLastFailure = 32;
}  // namespace

void OpenAboutPage() {
    // In the game's data folder, wherever that is.
    const std::string page = std::filesystem::absolute(platform::NativePath(kAboutPage)).string();
    const HINSTANCE result = ShellExecuteA(nullptr, "open", page.c_str(), nullptr, g_szLauncherDir, SW_SHOWNORMAL);
    if (reinterpret_cast<std::uintptr_t>(result) > kLastFailure) return;
    std::fprintf(stderr, "stalkway: no program opened the about page; it is %s\n", page.c_str());
    DebugLog("About: no program opened %s\n", page.c_str());
}

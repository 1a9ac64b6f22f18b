#include "shell/display_settings.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/app_globals.h"
#include "platform/api/qz.h"
#include "platform/api/stored_files.h"
#include "platform/api/win32.h"
#include "services/debug_log.h"

namespace {

constexpr char kFile[] = ".\\setup.ini";
constexpr char kSection[] = "video";

std::string g_scaleOption;
std::string g_filterOption;
int g_width = 0;
int g_height = 0;
bool g_applied = false;
bool g_changed = false;

std::string ReadSetting(const char* section, const char* key) {
    char value[64];
    GetPrivateProfileStringA(section, key, "", value, sizeof value, kFile);
    return value;
}

// An unknown name keeps the default, and says so once on the standard error, where a player who
// typed it looks, and in the debug log and output.
void Apply(const char* what, const std::string& option, const char* key, int (*set)(const char*)) {
    const std::string name = option.empty() ? ReadSetting(kSection, key) : option;
    if (name.empty() || set(name.c_str()) != 0) return;
    const std::string line = std::string("unknown ") + what + " '" + name + "': the default is used";
    std::fprintf(stderr, "stalkway: %s\n", line.c_str());
    DebugLog("%s\n", line.c_str());
    OutputDebugStringA(line.c_str());
}

bool WriteNumber(const char* section, const char* key, int value) {
    return WritePrivateProfileStringA(section, key, std::to_string(value).c_str(), kFile) != FALSE;
}

// The window is gone by now: the player hears of it where the program's own messages go.
void SayNotSaved() {
    const char line[] = "setup.ini could not be saved: the window's size and full screen stay as they were";
    std::fprintf(stderr, "stalkway: %s\n", line);
    DebugLog("%s\n", line);
    OutputDebugStringA(line);
}

}  // namespace

void SetDisplayOptions(const std::string& scale, const std::string& filter) {
    g_scaleOption = scale;
    g_filterOption = filter;
}

void ApplyDisplaySettings() {
    Apply("scale", g_scaleOption, "scale", QZSetScaleMode);
    Apply("filter", g_filterOption, "filter", QZSetScaleFilter);
    g_width = std::atoi(ReadSetting(kSection, "width").c_str());
    g_height = std::atoi(ReadSetting(kSection, "height").c_str());
    QZSetWindowSize(g_width, g_height);
    g_applied = true;
}

void NoteWindowSize(int width, int height) {
    // The window's first size is the program's own, not the player's choice.
    if (!g_applied || (width == g_width && height == g_height)) return;
    g_width = width;
    g_height = height;
    g_changed = true;
}

void NoteFullScreen(int on) {
    if (on == g_nFullScreen) return;
    g_nFullScreen = on;
    g_changed = true;
}

void SaveDisplaySettings() {
    if (!g_changed) return;
    bool saved = WriteNumber("setup", "fullscreen", g_nFullScreen);
    if (g_width > 0 && g_height > 0) {
        const std::string width = std::to_string(g_width), height = std::to_string(g_height);
        const LPCSTR keys[] = {"width", "height"};
        const LPCSTR values[] = {width.c_str(), height.c_str()};
        saved = WritePrivateProfileKeysA(kSection, keys, values, 2, kFile) != FALSE && saved;
    }
    g_changed = false;
    if (!saved) SayNotSaved();
}

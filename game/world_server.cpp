#include "game/world_server.h"

#include "platform/api/web_requests.h"
#include "platform/api/win32.h"

std::string g_worldServerChoice;

std::string WorldServer() {
    if (!g_worldServerChoice.empty()) return g_worldServerChoice;
    char value[512];
    GetPrivateProfileStringA("world", "server", "", value, sizeof value, ".\\setup.ini");
    if (value[0] != '\0') return value;
    return platform::HomeServer();
}

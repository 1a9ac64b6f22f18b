#include "platform/web/page_keys.h"

#include "platform/api/qz.h"
#include "platform/api/user.h"
#include "platform/core/input.h"

namespace platform::web {
namespace {

// A keyboard event's location: which of a pair of keys was used.
constexpr int kRight = 2;
constexpr int kAnywhere = -1;

struct SpecialKey {
    int keyCode;
    int location;
    int vk;
    int dik;
};

// The page's codes for these keys are the virtual-key codes already, except for the pairs, which
// the program tells apart by their scan codes.
constexpr SpecialKey kSpecialKeys[] = {
    {27, kAnywhere, VK_ESCAPE, DIK_ESCAPE},    {13, kAnywhere, VK_RETURN, DIK_RETURN},
    {32, kAnywhere, VK_SPACE, DIK_SPACE},      {8, kAnywhere, VK_BACK, DIK_BACK},
    {9, kAnywhere, VK_TAB, DIK_TAB},           {16, kRight, VK_RSHIFT, DIK_RSHIFT},
    {16, kAnywhere, VK_LSHIFT, DIK_LSHIFT},    {17, kRight, VK_CONTROL, DIK_RCONTROL},
    {17, kAnywhere, VK_CONTROL, DIK_LCONTROL}, {18, kRight, VK_MENU, DIK_RMENU},
    {18, kAnywhere, VK_MENU, DIK_LMENU},       {37, kAnywhere, VK_LEFT, DIK_LEFT},
    {39, kAnywhere, VK_RIGHT, DIK_RIGHT},      {38, kAnywhere, VK_UP, DIK_UP},
    {40, kAnywhere, VK_DOWN, DIK_DOWN},
};

int PlainVirtualKey(int keyCode) {
    if (keyCode >= 'A' && keyCode <= 'Z') return keyCode;
    if (keyCode >= '0' && keyCode <= '9') return keyCode;
    if (keyCode >= VK_F1 && keyCode < VK_F1 + 12) return keyCode;
    return 0;
}

}  // namespace

ProgramKey KeyFromPage(int keyCode, int location) {
    for (const SpecialKey& k : kSpecialKeys)
        if (k.keyCode == keyCode && (k.location == kAnywhere || k.location == location)) return ProgramKey{k.vk, k.dik};
    const int vk = PlainVirtualKey(keyCode);
    return ProgramKey{vk, vk != 0 ? input::ScanCodeForVirtualKey(vk) : 0};
}

}  // namespace platform::web

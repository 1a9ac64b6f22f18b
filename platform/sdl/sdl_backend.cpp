// The SDL2 backend: a real window, real time, and SDL's events turned into window messages.
#include <SDL.h>

#include <memory>

#include "platform/core/input.h"
#include "platform/core/real_clock.h"
#include "platform/core/spawn.h"
#include "platform/core/windowing.h"
#include "platform/api/qz.h"
#include "platform/sdl/sdl_audio.h"
#include "platform/sdl/sdl_display.h"
#include "platform/api/user.h"

namespace platform::sdl {
namespace {

// Keys whose virtual-key code is not their SDL key's character.
struct SpecialKey {
    SDL_Scancode scancode;
    int vk;
    int dik;
};

constexpr SpecialKey kSpecialKeys[] = {
    {SDL_SCANCODE_ESCAPE, VK_ESCAPE, DIK_ESCAPE},
    {SDL_SCANCODE_RETURN, VK_RETURN, DIK_RETURN},
    {SDL_SCANCODE_SPACE, VK_SPACE, DIK_SPACE},
    {SDL_SCANCODE_BACKSPACE, VK_BACK, DIK_BACK},
    {SDL_SCANCODE_TAB, VK_TAB, DIK_TAB},
    {SDL_SCANCODE_LSHIFT, VK_LSHIFT, DIK_LSHIFT},
    {SDL_SCANCODE_RSHIFT, VK_RSHIFT, DIK_RSHIFT},
    {SDL_SCANCODE_LCTRL, VK_CONTROL, DIK_LCONTROL},
    {SDL_SCANCODE_RCTRL, VK_CONTROL, DIK_RCONTROL},
    {SDL_SCANCODE_LALT, VK_MENU, DIK_LMENU},
    {SDL_SCANCODE_RALT, VK_MENU, DIK_RMENU},
    {SDL_SCANCODE_LEFT, VK_LEFT, DIK_LEFT},
    {SDL_SCANCODE_RIGHT, VK_RIGHT, DIK_RIGHT},
    {SDL_SCANCODE_UP, VK_UP, DIK_UP},
    {SDL_SCANCODE_DOWN, VK_DOWN, DIK_DOWN},
};

int VirtualKeyFor(SDL_Scancode code) {
    if (code >= SDL_SCANCODE_A && code <= SDL_SCANCODE_Z) return 'A' + (code - SDL_SCANCODE_A);
    if (code >= SDL_SCANCODE_1 && code <= SDL_SCANCODE_9) return '1' + (code - SDL_SCANCODE_1);
    if (code == SDL_SCANCODE_0) return '0';
    if (code >= SDL_SCANCODE_F1 && code <= SDL_SCANCODE_F12) return VK_F1 + (code - SDL_SCANCODE_F1);
    for (const SpecialKey& k : kSpecialKeys)
        if (k.scancode == code) return k.vk;
    return 0;
}

int ScanCodeFor(SDL_Scancode code, int vk) {
    for (const SpecialKey& k : kSpecialKeys)
        if (k.scancode == code) return k.dik;
    return input::ScanCodeForVirtualKey(vk);
}

class SdlBackend : public Backend {
public:
    SdlBackend() : clock_(MakeRealClock()) {}

    Clock& GetClock() override { return *clock_; }
    // The desktop is reported as High Color whatever the real one is: the picture is converted
    // when it is shown.
    int DesktopBitsPerPixel() override { return 16; }
    void DesktopSize(int* width, int* height) override {
        SDL_DisplayMode mode;
        if (SDL_WasInit(SDL_INIT_VIDEO) && SDL_GetDesktopDisplayMode(0, &mode) == 0) {
            *width = mode.w;
            *height = mode.h;
        } else {
            *width = 1024;
            *height = 768;
        }
    }
    bool CreateNativeWindow(const char* title, int width, int height, bool) override {
        return display_.CreateWindow(title, width, height);
    }
    void SetNativeTitle(const char* title) override { display_.SetTitle(title); }
    void DestroyNativeWindow() override { display_.DestroyWindow(); }
    bool OpenDisplay(bool fullscreen, int, int, std::string* error) override {
        return display_.Open(fullscreen, error);
    }
    void Present(const Picture& picture) override { display_.Present(picture); }
    void CloseDisplay() override { display_.Close(); }
    void PumpEvents() override;
    void ShowMessageBox(const char* text, const char* caption) override {
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, caption, text, display_.Window());
    }
    bool Execute(const char* verb, const char* file, const char* parameters, const char* directory) override {
        return SpawnDetached(verb, file, parameters, directory);
    }
    bool OpenAudio(AudioSource* source, AudioDeviceInfo* info) override { return audio_.Open(source, info); }
    bool StartAudio() override { return audio_.Start(); }
    void StopAudio() override { audio_.Stop(); }
    void CloseAudio() override { audio_.Close(); }
    void DebugOutput(const char*) override {}
    void Trace(const char*) override {}

private:
    void OnWindowEvent(const SDL_WindowEvent& e);
    void OnKey(const SDL_KeyboardEvent& e);
    void OnText(const char* utf8);
    void OnButton(const SDL_MouseButtonEvent& e);

    std::unique_ptr<Clock> clock_;
    Display display_;
    Audio audio_;
};

void SdlBackend::PumpEvents() {
    if (!SDL_WasInit(SDL_INIT_VIDEO)) return;
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
        switch (e.type) {
        case SDL_QUIT: PostToMainWindow(WM_CLOSE, 0, 0); break;
        case SDL_WINDOWEVENT: OnWindowEvent(e.window); break;
        case SDL_KEYDOWN:
        case SDL_KEYUP: OnKey(e.key); break;
        case SDL_TEXTINPUT: OnText(e.text.text); break;
        case SDL_MOUSEMOTION: {
            const SDL_Point p = display_.ToPicture(e.motion.x, e.motion.y);
            input::MouseMoveEvent(p.x, p.y);
            break;
        }
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: OnButton(e.button); break;
        default: break;
        }
    }
}

void SdlBackend::OnWindowEvent(const SDL_WindowEvent& e) {
    switch (e.event) {
    case SDL_WINDOWEVENT_CLOSE: PostToMainWindow(WM_CLOSE, 0, 0); break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        PostToMainWindow(WM_ACTIVATEAPP, TRUE, 0);
        PostToMainWindow(WM_ACTIVATE, WA_ACTIVE, 0);
        break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
        input::ReleaseAll();
        PostToMainWindow(WM_ACTIVATE, WA_INACTIVE, 0);
        PostToMainWindow(WM_ACTIVATEAPP, FALSE, 0);
        break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_RESTORED: display_.Refresh(); break;
    default: break;
    }
}

// Typed text arrives as UTF-8; the program takes characters of its 8-bit code page, whose upper
// half is Latin-1 for every letter a name needs. Anything beyond it is dropped.
void SdlBackend::OnText(const char* utf8) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(utf8);
    for (std::size_t i = 0; bytes[i] != 0;) {
        unsigned code = bytes[i];
        int length = 1;
        if (code >= 0xF0) length = 4, code &= 0x07;
        else if (code >= 0xE0) length = 3, code &= 0x0F;
        else if (code >= 0xC0) length = 2, code &= 0x1F;
        for (int k = 1; k < length && bytes[i + k] != 0; ++k) code = (code << 6) | (bytes[i + k] & 0x3F);
        for (int k = 0; k < length && bytes[i] != 0; ++k) ++i;
        if (code >= 0x20 && code < 0x100 && code != 0x7F) input::CharEvent(static_cast<unsigned char>(code));
    }
}

void SdlBackend::OnKey(const SDL_KeyboardEvent& e) {
    if (e.repeat) return;
    const bool down = e.type == SDL_KEYDOWN;
    // Alt+Enter switches between the window and the whole screen, as players of old games expect.
    if (down && e.keysym.scancode == SDL_SCANCODE_RETURN && (e.keysym.mod & KMOD_ALT)) {
        display_.ToggleFullscreen();
        return;
    }
    const int vk = VirtualKeyFor(e.keysym.scancode);
    if (vk != 0) input::KeyEvent(ScanCodeFor(e.keysym.scancode, vk), vk, down);
}

void SdlBackend::OnButton(const SDL_MouseButtonEvent& e) {
    const int button = e.button == SDL_BUTTON_LEFT    ? input::kLeftButton
                       : e.button == SDL_BUTTON_RIGHT ? input::kRightButton
                                                      : 0;
    if (button == 0) return;
    const SDL_Point p = display_.ToPicture(e.x, e.y);
    const POINT cursor = input::CursorPosition();
    if (cursor.x != p.x || cursor.y != p.y) input::MouseMoveEvent(p.x, p.y);
    input::ButtonEvent(button, e.type == SDL_MOUSEBUTTONDOWN);
}

}  // namespace
}  // namespace platform::sdl

namespace platform {
Backend& GetBackend() {
    static sdl::SdlBackend backend;
    return backend;
}
}  // namespace platform

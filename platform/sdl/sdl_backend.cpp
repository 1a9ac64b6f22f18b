// The SDL2 backend: a real window, real time, and SDL's events turned into window messages.
#include <SDL.h>

#include <map>
#include <memory>

#include "platform/core/input.h"
#include "platform/core/real_clock.h"
#include "platform/core/spawn.h"
#include "platform/core/windowing.h"
#include "platform/api/qz.h"
#include "platform/sdl/sdl_audio.h"
#include "platform/sdl/event_gate.h"
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

constexpr struct {
    SDL_GameControllerButton button;
    int vk;
} kPadButtons[] = {
    {SDL_CONTROLLER_BUTTON_A, VK_GAMEPAD_A},
    {SDL_CONTROLLER_BUTTON_B, VK_GAMEPAD_B},
    {SDL_CONTROLLER_BUTTON_X, VK_GAMEPAD_X},
    {SDL_CONTROLLER_BUTTON_Y, VK_GAMEPAD_Y},
    {SDL_CONTROLLER_BUTTON_START, VK_GAMEPAD_MENU},
    {SDL_CONTROLLER_BUTTON_BACK, VK_GAMEPAD_VIEW},
    {SDL_CONTROLLER_BUTTON_DPAD_UP, VK_GAMEPAD_DPAD_UP},
    {SDL_CONTROLLER_BUTTON_DPAD_DOWN, VK_GAMEPAD_DPAD_DOWN},
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, VK_GAMEPAD_DPAD_LEFT},
    {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, VK_GAMEPAD_DPAD_RIGHT},
};

// A stick counts as pushed past 16000 of 32767 and as back only under 8000, so that a hand resting
// near the edge of the dead zone does not push it again and again.
constexpr int kStickPush = 16000;
constexpr int kStickRelease = 8000;

int StickDirection(int value, int was) {
    if (value >= kStickPush || (was > 0 && value >= kStickRelease)) return 1;
    if (value <= -kStickPush || (was < 0 && value <= -kStickRelease)) return -1;
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
        if (!display_.CreateWindow(title, width, height)) return false;
        gate_.Attach(display_.Window());
        // A pad is welcome but never needed: without the subsystem the keyboard and pointer remain.
        SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER);
        return true;
    }
    void SetNativeTitle(const char* title) override { display_.SetTitle(title); }
    void DestroyNativeWindow() override {
        ClosePads();
        gate_.Detach();
        display_.DestroyWindow();
    }
    bool OpenDisplay(bool fullscreen, int, int, std::string* error) override {
        return display_.Open(fullscreen, error);
    }
    void Present(const Picture& picture) override { display_.Present(picture); }
    void CloseDisplay() override { display_.Close(); }
    void SetScaling(ScaleMode mode, ScaleFilter filter) override { display_.SetScaling(mode, filter); }
    void SetWindowSize(int width, int height) override { display_.SetWindowSize(width, height); }
    bool ToggleFullscreen() override { return display_.ToggleFullscreen(); }
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
    void Dispatch(const SDL_Event& e);
    void OnWindowEvent(const SDL_WindowEvent& e);
    void OnKey(const SDL_KeyboardEvent& e);
    void OnText(const char* utf8);
    void OnButton(const SDL_MouseButtonEvent& e);
    void OnPadAdded(int index);
    void OnPadRemoved(SDL_JoystickID id);
    void OnPadAxis(const SDL_ControllerAxisEvent& e);
    void MoveStick(SDL_JoystickID id, bool horizontal, int value);
    void ClosePads();

    struct Stick {
        int x = 0;
        int y = 0;
    };

    std::unique_ptr<Clock> clock_;
    Display display_;
    Audio audio_;
    EventGate gate_;
    std::map<SDL_JoystickID, SDL_GameController*> pads_;
    std::map<SDL_JoystickID, Stick> sticks_;
};

void SdlBackend::PumpEvents() {
    if (!SDL_WasInit(SDL_INIT_VIDEO)) return;
    if (gate_.MustPump(!pads_.empty())) {
        SDL_PumpEvents();
        gate_.Pumped();
    }
    // SDL also queues events of its own between pumps, when the window changes for instance.
    SDL_Event e;
    while (SDL_PeepEvents(&e, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0) Dispatch(e);
}

void SdlBackend::Dispatch(const SDL_Event& e) {
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
    case SDL_CONTROLLERDEVICEADDED: OnPadAdded(e.cdevice.which); break;
    case SDL_CONTROLLERDEVICEREMOVED: OnPadRemoved(e.cdevice.which); break;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
        for (const auto& b : kPadButtons)
            if (b.button == e.cbutton.button) input::KeyEvent(0, b.vk, e.type == SDL_CONTROLLERBUTTONDOWN);
        break;
    case SDL_CONTROLLERAXISMOTION: OnPadAxis(e.caxis); break;
    default: break;
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
        display_.Refresh();
        // The program keeps the size it had out of full screen for the next start.
        if (!display_.IsFullscreen()) PostToMainWindow(WM_SIZE, SIZE_RESTORED, MAKELPARAM(e.data1, e.data2));
        break;
    case SDL_WINDOWEVENT_SHOWN:
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_MOVED:
    case SDL_WINDOWEVENT_DISPLAY_CHANGED:
    case SDL_WINDOWEVENT_MAXIMIZED:
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
    const bool down = e.type == SDL_KEYDOWN;
    const int vk = VirtualKeyFor(e.keysym.scancode);
    if (vk == 0) return;
    if (e.repeat) input::KeyRepeatEvent(ScanCodeFor(e.keysym.scancode, vk), vk);
    else input::KeyEvent(ScanCodeFor(e.keysym.scancode, vk), vk, down);
}

void SdlBackend::OnPadAdded(int index) {
    SDL_GameController* pad = SDL_GameControllerOpen(index);
    if (pad == nullptr) return;
    const SDL_JoystickID id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pad));
    if (pads_.count(id) != 0) return SDL_GameControllerClose(pad);
    pads_[id] = pad;
}

void SdlBackend::OnPadRemoved(SDL_JoystickID id) {
    const auto pad = pads_.find(id);
    if (pad == pads_.end()) return;
    // A pad pulled out while a direction was held lets go of it.
    MoveStick(id, true, 0);
    MoveStick(id, false, 0);
    SDL_GameControllerClose(pad->second);
    pads_.erase(pad);
    sticks_.erase(id);
}

// The left stick as four keys: one press per push out of the dead zone, one release on return.
void SdlBackend::OnPadAxis(const SDL_ControllerAxisEvent& e) {
    if (e.axis == SDL_CONTROLLER_AXIS_LEFTX || e.axis == SDL_CONTROLLER_AXIS_LEFTY)
        MoveStick(e.which, e.axis == SDL_CONTROLLER_AXIS_LEFTX, e.value);
}

void SdlBackend::MoveStick(SDL_JoystickID id, bool horizontal, int value) {
    int& was = horizontal ? sticks_[id].x : sticks_[id].y;
    const int now = StickDirection(value, was);
    if (now == was) return;
    const int negative = horizontal ? VK_GAMEPAD_LEFT_THUMBSTICK_LEFT : VK_GAMEPAD_LEFT_THUMBSTICK_UP;
    const int positive = horizontal ? VK_GAMEPAD_LEFT_THUMBSTICK_RIGHT : VK_GAMEPAD_LEFT_THUMBSTICK_DOWN;
    if (was != 0) input::KeyEvent(0, was < 0 ? negative : positive, false);
    if (now != 0) input::KeyEvent(0, now < 0 ? negative : positive, true);
    was = now;
}

void SdlBackend::ClosePads() {
    for (const auto& pad : pads_) SDL_GameControllerClose(pad.second);
    pads_.clear();
    sticks_.clear();
    if (SDL_WasInit(SDL_INIT_GAMECONTROLLER)) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
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

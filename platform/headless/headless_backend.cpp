// The headless backend: presents into memory, records message boxes and program starts instead of
// showing or running them, and keeps virtual time.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/core/file_faults.h"
#include "platform/core/input.h"
#include "platform/core/windowing.h"
#include "platform/headless/headless.h"
#include "platform/headless/headless_audio.h"
#include "platform/headless/virtual_clock.h"
#include "platform/api/user.h"

namespace platform::headless {
namespace {

class HeadlessBackend : public Backend {
public:
    Clock& GetClock() override { return clock; }
    int DesktopBitsPerPixel() override { return desktopBits; }
    void DesktopSize(int* width, int* height) override {
        *width = 1024;
        *height = 768;
    }
    bool CreateNativeWindow(const char* title, int, int, bool) override {
        this->title = title;
        return true;
    }
    void SetNativeTitle(const char* title) override { this->title = title; }
    void DestroyNativeWindow() override {}
    bool OpenDisplay(bool fullscreen, int, int, std::string*) override {
        this->fullscreen = fullscreen;
        return true;
    }
    void CloseDisplay() override {}
    bool ToggleFullscreen() override {
        fullscreen = !fullscreen;
        return fullscreen;
    }
    void PumpEvents() override {}

    void Present(const Picture& picture) override {
        const bool sameSize = presented.pixels != nullptr && presented.width == picture.width &&
                              presented.height == picture.height;
        pixels.resize(static_cast<size_t>(picture.width) * picture.height);
        if (sameSize && picture.changed != nullptr) {
            for (const RECT& area : *picture.changed) Keep(picture, area);
        } else {
            Keep(picture, RECT{0, 0, picture.width, picture.height});
        }
        presented = Picture{pixels.data(), picture.width, picture.width, picture.height, picture.layout};
        ++presentCount;
        if (driver != nullptr) driver->AfterPresent();
    }

    // Copies an area of the picture into the kept one.
    void Keep(const Picture& picture, const RECT& area) {
        const LONG left = std::max<LONG>(area.left, 0);
        const LONG right = std::min<LONG>(area.right, picture.width);
        for (LONG y = std::max<LONG>(area.top, 0); y < std::min<LONG>(area.bottom, picture.height); ++y) {
            if (left >= right) break;
            std::copy_n(picture.pixels + static_cast<size_t>(y) * picture.pitch + left, right - left,
                        pixels.begin() + static_cast<std::ptrdiff_t>(y) * picture.width + left);
        }
    }

    void ShowMessageBox(const char* text, const char* caption) override {
        if (driver != nullptr) driver->OnMessageBox(text, caption);
    }

    bool Execute(const char* verb, const char* file, const char* parameters, const char* directory) override {
        if (driver != nullptr) driver->OnShellExecute(verb, file, parameters, directory);
        return !programsFail;
    }

    bool OpenAudio(AudioSource* source, AudioDeviceInfo* info) override { return audio.Open(source, info); }
    bool StartAudio() override { return audio.Start(); }
    void StopAudio() override { audio.Stop(); }
    void CloseAudio() override { audio.Close(); }
    bool AudioHeard() override { return audio.Heard(); }

    void DebugOutput(const char* text) override {
        if (driver != nullptr) driver->OnDebugString(text);
    }

    void Trace(const char* event) override { trace.emplace_back(event); }

    HeadlessAudio audio;
    VirtualClock clock{&audio};
    Driver* driver = nullptr;
    int desktopBits = 16;
    bool programsFail = false;
    bool fullscreen = false;
    std::string title;
    std::vector<std::uint16_t> pixels;
    Picture presented{nullptr, 0, 0, 0, PixelLayout::Rgb565};
    std::uint64_t presentCount = 0;
    std::vector<std::string> trace;
};

HeadlessBackend& Instance() {
    static HeadlessBackend backend;
    return backend;
}

}  // namespace

void Reset() {
    HeadlessBackend& b = Instance();
    ResetWindowing();
    input::Reset();
    faults::Clear();
    b.clock.Reset();
    b.audio.Reset();
    b.driver = nullptr;
    b.desktopBits = 16;
    b.programsFail = false;
    b.fullscreen = false;
    b.title.clear();
    b.pixels.clear();
    b.presented = Picture{nullptr, 0, 0, 0, PixelLayout::Rgb565};
    b.presentCount = 0;
    b.trace.clear();
}

void SetDriver(Driver* driver) {
    Instance().driver = driver;
    Instance().clock.SetDriver(driver);
}

void SetDesktopBits(int bits) { Instance().desktopBits = bits; }
void SetTimeOfDay(std::int64_t unixSeconds) { Instance().clock.SetTimeOfDay(unixSeconds); }
void AdvanceTick() { Instance().clock.AdvanceTime(); }
std::uint64_t TicksRun() { return Instance().clock.CurrentTick(); }

void MouseMove(int x, int y) { input::MouseMoveEvent(x, y); }
void MouseButton(int button, bool down) { input::ButtonEvent(button, down); }
void Key(int virtualKey, bool down) { input::KeyEvent(input::ScanCodeForVirtualKey(virtualKey), virtualKey, down); }

void TypeCharacter(unsigned char character) {
    int virtualKey = 0;
    if (character >= 'a' && character <= 'z') virtualKey = character - 'a' + 'A';
    if ((character >= 'A' && character <= 'Z') || (character >= '0' && character <= '9')) virtualKey = character;
    if (character == ' ') virtualKey = VK_SPACE;
    if (virtualKey != 0) Key(virtualKey, true);
    input::CharEvent(character);
    if (virtualKey != 0) Key(virtualKey, false);
}

void SetActive(bool active) {
    if (!active) input::ReleaseAll();
    PostToMainWindow(WM_ACTIVATEAPP, active ? TRUE : FALSE, 0);
    PostToMainWindow(WM_ACTIVATE, active ? WA_ACTIVE : WA_INACTIVE, 0);
}

void CloseBox() { PostToMainWindow(WM_CLOSE, 0, 0); }

bool HasPicture() { return Instance().presentCount > 0; }
Picture LastPicture() { return Instance().presented; }
std::uint64_t PresentCount() { return Instance().presentCount; }
const std::vector<std::string>& Trace() { return Instance().trace; }
std::string WindowTitle() { return Instance().title; }
void SetAudioDevice(const AudioDevice& device) { Instance().audio.Configure(device); }
void CaptureAudio(bool on) { Instance().audio.Capture(on); }
const std::vector<std::int16_t>& CapturedAudio() { return Instance().audio.Captured(); }
void FailTimers(bool fail) { Instance().clock.SetTimersFail(fail); }
void FailWrites(bool fail) { faults::FailWrites(fail); }
void FailPrograms(bool fail) { Instance().programsFail = fail; }
void HideFile(const std::string& name) { faults::HideFile(name); }
void ClearTrace() { Instance().trace.clear(); }

}  // namespace platform::headless

namespace platform {
Backend& GetBackend() { return headless::Instance(); }
}  // namespace platform

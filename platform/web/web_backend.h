// The browser backend: main runs on a worker, real time; the page's thread draws the frames, sends
// the input and plays the sound through the functions of page_exports.cpp, which reach this
// backend's parts without ever waiting on the program.
#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "platform/core/backend.h"
#include "platform/web/frame_buffers.h"
#include "platform/web/page_events.h"
#include "platform/web/page_typing.h"
#include "platform/web/picture_fit.h"
#include "platform/web/web_audio.h"

namespace platform::web {

// A program of the family that the running one asked to start (backend.h, StartFamilyProgram).
struct StartRequest {
    std::string program;
    std::string arguments;
};

class WebBackend : public Backend {
public:
    WebBackend();

    Clock& GetClock() override { return *clock_; }
    // As on the desktop, the program sees High Color: the page converts what it shows.
    int DesktopBitsPerPixel() override { return 16; }
    void DesktopSize(int* width, int* height) override;
    bool CreateNativeWindow(const char* title, int width, int height, bool fullscreen) override;
    void SetNativeTitle(const char* title) override;
    void DestroyNativeWindow() override {}
    bool OpenDisplay(bool, int, int, std::string*) override { return true; }
    void Present(const Picture& picture) override { frames_.Present(picture); }
    void CloseDisplay() override {}
    // The page sizes the canvas itself (and the browser offers its own full screen): Alt+Enter
    // leaves the mode as it is.
    bool ToggleFullscreen() override { return false; }
    void PumpEvents() override { ApplyPageEvents(events_); }
    void ShowMessageBox(const char* text, const char* caption) override;
    bool Execute(const char* verb, const char* file, const char* parameters, const char* directory) override;
    // Both programs are in this one module: the page runs the next when this one has ended.
    bool StartFamilyProgram(const std::string& program, const std::string& arguments) override;
    std::optional<StartRequest> TakeStartRequest();
    bool OpenAudio(AudioSource* source, AudioDeviceInfo* info) override { return audio_.Open(source, info); }
    bool StartAudio() override { return audio_.Start(); }
    void StopAudio() override { audio_.Stop(); }
    void CloseAudio() override { audio_.Close(); }
    bool AudioHeard() override { return audio_.Heard(); }
    bool Persist(const std::string& written, const std::string& storedPath) override;
    bool HoldStores() override;
    void ReleaseStores() override;
    bool OfferToPlayer(const std::string& nativePath) override;
    void TypingChanged(const TypingState& state) override { typing_.Publish(state); }
    void DebugOutput(const char*) override {}
    void Trace(const char*) override {}

    // The page's side.
    FrameBuffers& Frames() { return frames_; }
    PageEventRing& Events() { return events_; }
    WebAudio& Audio() { return audio_; }
    const PageTyping& Typing() const { return typing_; }
    // The play area's size in the page, and where the picture sits in it.
    Placement Place(int areaWidth, int areaHeight);
    Placement CurrentPlacement() const;

private:
    std::unique_ptr<Clock> clock_;
    FrameBuffers frames_;
    PageEventRing events_;
    WebAudio audio_;
    PageTyping typing_;
    std::atomic<int> pictureWidth_{800};
    std::atomic<int> pictureHeight_{600};
    Placement placement_{0, 0, 800, 600};  // the page's thread only
    std::mutex startMutex_;
    std::optional<StartRequest> start_;
};

WebBackend& Instance();

}  // namespace platform::web

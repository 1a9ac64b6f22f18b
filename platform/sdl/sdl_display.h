// The SDL window and the scaled picture inside it. The picture is scaled on the processor into the
// window's own surface, and only what changed is scaled and sent: a still game costs nothing to
// show, at any window size.
#pragma once

#include <SDL.h>

#include <string>
#include <vector>

#include "platform/core/backend.h"
#include "platform/core/picture_scaler.h"
#include "platform/core/picture_transform.h"

namespace platform::sdl {

class Display {
public:
    bool CreateWindow(const char* title, int width, int height);
    void SetTitle(const char* title);
    void DestroyWindow();
    bool Open(bool fullscreen, std::string* error);
    void Close();
    void Present(const Picture& picture);
    void SetScaling(ScaleMode mode, ScaleFilter filter);
    void SetWindowSize(int width, int height);
    // Switches into or out of full screen; returns whether the window now fills the screen.
    bool ToggleFullscreen();
    bool IsFullscreen() const;
    // Shows the whole last picture again, after the window was resized, uncovered or switched.
    void Refresh();
    // A window position as a picture position, clamped to the picture's edge over the bars.
    SDL_Point ToPicture(int windowX, int windowY) const;
    SDL_Window* Window() const { return window_; }

private:
    void SetFullscreen(bool on);
    // The window's surface and where the picture lies in it; false when there is none.
    bool PrepareOutput();
    void DrawWhole();
    void DrawAreas(const std::vector<RECT>& areas);
    void ScaleInto(SDL_Surface* surface, const RECT& out);
    void KeepArea(const Picture& picture, const RECT& area);

    SDL_Window* window_ = nullptr;
    SDL_Surface* staging_ = nullptr;  // for a window surface that is not 32-bit 0x00RRGGBB
    ScaleMode mode_ = ScaleMode::Fit;
    ScaleFilter filter_ = ScaleFilter::Sharp;
    Placement placement_{0, 0, 800, 600};
    PictureScaler scaler_;
    int outputWidth_ = 0;
    int outputHeight_ = 0;
    bool configured_ = false;  // scaler_ follows placement_, filter_ and the picture's size
    bool open_ = false;
    bool stale_ = true;  // the window shows something else than shown_: draw all of it next
    PixelLayout layout_ = PixelLayout::Rgb565;
    int pictureWidth_ = 800;
    int pictureHeight_ = 600;
    std::vector<std::uint16_t> shown_;  // the picture on screen, to skip presenting it again
};

}  // namespace platform::sdl

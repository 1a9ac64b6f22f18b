// The SDL window and the scaled picture inside it.
#pragma once

#include <SDL.h>

#include <string>
#include <vector>

#include "platform/core/backend.h"

namespace platform::sdl {

class Display {
public:
    bool CreateWindow(const char* title, int width, int height);
    void SetTitle(const char* title);
    void DestroyWindow();
    bool Open(bool fullscreen, std::string* error);
    void Close();
    void Present(const Picture& picture);
    // Returns true when the window now fills the screen.
    bool ToggleFullscreen();
    // Shows the last picture again, after the window was resized or uncovered.
    void Refresh();
    // A window position as a picture position, clamped to the picture's edge over the bars.
    SDL_Point ToPicture(int windowX, int windowY) const;
    SDL_Window* Window() const { return window_; }

private:
    SDL_Rect PictureRect(int outputWidth, int outputHeight) const;
    bool EnsureTexture(PixelLayout layout, int width, int height);
    bool SameArea(const Picture& picture, const RECT& area) const;
    void KeepArea(const Picture& picture, const RECT& area);
    void Draw();

    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    PixelLayout textureLayout_ = PixelLayout::Rgb565;
    int pictureWidth_ = 800;
    int pictureHeight_ = 600;
    std::vector<std::uint16_t> shown_;  // the picture on screen, to skip presenting it again
};

}  // namespace platform::sdl

#include "platform/sdl/sdl_display.h"

#include <algorithm>
#include <cstring>

#include "platform/sdl/window_icon.h"

namespace platform::sdl {

bool Display::CreateWindow(const char* title, int width, int height) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
    pictureWidth_ = width;
    pictureHeight_ = height;
    window_ = SDL_CreateWindow(title, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height,
                               SDL_WINDOW_RESIZABLE);
    if (window_ == nullptr) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return false;
    }
    SDL_SetWindowMinimumSize(window_, width / 4, height / 4);
    ShowWindowIcon(window_);
    return true;
}

void Display::SetTitle(const char* title) {
    if (window_ != nullptr) SDL_SetWindowTitle(window_, title);
}

void Display::DestroyWindow() {
    Close();
    if (window_ == nullptr) return;
    SDL_DestroyWindow(window_);
    window_ = nullptr;
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

bool Display::Open(bool fullscreen, std::string* error) {
    Close();
    if (window_ == nullptr) {
        *error = "There is no window to show the game in.";
        return false;
    }
    // No vertical sync: the game paces itself at 100 frames a second, which a 60 Hz wait would break.
    renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_ACCELERATED);
    if (renderer_ == nullptr) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
    if (renderer_ == nullptr) {
        *error = std::string("The display could not be opened: ") + SDL_GetError();
        return false;
    }
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
    if (fullscreen) SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP);
    return true;
}

void Display::Close() {
    if (texture_ != nullptr) SDL_DestroyTexture(texture_);
    if (renderer_ != nullptr) SDL_DestroyRenderer(renderer_);
    texture_ = nullptr;
    renderer_ = nullptr;
    shown_.clear();
}

bool Display::EnsureTexture(PixelLayout layout, int width, int height) {
    if (texture_ != nullptr && layout == textureLayout_ && width == pictureWidth_ && height == pictureHeight_)
        return true;
    if (texture_ != nullptr) SDL_DestroyTexture(texture_);
    const Uint32 format = layout == PixelLayout::Rgb565 ? SDL_PIXELFORMAT_RGB565 : SDL_PIXELFORMAT_RGB555;
    texture_ = SDL_CreateTexture(renderer_, format, SDL_TEXTUREACCESS_STREAMING, width, height);
    textureLayout_ = layout;
    pictureWidth_ = width;
    pictureHeight_ = height;
    shown_.clear();
    return texture_ != nullptr;
}

void Display::Present(const Picture& picture) {
    if (renderer_ == nullptr || !EnsureTexture(picture.layout, picture.width, picture.height)) {
        // What is shown no longer follows the pictures: the next one is looked at whole.
        shown_.clear();
        return;
    }
    const size_t total = static_cast<size_t>(picture.width) * picture.height;
    const RECT whole{0, 0, picture.width, picture.height};
    const bool known = shown_.size() == total && picture.changed != nullptr;
    const std::vector<RECT> all{whole};
    const std::vector<RECT>& areas = known ? *picture.changed : all;
    // An unchanged picture costs a comparison of its changed areas instead of an upload and a
    // redraw: the idle game then uses almost no processor time.
    bool same = shown_.size() == total;
    for (const RECT& area : areas) same = same && SameArea(picture, area);
    if (same) return;
    shown_.resize(total);
    for (const RECT& area : areas) KeepArea(picture, area);
    SDL_UpdateTexture(texture_, nullptr, shown_.data(), picture.width * 2);
    Draw();
}

namespace {

// The rows of an area, clipped to the picture, as offsets into the shown picture and the new one
// and a length in bytes; `f` returns false to stop.
template <class F>
void ForEachRow(const Picture& picture, const RECT& area, F f) {
    const LONG left = std::max<LONG>(area.left, 0);
    const LONG right = std::min<LONG>(area.right, picture.width);
    if (left >= right) return;
    for (LONG y = std::max<LONG>(area.top, 0); y < std::min<LONG>(area.bottom, picture.height); ++y)
        if (!f(static_cast<size_t>(y) * picture.width + left, static_cast<size_t>(y) * picture.pitch + left,
               static_cast<size_t>(right - left) * 2))
            return;
}

}  // namespace

bool Display::SameArea(const Picture& picture, const RECT& area) const {
    bool same = true;
    ForEachRow(picture, area, [&](size_t shown, size_t from, size_t bytes) {
        same = std::memcmp(shown_.data() + shown, picture.pixels + from, bytes) == 0;
        return same;
    });
    return same;
}

void Display::KeepArea(const Picture& picture, const RECT& area) {
    ForEachRow(picture, area, [&](size_t shown, size_t from, size_t bytes) {
        std::memcpy(shown_.data() + shown, picture.pixels + from, bytes);
        return true;
    });
}

void Display::Refresh() {
    if (renderer_ != nullptr && texture_ != nullptr && !shown_.empty()) Draw();
}

void Display::Draw() {
    int outputWidth = 0;
    int outputHeight = 0;
    SDL_GetRendererOutputSize(renderer_, &outputWidth, &outputHeight);
    const SDL_Rect target = PictureRect(outputWidth, outputHeight);
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    SDL_RenderCopy(renderer_, texture_, nullptr, &target);
    SDL_RenderPresent(renderer_);
}

void Display::ToggleFullscreen() {
    if (window_ == nullptr) return;
    const bool full = (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
    SDL_SetWindowFullscreen(window_, full ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
    Refresh();
}

// Whole multiples of the picture when they fit, otherwise the largest size that keeps its shape;
// centred, with black bars where the shapes differ.
SDL_Rect Display::PictureRect(int outputWidth, int outputHeight) const {
    double scale = std::min(static_cast<double>(outputWidth) / pictureWidth_,
                            static_cast<double>(outputHeight) / pictureHeight_);
    if (scale >= 1.0) scale = static_cast<int>(scale);
    const int w = std::max(1, static_cast<int>(pictureWidth_ * scale));
    const int h = std::max(1, static_cast<int>(pictureHeight_ * scale));
    return SDL_Rect{(outputWidth - w) / 2, (outputHeight - h) / 2, w, h};
}

SDL_Point Display::ToPicture(int windowX, int windowY) const {
    int windowWidth = pictureWidth_;
    int windowHeight = pictureHeight_;
    if (window_ != nullptr) SDL_GetWindowSize(window_, &windowWidth, &windowHeight);
    const SDL_Rect r = PictureRect(windowWidth, windowHeight);
    const int x = static_cast<int>((static_cast<long long>(windowX - r.x) * pictureWidth_) / r.w);
    const int y = static_cast<int>((static_cast<long long>(windowY - r.y) * pictureHeight_) / r.h);
    return SDL_Point{std::clamp(x, 0, pictureWidth_ - 1), std::clamp(y, 0, pictureHeight_ - 1)};
}

}  // namespace platform::sdl

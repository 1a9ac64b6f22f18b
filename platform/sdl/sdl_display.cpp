#include "platform/sdl/sdl_display.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/core/picture_changes.h"
#include "platform/sdl/native_geometry.h"
#include "platform/sdl/sdl_video.h"
#include "platform/sdl/window_icon.h"

namespace platform::sdl {
namespace {

// The smallest window still worth drawing into.
constexpr int kMinimumDivisor = 4;

bool IsPlainRgb(const SDL_Surface* surface) {
    const SDL_PixelFormat* f = surface->format;
    return f->BytesPerPixel == 4 && f->Rmask == 0xFF0000 && f->Gmask == 0xFF00 && f->Bmask == 0xFF;
}

// The rows of an area, clipped to the picture, as offsets into the shown picture and the new one
// and a length in pixels; `f` returns false to stop.
template <class F>
void ForEachRow(const Picture& picture, const RECT& area, F f) {
    const LONG left = std::max<LONG>(area.left, 0);
    const LONG right = std::min<LONG>(area.right, picture.width);
    if (left >= right) return;
    for (LONG y = std::max<LONG>(area.top, 0); y < std::min<LONG>(area.bottom, picture.height); ++y)
        if (!f(y, static_cast<size_t>(y) * picture.width + left, static_cast<size_t>(y) * picture.pitch + left,
               static_cast<size_t>(right - left)))
            return;
}

}  // namespace

bool Display::CreateWindow(const char* title, int width, int height) {
    std::string problem;
    if (!StartVideo(&problem)) {
        // The one line a player starting the game from a terminal, or play.sh, looks for.
        std::fprintf(stderr, "no display: %s\n", problem.c_str());
        return false;
    }
    pictureWidth_ = width;
    pictureHeight_ = height;
    window_ = SDL_CreateWindow(title, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height,
                               SDL_WINDOW_RESIZABLE);
    if (window_ == nullptr) {
        std::fprintf(stderr, "the window could not be opened: %s\n", SDL_GetError());
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return false;
    }
    SDL_SetWindowMinimumSize(window_, width / kMinimumDivisor, height / kMinimumDivisor);
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
    open_ = true;
    stale_ = true;
    if (fullscreen) SetFullscreen(true);
    return true;
}

void Display::Close() {
    if (staging_ != nullptr) SDL_FreeSurface(staging_);
    staging_ = nullptr;
    open_ = false;
    shown_.clear();
}

void Display::SetScaling(ScaleMode mode, ScaleFilter filter) {
    mode_ = mode;
    filter_ = filter;
    configured_ = false;
    Refresh();
}

// In full screen SDL keeps the size for when the window comes back.
void Display::SetWindowSize(int width, int height) {
    if (window_ == nullptr) return;
    SDL_SetWindowSize(window_, std::max(width, pictureWidth_ / kMinimumDivisor),
                      std::max(height, pictureHeight_ / kMinimumDivisor));
    Refresh();
}

bool Display::IsFullscreen() const {
    return window_ != nullptr && (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
}

// The desktop's own resolution, no mode change. Without a window manager nobody moves the window
// in or out of full screen: it is placed here where SDL believes it to be.
void Display::SetFullscreen(bool on) {
    SDL_SetWindowFullscreen(window_, on ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
    SDL_Rect area{0, 0, 0, 0};
    if (on) {
        if (SDL_GetDisplayBounds(std::max(0, SDL_GetWindowDisplayIndex(window_)), &area) != 0) return;
    } else {
        SDL_GetWindowPosition(window_, &area.x, &area.y);
        SDL_GetWindowSize(window_, &area.w, &area.h);
    }
    MatchNativeGeometry(window_, area);
}

bool Display::ToggleFullscreen() {
    if (window_ == nullptr) return false;
    SetFullscreen(!IsFullscreen());
    Refresh();
    return IsFullscreen();
}

void Display::Present(const Picture& picture) {
    if (!open_ || window_ == nullptr) return;
    if (picture.width != pictureWidth_ || picture.height != pictureHeight_ || picture.layout != layout_) {
        pictureWidth_ = picture.width;
        pictureHeight_ = picture.height;
        layout_ = picture.layout;
        shown_.clear();
        configured_ = false;
    }
    const RECT whole{0, 0, picture.width, picture.height};
    const size_t total = static_cast<size_t>(picture.width) * picture.height;
    if (shown_.size() != total || picture.changed == nullptr) {
        shown_.resize(total);
        KeepArea(picture, whole);
        DrawWhole();
        return;
    }
    // Only the pixels that really differ are scaled and sent: a still picture costs a comparison.
    std::vector<RECT> parts;
    for (const RECT& area : *picture.changed)
        FindChangedParts(shown_.data(), picture.pixels, picture.pitch, picture.width, picture.height, area, &parts);
    for (const RECT& part : parts) KeepArea(picture, part);
    if (stale_) DrawWhole();
    else if (!parts.empty()) DrawAreas(parts);
}

void Display::KeepArea(const Picture& picture, const RECT& area) {
    ForEachRow(picture, area, [&](LONG, size_t shown, size_t from, size_t count) {
        std::memcpy(shown_.data() + shown, picture.pixels + from, count * 2);
        return true;
    });
}

void Display::Refresh() {
    stale_ = true;
    if (IsFullscreen()) {
        SDL_Rect area{0, 0, 0, 0};
        if (SDL_GetDisplayBounds(std::max(0, SDL_GetWindowDisplayIndex(window_)), &area) == 0)
            MatchNativeGeometry(window_, area);
    }
    if (open_ && !shown_.empty()) DrawWhole();
}

bool Display::PrepareOutput() {
    SDL_Surface* surface = window_ != nullptr ? SDL_GetWindowSurface(window_) : nullptr;
    if (surface == nullptr) return false;
    if (surface->w != outputWidth_ || surface->h != outputHeight_) {
        outputWidth_ = surface->w;
        outputHeight_ = surface->h;
        configured_ = false;
        stale_ = true;
    }
    if (!configured_) {
        placement_ = PlacePicture(mode_, pictureWidth_, pictureHeight_, outputWidth_, outputHeight_);
        scaler_.Configure(filter_, pictureWidth_, pictureHeight_, placement_);
        configured_ = true;
    }
    const bool stagingFits = staging_ != nullptr && staging_->w == surface->w && staging_->h == surface->h;
    if (IsPlainRgb(surface) || stagingFits) return true;
    if (staging_ != nullptr) SDL_FreeSurface(staging_);
    staging_ = SDL_CreateRGBSurfaceWithFormat(0, surface->w, surface->h, 32, SDL_PIXELFORMAT_RGB888);
    return staging_ != nullptr;
}

void Display::ScaleInto(SDL_Surface* surface, const RECT& out) {
    if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) return;
    const int pitch = surface->pitch / 4;
    auto* origin = static_cast<std::uint32_t*>(surface->pixels) + static_cast<size_t>(placement_.y) * pitch +
                   placement_.x;
    scaler_.Scale(shown_.data(), pictureWidth_, layout_, out, origin, pitch);
    if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
}

void Display::DrawWhole() {
    if (shown_.empty() || !PrepareOutput()) return;
    SDL_Surface* window = SDL_GetWindowSurface(window_);
    SDL_Surface* target = IsPlainRgb(window) ? window : staging_;
    SDL_FillRect(target, nullptr, 0);
    ScaleInto(target, RECT{0, 0, placement_.width, placement_.height});
    if (target != window) SDL_BlitSurface(target, nullptr, window, nullptr);
    SDL_UpdateWindowSurface(window_);
    stale_ = false;
}

void Display::DrawAreas(const std::vector<RECT>& areas) {
    if (!PrepareOutput()) return;
    if (stale_) return DrawWhole();
    SDL_Surface* window = SDL_GetWindowSurface(window_);
    SDL_Surface* target = IsPlainRgb(window) ? window : staging_;
    std::vector<SDL_Rect> sent;
    for (const RECT& area : areas) {
        const RECT out = scaler_.OutputArea(area);
        if (out.left >= out.right) continue;
        ScaleInto(target, out);
        SDL_Rect r{placement_.x + out.left, placement_.y + out.top, out.right - out.left, out.bottom - out.top};
        if (target != window) SDL_BlitSurface(target, &r, window, &r);
        sent.push_back(r);
    }
    if (!sent.empty()) SDL_UpdateWindowSurfaceRects(window_, sent.data(), static_cast<int>(sent.size()));
}

SDL_Point Display::ToPicture(int windowX, int windowY) const {
    int windowWidth = pictureWidth_;
    int windowHeight = pictureHeight_;
    if (window_ != nullptr) SDL_GetWindowSize(window_, &windowWidth, &windowHeight);
    const Placement placement = PlacePicture(mode_, pictureWidth_, pictureHeight_, windowWidth, windowHeight);
    const POINT p = OutputToPicture(placement, pictureWidth_, pictureHeight_, windowX, windowY);
    return SDL_Point{static_cast<int>(p.x), static_cast<int>(p.y)};
}

}  // namespace platform::sdl

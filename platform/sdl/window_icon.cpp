#include "platform/sdl/window_icon.h"

#include <string>

#include "platform/api/file_names.h"

namespace platform::sdl {

void ShowWindowIcon(SDL_Window* window) {
    const std::string path = NativePath("icon.bmp");
    SDL_Surface* icon = path.empty() ? nullptr : SDL_LoadBMP(path.c_str());
    if (icon == nullptr) return;
    SDL_SetWindowIcon(window, icon);
    SDL_FreeSurface(icon);
}

}  // namespace platform::sdl

// Screen description files: an INI file whose section "images" lists the images by number
// ("image01", "image02", ...), each described in a section of its own ("file", "x", "y").
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/api/win32.h"
#include "screen/screen.h"
#include "canvas/screen_image.h"

namespace {

void ReadValue(const char* section, const char* key, const char* fallback, char (&value)[256], const char* file) {
    GetPrivateProfileStringA(section, key, fallback, value, sizeof value, file);
}

// Like atoi, but a number too large for an int is not undefined behaviour.
int ToInt(const char* text) { return static_cast<int>(std::strtol(text, nullptr, 10)); }

}  // namespace

int Screen::LoadDescription(const char* file) {
    if (images_ == nullptr) images_ = new ObjectList<ScreenImage>(1);
    for (int n = 1;; ++n) {
        char key[32];
        std::snprintf(key, sizeof key, "image%02d", n);
        char section[256];
        ReadValue("images", key, "none", section, file);
        // The first missing number ends the list.
        if (std::strcmp(section, "none") == 0) return 0;

        char picture[256];
        ReadValue(section, "file", "none", picture, file);
        char path[300];
        if (std::strcmp(picture, "none") != 0) {
            std::snprintf(path, sizeof path, "%s", picture);
        } else {
            std::snprintf(path, sizeof path, "%s.bmp", section);
        }
        // Listed images are kept whether or not they load; one without a surface draws nothing.
        auto* image = images_->Push(new ScreenImage(path));
        image->SetName(section);
        char number[256];
        ReadValue(section, "x", "", number, file);
        image->x = ToInt(number);
        ReadValue(section, "y", "", number, file);
        image->y = ToInt(number);
    }
}

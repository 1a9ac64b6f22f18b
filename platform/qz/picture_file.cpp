#include "platform/qz/picture_file.h"

#include <string>

#include "platform/api/qz.h"
#include "platform/qz/png_writer.h"

namespace {

std::string g_asked;
int g_result = -1;

}  // namespace

void QZSaveNextPicture(const char* file) {
    g_asked = file != nullptr ? file : "";
    g_result = -1;
}

int QZSavedPicture() {
    const int result = g_result;
    g_result = -1;
    return result;
}

namespace platform::qz {

// Written at the flip, from the picture handed to the display: exactly what the player sees, with
// no copy of it kept between flips.
void SavePictureIfAsked(const Picture& picture) {
    if (g_asked.empty()) return;
    std::string error;
    g_result = WritePng(g_asked, picture, &error) ? 1 : 0;
    g_asked.clear();
}

}  // namespace platform::qz

// How the picture is scaled into a window or screen of another size: the settings reach the
// backend by name, so that the program never sees the backend's types.
#include "platform/api/qz.h"
#include "platform/core/backend.h"
#include "platform/core/picture_transform.h"

namespace {

platform::ScaleMode g_mode = platform::ScaleMode::Fit;
platform::ScaleFilter g_filter = platform::ScaleFilter::Sharp;

}  // namespace

int QZSetScaleMode(const char* name) {
    if (!platform::ParseScaleMode(name, &g_mode)) return 0;
    platform::GetBackend().SetScaling(g_mode, g_filter);
    return 1;
}

int QZSetScaleFilter(const char* name) {
    if (!platform::ParseScaleFilter(name, &g_filter)) return 0;
    platform::GetBackend().SetScaling(g_mode, g_filter);
    return 1;
}

void QZSetWindowSize(int width, int height) {
    if (width > 0 && height > 0) platform::GetBackend().SetWindowSize(width, height);
}

#include "platform/web/web_backend.h"

#include <emscripten.h>

#include <utility>

#include "platform/core/real_clock.h"
#include "platform/web/kept_files.h"

namespace platform::web {

WebBackend::WebBackend() : clock_(MakeRealClock()) {}

void WebBackend::DesktopSize(int* width, int* height) {
    *width = MAIN_THREAD_EM_ASM_INT({ return screen.width; });
    *height = MAIN_THREAD_EM_ASM_INT({ return screen.height; });
}

bool WebBackend::CreateNativeWindow(const char* title, int width, int height, bool) {
    pictureWidth_.store(width);
    pictureHeight_.store(height);
    SetNativeTitle(title);
    return true;
}

void WebBackend::SetNativeTitle(const char* title) {
    MAIN_THREAD_EM_ASM(
        {
            if (Module.setTitle) Module.setTitle(UTF8ToString($0));
        },
        title);
}

void WebBackend::ShowMessageBox(const char* text, const char* caption) {
    MAIN_THREAD_EM_ASM(
        {
            if (Module.showMessage) Module.showMessage(UTF8ToString($0), UTF8ToString($1));
        },
        text, caption);
}

// The page opens what a browser can show (the about page, a web address); anything else, such as
// a program to start, cannot be started from a page.
bool WebBackend::Execute(const char* verb, const char* file, const char* parameters, const char* directory) {
    return MAIN_THREAD_EM_ASM_INT(
               {
                   if (!Module.openPage) return 0;
                   return Module.openPage(UTF8ToString($0), UTF8ToString($1), UTF8ToString($2), UTF8ToString($3)) ? 1
                                                                                                                  : 0;
               },
               verb, file, parameters != nullptr ? parameters : "", directory != nullptr ? directory : "") != 0;
}

bool WebBackend::StartFamilyProgram(const std::string& program, const std::string& arguments) {
    if (program != "stalkway" && program != "portico") return false;
    std::lock_guard lock(startMutex_);
    start_ = StartRequest{program, arguments};
    return true;
}

std::optional<StartRequest> WebBackend::TakeStartRequest() {
    std::lock_guard lock(startMutex_);
    return std::exchange(start_, std::nullopt);
}

// The page's memory is no place a player can open: the picture becomes a download of its own.
bool WebBackend::OfferToPlayer(const std::string& nativePath) {
    return MAIN_THREAD_EM_ASM_INT(
               {
                   try {
                       const path = UTF8ToString($0);
                       const url = URL.createObjectURL(new Blob([FS.readFile(path)], {
                           type:
                               'image/png'
                       }));
                       const link = document.createElement('a');
                       link.href = url;
                       link.download = path.substring(path.lastIndexOf('/') + 1);
                       document.body.appendChild(link);
                       link.click();
                       link.remove();
                       setTimeout(
                           function() { URL.revokeObjectURL(url); }, 60000);
                       return 1;
                   } catch (error) {
                       return 0;
                   }
               },
               nativePath.c_str()) != 0;
}

bool WebBackend::Persist(const std::string& written, const std::string& storedPath) {
    return KeepFile(written, storedPath);
}

bool WebBackend::HoldStores() { return HoldKeptFiles(); }

void WebBackend::ReleaseStores() { ReleaseKeptFiles(); }

Placement WebBackend::Place(int areaWidth, int areaHeight) {
    placement_ = FitPicture(areaWidth, areaHeight, pictureWidth_.load(), pictureHeight_.load());
    return placement_;
}

Placement WebBackend::CurrentPlacement() const { return placement_; }

WebBackend& Instance() {
    static WebBackend backend;
    return backend;
}

}  // namespace platform::web

namespace platform {
Backend& GetBackend() { return web::Instance(); }
}  // namespace platform

#include "game/screenshot.h"

#include <cstdint>
#include <ctime>

#include "game/notice_line.h"
#include "platform/api/file_names.h"
#include "platform/api/qz.h"
#include "platform/api/win32.h"
#include "services/debug_log.h"

Screenshots g_Screenshots;

namespace {

// The local time of day as the platform's clock gives it, so that the runner's virtual time names
// the files too.
std::string TimeStamp() {
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    const auto seconds = static_cast<std::time_t>((FileTimeSteps(now) - kFileTimeStepsBefore1970) / 10000000ull);
    const std::tm* local = std::localtime(&seconds);
    char text[32];
    if (local == nullptr || std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", local) == 0) return "picture";
    return text;
}

}  // namespace

void Screenshots::Take() {
    const std::string name = "stalkway-" + TimeStamp() + ".png";
    path_ = platform::NativePicturePath(name.c_str());
    if (path_.empty()) {
        path_ = name;
        Report(kNotSaved);
        return;
    }
    QZSaveNextPicture(path_.c_str());
}

void Screenshots::AfterPresent() {
    const int saved = QZSavedPicture();
    if (saved < 0) return;
    path_ = QZSavedPictureFile();
    Report(saved);
}

void Screenshots::Report(int result) {
    struct Told {
        const char* log;
        const char* notice;
    };
    static constexpr Told kTold[] = {
        {"screenshot could not be written: ", "Screenshot not saved"},
        {"screenshot saved: ", "Screenshot saved"},
        {"screenshot offered as a download: ", "Screenshot downloaded"},
    };
    const Told& told = kTold[result >= kNotSaved && result <= kDownloaded ? result : kNotSaved];
    // Both the program's log and the debugger's output (which the scripted runner logs) say where.
    const std::string line = told.log + path_;
    DebugLog("%s\n", line.c_str());
    OutputDebugStringA(line.c_str());
    g_NoticeLine.Show(told.notice);
}

#include "game/screenshot.h"

#include <cstdint>
#include <cstring>
#include <ctime>

#include "canvas/compositor.h"
#include "platform/api/file_names.h"
#include "platform/api/qz.h"
#include "platform/api/win32.h"
#include "services/debug_log.h"
#include "services/tick_timer.h"

Screenshots g_Screenshots;

namespace {

constexpr int kNoticeMs = 2000;
// Right-aligned below the character strip, clear of the hint at the bottom left; the font's glyphs
// are 12 by 15 pixels. The area wiped afterwards holds the longer notice.
constexpr int kNoticeRight = 790;
constexpr int kNoticeY = 580;
constexpr int kGlyphWidth = 12;
constexpr int kNoticeWidth = 21 * kGlyphWidth;
constexpr int kNoticeHeight = 16;

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
        Report(false);
        return;
    }
    QZSaveNextPicture(path_.c_str());
}

void Screenshots::AfterPresent() {
    const int saved = QZSavedPicture();
    if (saved < 0) return;
    path_ = QZSavedPictureFile();
    Report(saved == 1);
}

void Screenshots::Report(bool saved) {
    // Both the program's log and the debugger's output (which the scripted runner logs) say where.
    const std::string line = (saved ? "screenshot saved: " : "screenshot could not be written: ") + path_;
    DebugLog("%s\n", line.c_str());
    OutputDebugStringA(line.c_str());
    notice_ = saved ? "Screenshot saved" : "Screenshot not saved";
    noticeSince_ = GetTickClock();
}

void Screenshots::DrawNotice() {
    if (notice_ == nullptr) return;
    if (TicksSince(noticeSince_) > kNoticeMs) {
        notice_ = nullptr;
        g_Compositor.RestoreRect(kNoticeRight - kNoticeWidth, kNoticeY, kNoticeWidth + 1, kNoticeHeight);
        return;
    }
    QZPrintString(notice_, kNoticeRight - static_cast<int>(std::strlen(notice_)) * kGlyphWidth, kNoticeY);
}

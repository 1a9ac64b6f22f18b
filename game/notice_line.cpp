#include "game/notice_line.h"

#include "canvas/compositor.h"
#include "platform/api/qz.h"
#include "services/tick_timer.h"

NoticeLine g_NoticeLine;

namespace {

constexpr int kShownMs = 4000;
// The font's cells are 12 pixels apart and 14 high, with a one-pixel shadow; the line sits below
// the character strip, centred.
constexpr int kAdvance = 12;
constexpr int kHeight = 15;
constexpr int kTop = 582;
constexpr int kPictureWidth = 800;

}  // namespace

void NoticeLine::Show(const std::string& text) {
    text_ = text;
    shownAt_ = GetTickClock();
    showing_ = true;
}

void NoticeLine::Draw() {
    if (!showing_) return;
    if (TicksSince(shownAt_) > kShownMs) {
        showing_ = false;
        return;
    }
    const int width = kAdvance * static_cast<int>(text_.size()) + 1;
    const int left = width < kPictureWidth ? (kPictureWidth - width) / 2 : 0;
    // Wiped after the flip, like every area drawn straight onto the back surface.
    g_Compositor.RestoreRect(left, kTop, width, kHeight);
    QZPrintString(text_.c_str(), left, kTop);
}

// The compositor's wipes over a dialog's and a sprite's area. They are defined here, beside the
// screens, because the compositor sits below the classes whose rectangles they read.
#include "screen/compositor.h"
#include "screen/dialog_screen.h"
#include "screen/sprite.h"

void Compositor::RestoreDialogRect(const DialogScreen* dialog) {
    if (dialog == nullptr) return;
    const RECT& placed = dialog->GetPlacement();
    RestoreRect(placed.left, placed.top, placed.right - placed.left, placed.bottom - placed.top);
}

void Compositor::RestoreSpriteRect(const Sprite* sprite) {
    if (sprite == nullptr) return;
    RestoreRect(static_cast<int>(sprite->X()), static_cast<int>(sprite->Y()), sprite->Width(), sprite->Height());
}

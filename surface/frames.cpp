// Pictures cut into equal frames.
#include "platform/api/qz.h"
#include "surface/surface.h"

int CutFramesFromSurface(LPDIRECTDRAWSURFACE7 source, ObjectList<IDirectDrawSurface>* frames, int frameWidth,
                         int frameHeight, int* columns) {
    if (columns != nullptr) *columns = 0;
    if (source == nullptr || frames == nullptr || frameWidth < 1 || frameHeight < 1) return 0;
    int width = 0;
    int height = 0;
    GetSurfaceSize(source, &width, &height);
    const int across = width / frameWidth;
    const int down = height / frameHeight;
    if (columns != nullptr) *columns = across;

    for (int i = 0; i < across * down; ++i) {
        LPDIRECTDRAWSURFACE7 frame = CreateOffscreenSurface(frameWidth, frameHeight);
        if (frame == nullptr) return 0;
        SetColorKeyRGB(frame, 0, 0, 255);
        frames->Push(frame);
        RECT from;
        from.left = frameWidth * (i % across);
        from.top = frameHeight * (i / across);
        from.right = from.left + frameWidth;
        from.bottom = from.top + frameHeight;
        frame->Blt(nullptr, source, &from, DDBLT_WAIT, nullptr);
    }
    return 1;
}

int CutFramesFromFile(const char* file, ObjectList<IDirectDrawSurface>* frames, int frameWidth, int frameHeight,
                      int* columns) {
    LPDIRECTDRAWSURFACE7 source = QZLoadBitmap(file);
    if (source == nullptr) {
        if (columns != nullptr) *columns = 0;
        return 0;
    }
    const int result = CutFramesFromSurface(source, frames, frameWidth, frameHeight, columns);
    source->Release();
    return result;
}

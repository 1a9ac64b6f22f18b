// Screen::LoadDescription over a fuzzed description file, in a folder that holds two pictures a
// description may name ("title.bmp" and "art\logo2.bmp"). Every image listed is kept, named and
// found by its name, and draws at whatever place the file gives it, however far off the target.
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "fuzz/fuzz_target.h"
#include "fuzz/input_file.h"
#include "platform/ddraw/ddraw_object.h"
#include "screen/screen.h"
#include "canvas/screen_image.h"
#include "surface/surface.h"

namespace fuzz {
namespace {

class DescribedScreen : public Screen {
public:
    const ObjectList<ScreenImage>& Images() const { return *images_; }
};

void PutLe(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// A 24-bit picture of the given size, every pixel the same colour.
std::vector<std::uint8_t> Picture(int width, int height, std::uint8_t red) {
    const std::uint32_t row = (static_cast<std::uint32_t>(width) * 3 + 3) / 4 * 4;
    std::vector<std::uint8_t> bytes(54 + row * height);
    bytes[0] = 'B';
    bytes[1] = 'M';
    PutLe(bytes, 2, static_cast<std::uint32_t>(bytes.size()), 4);
    PutLe(bytes, 10, 54, 4);
    PutLe(bytes, 14, 40, 4);
    PutLe(bytes, 18, static_cast<std::uint32_t>(width), 4);
    PutLe(bytes, 22, static_cast<std::uint32_t>(height), 4);
    PutLe(bytes, 26, 1, 2);
    PutLe(bytes, 28, 24, 2);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) bytes[54 + y * row + x * 3 + 2] = red;
    return bytes;
}

// The scratch folder becomes the working folder, as the data folder is the game's.
void PreparePictures() {
    static const bool prepared = [] {
        std::filesystem::create_directories(ScratchFolder() + "/art");
        WriteScratchFile("title.bmp", Picture(5, 3, 200));
        WriteScratchFile("art/logo2.bmp", Picture(2, 7, 100));
        std::filesystem::current_path(ScratchFolder());
        return true;
    }();
    Check(prepared, "the pictures are in place");
}

LPDIRECTDRAWSURFACE7 MakeTarget() {
    LPDIRECTDRAW maker = platform::CreateDirectDrawObject(platform::PixelLayout::Rgb565);
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof(desc);
    desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    desc.dwWidth = 64;
    desc.dwHeight = 48;
    desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
    LPDIRECTDRAWSURFACE surface = nullptr;
    Check(maker != nullptr && maker->CreateSurface(&desc, &surface, nullptr) == DD_OK, "a target is made");
    maker->Release();
    return surface;
}

}  // namespace

void ScreenDescription(std::span<const std::uint8_t> input) {
    PreparePictures();
    WriteScratchFile("screen.ini", input);
    DescribedScreen screen;
    Check(screen.LoadDescription("screen.ini") == 0, "a description always gives 0");
    LPDIRECTDRAWSURFACE7 target = MakeTarget();
    const ObjectList<ScreenImage>& images = screen.Images();
    for (int i = 0; i < images.Count(); ++i) {
        ScreenImage* image = images.At(i);
        Check(std::memchr(image->name, '\0', sizeof image->name) != nullptr, "a name ends inside its field");
        ScreenImage* found = screen.FindImage(image->name);
        Check(found != nullptr && std::strcmp(found->name, image->name) == 0, "an image is found by its name");
        int width = 0, height = 0;
        GetSurfaceSize(image->surface, &width, &height);
        Check(image->width == width && image->height == height, "an image has its picture's size");
        Check(screen.DrawImage(target, image->name) == 1, "a listed image draws");
    }
    target->Release();
}

}  // namespace fuzz

#include "platform/qz/png_writer.h"

#include <png.h>

#include <cstdio>
#include <vector>

#include "platform/qz/widen_row.h"

namespace platform {

bool WritePng(const std::string& path, const Picture& picture, std::string* error) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        *error = "cannot write " + path;
        return false;
    }
    // Declared before setjmp, so that an encoding error jumps back over no constructor.
    std::vector<std::uint8_t> row(static_cast<size_t>(picture.width) * 3);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    if (info == nullptr || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(file);
        *error = "cannot encode " + path;
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(picture.width), static_cast<png_uint_32>(picture.height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < picture.height; ++y) {
        WidenRow(picture.pixels + static_cast<size_t>(y) * picture.pitch, picture.width, picture.layout, row.data());
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    // What the library handed on may only reach the disk, and fail there, when the file closes.
    if (std::fclose(file) == 0) return true;
    *error = "cannot write " + path;
    return false;
}

}  // namespace platform

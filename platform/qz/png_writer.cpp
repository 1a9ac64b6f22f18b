#include "platform/qz/png_writer.h"

#include <png.h>

#include <cstdio>
#include <vector>

#include "platform/qz/widen_row.h"

namespace platform {

namespace {

void Append(png_structp png, png_bytep data, png_size_t size) {
    auto* file = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
    file->insert(file->end(), data, data + size);
}

void Flush(png_structp) {}

}  // namespace

bool EncodePng(const Picture& picture, std::vector<std::uint8_t>* file) {
    file->clear();
    // Declared before setjmp, so that an encoding error jumps back over no constructor.
    std::vector<std::uint8_t> row(static_cast<size_t>(picture.width) * 3);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    if (info == nullptr || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, file, Append, Flush);
    png_set_IHDR(png, info, static_cast<png_uint_32>(picture.width), static_cast<png_uint_32>(picture.height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < picture.height; ++y) {
        WidenRow(picture.pixels + static_cast<size_t>(y) * picture.pitch, picture.width, picture.layout, row.data());
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

bool WritePng(const std::string& path, const Picture& picture, std::string* error) {
    std::vector<std::uint8_t> bytes;
    if (!EncodePng(picture, &bytes)) {
        *error = "cannot encode " + path;
        return false;
    }
    std::FILE* file = std::fopen(path.c_str(), "wb");
    bool written = file != nullptr && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if (file != nullptr && std::fclose(file) != 0) written = false;
    if (!written) *error = "cannot write " + path;
    return written;
}

}  // namespace platform

#include "tools/assets/file_writers.h"

#include <png.h>

#include <stdexcept>

#include "maze/byte_writer.h"

namespace assets {

Bytes Wav(const Sound& sound) {
    Writer out;
    const std::uint32_t blockAlign = static_cast<std::uint32_t>(sound.channels) * 2;
    const auto dataBytes = static_cast<std::uint32_t>(sound.samples.size() * 2);
    const std::uint32_t frames = dataBytes / blockAlign;
    out.Tag("RIFF");
    out.U32(0);  // set below
    out.Tag("WAVE");
    out.Tag("fmt ");
    out.U32(16);
    out.U16(1);  // PCM
    out.U16(static_cast<unsigned>(sound.channels));
    out.U32(static_cast<std::uint32_t>(sound.rate));
    out.U32(static_cast<std::uint32_t>(sound.rate) * blockAlign);
    out.U16(blockAlign);
    out.U16(16);
    if (sound.loops) {
        out.Tag("smpl");
        out.U32(36 + 24);
        out.U32(0);                                                      // manufacturer
        out.U32(0);                                                      // product
        out.U32(static_cast<std::uint32_t>(1000000000.0 / sound.rate));  // sample period, ns
        out.U32(60);                                                     // MIDI unity note
        out.U32(0);                                                      // pitch fraction
        out.U32(0);                                                      // SMPTE format
        out.U32(0);                                                      // SMPTE offset
        out.U32(1);                                                      // one loop
        out.U32(0);                                                      // no sampler data
        out.U32(0);                                                      // cue point id
        out.U32(0);                                                      // forward loop
        out.U32(0);                                                      // start: the first frame
        out.U32(frames - 1);                                             // end: the last frame, included
        out.U32(0);                                                      // fraction
        out.U32(0);                                                      // endlessly
    }
    out.Tag("data");
    out.U32(dataBytes);
    for (std::int16_t s : sound.samples) out.U16(static_cast<std::uint16_t>(s));
    out.PutU32(4, static_cast<std::uint32_t>(out.Size() - 8));
    return out.Take();
}

static_assert(sizeof(Rgb) == 3, "PNG rows are written straight from the pixels");

Bytes Png(const RgbPicture& picture) {
    Bytes bytes;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    if (info == nullptr || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        throw std::runtime_error("cannot encode a PNG");
    }
    png_set_write_fn(
        png, &bytes,
        [](png_structp p, png_bytep data, png_size_t length) {
            auto* out = static_cast<Bytes*>(png_get_io_ptr(p));
            out->insert(out->end(), data, data + length);
        },
        nullptr);
    png_set_IHDR(png, info, static_cast<png_uint_32>(picture.width), static_cast<png_uint_32>(picture.height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < picture.height; ++y)
        png_write_row(png,
                      reinterpret_cast<png_const_bytep>(&picture.pixels[static_cast<std::size_t>(y) * picture.width]));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return bytes;
}

}  // namespace assets

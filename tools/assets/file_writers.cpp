#include "tools/assets/file_writers.h"

#include <png.h>

#include <fstream>
#include <stdexcept>

namespace assets {

namespace {

class Writer {
public:
    void U8(unsigned v) { bytes_.push_back(static_cast<std::uint8_t>(v)); }
    void U16(unsigned v) {
        U8(v & 255);
        U8(v >> 8 & 255);
    }
    void U32(std::uint32_t v) {
        U16(v & 0xFFFF);
        U16(v >> 16);
    }
    void Tag(const char* tag) {
        for (int i = 0; i < 4; ++i) U8(static_cast<unsigned char>(tag[i]));
    }
    void PutU32(std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) bytes_[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    }
    std::size_t Size() const { return bytes_.size(); }
    Bytes Take() { return std::move(bytes_); }

private:
    Bytes bytes_;
};

void BmpHeaders(Writer& out, int width, int height, int bits, std::uint32_t compression, std::uint32_t extra,
                std::uint32_t rowBytes, std::uint32_t colours) {
    const std::uint32_t offset = 14 + 40 + extra;
    const std::uint32_t imageBytes = rowBytes * static_cast<std::uint32_t>(height);
    out.U8('B');
    out.U8('M');
    out.U32(0);  // the file size, set at the end
    out.U16(0);
    out.U16(0);
    out.U32(offset);
    out.U32(40);
    out.U32(static_cast<std::uint32_t>(width));
    out.U32(static_cast<std::uint32_t>(height));  // positive: rows bottom-up
    out.U16(1);
    out.U16(static_cast<unsigned>(bits));
    out.U32(compression);
    out.U32(imageBytes);
    out.U32(2835);  // 72 dots per inch
    out.U32(2835);
    out.U32(colours);
    out.U32(0);
}

}  // namespace

Bytes Bmp16(const RgbPicture& picture) {
    Writer out;
    const std::uint32_t rowBytes = (static_cast<std::uint32_t>(picture.width) * 2 + 3) / 4 * 4;
    BmpHeaders(out, picture.width, picture.height, 16, 3, 12, rowBytes, 0);
    out.U32(0xF800);
    out.U32(0x07E0);
    out.U32(0x001F);
    for (int y = picture.height - 1; y >= 0; --y) {
        for (int x = 0; x < picture.width; ++x) out.U16(Pack(PixelLayout::Rgb565, picture.At(x, y)));
        for (std::uint32_t pad = static_cast<std::uint32_t>(picture.width) * 2; pad < rowBytes; ++pad) out.U8(0);
    }
    out.PutU32(2, static_cast<std::uint32_t>(out.Size()));
    return out.Take();
}

Bytes Bmp8(const IndexedPicture& picture) {
    Writer out;
    const std::uint32_t rowBytes = (static_cast<std::uint32_t>(picture.width) + 3) / 4 * 4;
    BmpHeaders(out, picture.width, picture.height, 8, 0, 256 * 4, rowBytes, 256);
    for (const Rgb& c : picture.palette) {
        out.U8(c.b);
        out.U8(c.g);
        out.U8(c.r);
        out.U8(0);
    }
    for (int y = picture.height - 1; y >= 0; --y) {
        for (int x = 0; x < picture.width; ++x) out.U8(picture.At(x, y));
        for (std::uint32_t pad = static_cast<std::uint32_t>(picture.width); pad < rowBytes; ++pad) out.U8(0);
    }
    out.PutU32(2, static_cast<std::uint32_t>(out.Size()));
    return out.Take();
}

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

void WriteFile(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path);
}

}  // namespace assets

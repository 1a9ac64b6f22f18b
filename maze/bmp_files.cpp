#include "maze/bmp_files.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace assets {

namespace {

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

std::uint32_t U32At(const Bytes& bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16) |
           static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

unsigned U16At(const Bytes& bytes, std::size_t at) { return static_cast<unsigned>(bytes[at] | bytes[at + 1] << 8); }

struct BmpShape {
    int width = 0;
    int height = 0;
    std::size_t pixels = 0;  // where the rows begin
    std::size_t rowBytes = 0;
};

std::optional<BmpShape> ShapeOf(const Bytes& bytes, unsigned bits) {
    if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M' || U16At(bytes, 28) != bits) return std::nullopt;
    BmpShape shape;
    shape.width = static_cast<int>(U32At(bytes, 18));
    shape.height = static_cast<int>(U32At(bytes, 22));
    shape.pixels = U32At(bytes, 10);
    shape.rowBytes = (static_cast<std::size_t>(shape.width) * bits / 8 + 3) / 4 * 4;
    if (shape.width <= 0 || shape.height <= 0 || shape.width > 4096 || shape.height > 4096) return std::nullopt;
    if (shape.pixels + shape.rowBytes * static_cast<std::size_t>(shape.height) > bytes.size()) return std::nullopt;
    return shape;
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

std::optional<RgbPicture> ReadBmp16(const Bytes& bytes) {
    const auto shape = ShapeOf(bytes, 16);
    if (!shape || U32At(bytes, 30) != 3) return std::nullopt;
    RgbPicture picture(shape->width, shape->height);
    for (int y = 0; y < shape->height; ++y) {
        const std::size_t row = shape->pixels + shape->rowBytes * static_cast<std::size_t>(shape->height - 1 - y);
        for (int x = 0; x < shape->width; ++x)
            picture.At(x,
                       y) = Expand565(static_cast<std::uint16_t>(U16At(bytes, row + 2 * static_cast<std::size_t>(x))));
    }
    return picture;
}

std::optional<IndexedPicture> ReadBmp8(const Bytes& bytes) {
    const auto shape = ShapeOf(bytes, 8);
    if (!shape || shape->pixels < 54 + 256 * 4) return std::nullopt;
    IndexedPicture picture(shape->width, shape->height);
    for (int i = 0; i < 256; ++i) {
        const std::size_t at = 54 + 4 * static_cast<std::size_t>(i);
        picture.palette[i] = {bytes[at + 2], bytes[at + 1], bytes[at]};
    }
    for (int y = 0; y < shape->height; ++y) {
        const std::size_t row = shape->pixels + shape->rowBytes * static_cast<std::size_t>(shape->height - 1 - y);
        for (int x = 0; x < shape->width; ++x) picture.At(x, y) = bytes[row + static_cast<std::size_t>(x)];
    }
    return picture;
}

void WriteFile(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path);
}

std::optional<Bytes> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return std::nullopt;
    return bytes;
}

}  // namespace assets

// Screenshots where there is no libpng (the browser build): the same rows, unfiltered, in stored
// (uncompressed) deflate blocks, so that any PNG reader gets the pixels that libpng's file holds.
#include <array>
#include <cstdio>
#include <string_view>
#include <vector>

#include "platform/qz/png_writer.h"
#include "platform/qz/widen_row.h"

namespace platform {
namespace {

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size, std::uint32_t crc = 0) {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    crc = ~crc;
    for (std::size_t i = 0; i < size; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

void PutBig32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void PutChunk(std::vector<std::uint8_t>& out, std::string_view type, const std::vector<std::uint8_t>& body) {
    PutBig32(out, static_cast<std::uint32_t>(body.size()));
    const std::size_t start = out.size();
    out.insert(out.end(), type.begin(), type.end());
    out.insert(out.end(), body.begin(), body.end());
    PutBig32(out, Crc32(out.data() + start, out.size() - start));
}

// A zlib stream of stored blocks: no compression, at most 65535 bytes a block.
std::vector<std::uint8_t> StoredZlib(const std::vector<std::uint8_t>& raw) {
    std::vector<std::uint8_t> out{0x78, 0x01};
    std::size_t at = 0;
    do {
        const std::size_t n = std::min<std::size_t>(raw.size() - at, 65535);
        out.push_back(at + n == raw.size() ? 1 : 0);
        const auto len = static_cast<std::uint16_t>(n);
        for (const std::uint16_t v : {len, static_cast<std::uint16_t>(~len)}) {
            out.push_back(static_cast<std::uint8_t>(v & 0xFF));
            out.push_back(static_cast<std::uint8_t>(v >> 8));
        }
        out.insert(out.end(), raw.begin() + static_cast<std::ptrdiff_t>(at),
                   raw.begin() + static_cast<std::ptrdiff_t>(at + n));
        at += n;
    } while (at < raw.size());
    std::uint32_t a = 1, b = 0;
    for (const std::uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    PutBig32(out, b << 16 | a);
    return out;
}

std::vector<std::uint8_t> Encode(const Picture& picture) {
    const std::size_t rowBytes = static_cast<std::size_t>(picture.width) * 3 + 1;
    std::vector<std::uint8_t> raw(rowBytes * static_cast<std::size_t>(picture.height));
    for (int y = 0; y < picture.height; ++y) {
        std::uint8_t* row = raw.data() + rowBytes * static_cast<std::size_t>(y);
        row[0] = 0;  // no filter
        WidenRow(picture.pixels + static_cast<std::size_t>(y) * picture.pitch, picture.width, picture.layout, row + 1);
    }
    std::vector<std::uint8_t> header;
    PutBig32(header, static_cast<std::uint32_t>(picture.width));
    PutBig32(header, static_cast<std::uint32_t>(picture.height));
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8-bit RGB, deflate, no filter, not interlaced
    std::vector<std::uint8_t> file{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    PutChunk(file, "IHDR", header);
    PutChunk(file, "IDAT", StoredZlib(raw));
    PutChunk(file, "IEND", {});
    return file;
}

}  // namespace

bool EncodePng(const Picture& picture, std::vector<std::uint8_t>* file) {
    *file = Encode(picture);
    return true;
}

bool WritePng(const std::string& path, const Picture& picture, std::string* error) {
    const std::vector<std::uint8_t> bytes = Encode(picture);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        *error = "cannot write " + path;
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if (std::fclose(file) != 0 || !written) {
        *error = "cannot write " + path;
        return false;
    }
    return true;
}

}  // namespace platform

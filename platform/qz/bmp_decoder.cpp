#include "platform/qz/bmp_decoder.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include "platform/qz/bmp_header.h"
#include "platform/qz/bmp_pixels.h"
#include "platform/qz/bmp_rle.h"
#include "platform/core/file_faults.h"
#include "platform/core/cached_reads.h"

namespace platform {

namespace {

// Room for the largest picture we accept at 32 bits, plus headers and a colour profile.
constexpr std::uint64_t kMaxFileBytes = kMaxBitmapPixels * 4 + (std::uint64_t{16} << 20);

constexpr std::size_t kMostPaletteEntries = 256;

// Pictures were read by a library before we read them ourselves, and the game's pictures and
// tests were made against what it gave, so the palette keeps its quirks: a file that gives no
// count gets 256 entries whatever its depth (a 1-bit picture takes the other 254 from whatever
// follows its two), a count over 256 is cut to 256, and bytes past the end of the file read as 255.
std::vector<BmpColour> ReadPalette(std::span<const std::uint8_t> file, const BmpHeader& header) {
    const std::size_t listed = header.paletteListed;
    const std::size_t entries = listed == 0 ? kMostPaletteEntries : std::min(listed, kMostPaletteEntries);
    const auto byteAt = [&](std::size_t at) -> std::uint8_t { return at < file.size() ? file[at] : 0xFF; };
    std::vector<BmpColour> palette;
    palette.reserve(entries);
    for (std::size_t i = 0; i < entries; ++i) {
        const std::size_t at = header.paletteOffset + i * header.paletteEntryBytes;
        palette.push_back({byteAt(at + 2), byteAt(at + 1), byteAt(at)});
    }
    return palette;
}

std::optional<std::vector<std::uint8_t>> ReadIndices(std::span<const std::uint8_t> file, const BmpHeader& header) {
    if (header.compression == BmpCompression::None) return UnpackBmpIndices(file, header);
    return ExpandRle(file.subspan(header.pixelOffset), header.width, header.height,
                     header.compression == BmpCompression::Rle4);
}

// Every index must name an entry of the palette, so that a picture can be drawn without checks.
bool TakeIndices(std::span<const std::uint8_t> file, const BmpHeader& header, BmpImage* image) {
    std::optional<std::vector<std::uint8_t>> indices = ReadIndices(file, header);
    if (!indices) return false;
    image->palette = ReadPalette(file, header);
    const std::size_t entries = image->palette.size();
    if (std::any_of(indices->begin(), indices->end(), [&](std::uint8_t i) { return i >= entries; })) return false;
    image->indices = std::move(*indices);
    return true;
}

}  // namespace

BmpColour BmpImage::ColourAt(int x, int y) const {
    const std::size_t at = static_cast<std::size_t>(y) * width + x;
    if (Palettised()) return palette[indices[at]];
    return words.empty() ? colours[at] : ScaleBmpPixel(words[at], masks);
}

std::optional<BmpImage> DecodeBmp(std::vector<std::uint8_t> file) {
    if (file.size() > kMaxFileBytes) return std::nullopt;
    const std::optional<BmpHeader> header = ParseBmpHeader(file);
    if (!header) return std::nullopt;

    BmpImage image;
    image.width = header->width;
    image.height = header->height;
    if (header->bitsPerPixel == 16) {
        image.words = ReadBmpWords(file, *header);
        image.masks = header->masks;
    } else if (header->bitsPerPixel > 8) {
        image.colours = ReadBmpColours(file, *header);
    } else if (!TakeIndices(file, *header, &image)) return std::nullopt;
    return image;
}

namespace {

// The file's bytes, or why there are none.
std::optional<std::vector<std::uint8_t>> ReadBmpFile(const std::string& path, BmpTrouble* why) {
    if (const auto cached = cached::WholeFile(path, kMaxFileBytes)) {
        *why = BmpTrouble::kUnreadable;
        if (cached->missing) return std::nullopt;
        return std::vector<std::uint8_t>(cached->bytes->begin(), cached->bytes->end());
    }
    // Read in one call, not a stream buffer's worth at a time: in the browser every read a worker
    // makes is a round trip to the page's thread, and a picture of a megabyte took hundreds.
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> in(std::fopen(path.c_str(), "rb"), &std::fclose);
    *why = BmpTrouble::kUnreadable;
    if (!in || std::fseek(in.get(), 0, SEEK_END) != 0) return std::nullopt;
    const long size = std::ftell(in.get());
    if (size < 0) return std::nullopt;
    *why = BmpTrouble::kTooLarge;
    if (static_cast<std::uint64_t>(size) > kMaxFileBytes) return std::nullopt;
    std::vector<std::uint8_t> file(static_cast<std::size_t>(size));
    *why = BmpTrouble::kUnreadable;
    if (std::fseek(in.get(), 0, SEEK_SET) != 0 || std::fread(file.data(), 1, file.size(), in.get()) != file.size())
        return std::nullopt;
    *why = BmpTrouble::kNone;
    return file;
}

}  // namespace

std::optional<BmpImage> LoadBmpFile(const std::string& path, BmpTrouble* trouble) {
    const auto fail = [trouble](BmpTrouble why) {
        if (trouble != nullptr) *trouble = why;
        return std::nullopt;
    };
    if (trouble != nullptr) *trouble = BmpTrouble::kNone;
    if (faults::IsHidden(path)) return fail(BmpTrouble::kUnreadable);
    BmpTrouble why = BmpTrouble::kNone;
    std::optional<std::vector<std::uint8_t>> file = ReadBmpFile(path, &why);
    if (!file) return fail(why);
    if (file->empty()) return fail(BmpTrouble::kDamaged);
    if (file->size() > kMaxFileBytes) return fail(BmpTrouble::kTooLarge);
    if (BmpHeaderAsksTooMuch(*file)) return fail(BmpTrouble::kTooLarge);
    std::optional<BmpImage> image = DecodeBmp(std::move(*file));
    if (!image) return fail(BmpTrouble::kDamaged);
    return image;
}

}  // namespace platform

// Small BMP files built in memory for tests: a 40-byte info header, an optional palette, and the
// pixel bytes exactly as given (rows already padded and ordered by the caller).
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <vector>

namespace testing_bmp {

struct BmpFields {
    int width = 1;
    int height = 1;  // negative for top-down rows
    int bits = 24;
    std::uint32_t compression = 0;
    std::vector<std::uint8_t> palette = {};  // blue, green, red, 0 per entry
    std::vector<std::uint8_t> pixels = {};
};

inline void Put(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

inline std::vector<std::uint8_t> BuildBmp(const BmpFields& fields) {
    const std::uint32_t offset = 14 + 40 + static_cast<std::uint32_t>(fields.palette.size());
    const std::uint32_t size = offset + static_cast<std::uint32_t>(fields.pixels.size());
    std::vector<std::uint8_t> out = {'B', 'M'};
    Put(out, size, 4);
    Put(out, 0, 4);
    Put(out, offset, 4);
    Put(out, 40, 4);
    Put(out, static_cast<std::uint32_t>(fields.width), 4);
    Put(out, static_cast<std::uint32_t>(fields.height), 4);
    Put(out, 1, 2);
    Put(out, static_cast<std::uint32_t>(fields.bits), 2);
    Put(out, fields.compression, 4);
    Put(out, static_cast<std::uint32_t>(fields.pixels.size()), 4);
    Put(out, 2835, 4);
    Put(out, 2835, 4);
    Put(out, static_cast<std::uint32_t>(fields.palette.size() / 4), 4);
    Put(out, 0, 4);
    out.insert(out.end(), fields.palette.begin(), fields.palette.end());
    out.insert(out.end(), fields.pixels.begin(), fields.pixels.end());
    return out;
}

inline void WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline std::vector<std::uint8_t> ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

}  // namespace testing_bmp

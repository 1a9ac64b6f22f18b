// The file formats the generator writes: Windows BMP (16-bit 5-6-5 and 8-bit palettised), RIFF
// WAVE with an optional sampler loop, and PNG for looking at the pictures. Each returns the bytes;
// WriteFile puts them on disk.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/assets/pictures.h"

namespace assets {

using Bytes = std::vector<std::uint8_t>;

// 16 bits a pixel with the 5-6-5 masks; every colour must already lie on that grid.
Bytes Bmp16(const RgbPicture& picture);
Bytes Bmp8(const IndexedPicture& picture);

struct Sound {
    int channels = 1;
    int rate = 22050;
    std::vector<std::int16_t> samples;  // interleaved
    bool loops = false;                 // a "smpl" chunk marks the whole data as one loop
};
Bytes Wav(const Sound& sound);

Bytes Png(const RgbPicture& picture);

void WriteFile(const std::string& path, const Bytes& bytes);

}  // namespace assets

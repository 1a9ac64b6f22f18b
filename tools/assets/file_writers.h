// The file formats the generator writes: Windows BMP (maze/bmp_files.h), RIFF WAVE with an
// optional sampler loop, and PNG for looking at the pictures. Each returns the bytes; WriteFile puts
// them on disk.
#pragma once

#include <cstdint>
#include <vector>

#include "maze/bmp_files.h"

namespace assets {

struct Sound {
    int channels = 1;
    int rate = 22050;
    std::vector<std::int16_t> samples;  // interleaved
    bool loops = false;                 // a "smpl" chunk marks the whole data as one loop
};
Bytes Wav(const Sound& sound);

Bytes Png(const RgbPicture& picture);

}  // namespace assets

// The runner's --audio file: 16-bit stereo PCM in a RIFF WAVE file.
#pragma once

#include <cstdint>
#include <ostream>
#include <vector>

namespace replay {

// `samples` interleaves left and right. False when the stream fails.
bool WriteWav(std::ostream& out, const std::vector<std::int16_t>& samples, int rate);

}  // namespace replay

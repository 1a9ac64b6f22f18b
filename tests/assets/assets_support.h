// Helpers for the tests of the game's data: where the build put it, its pictures read back
// through the platform's loader, the WAV format read by a reader of our own, and the clicks of a
// replay script.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "maze/maze_play.h"
#include "maze/pictures.h"

namespace assets_test {

std::string DataFolder();     // build/game/Stalkway
std::string ScriptsFolder();  // build/game/scripts
std::string OutputFolder();   // build/test-output/assets, for pictures people look at
std::string Generator();      // the built stalkway-assets

// A picture loaded with QZLoadBitmap as the game loads it (16 bits, 5-6-5), or an empty picture.
assets::RgbPicture LoadPicture(const std::string& file);
// A palettised picture loaded at 8 bits: its indices and its palette.
assets::IndexedPicture LoadIndexed(const std::string& file);

struct Wave {
    bool accepted = false;  // RIFF, WAVE, PCM "fmt " and "data" found
    int channels = 0;
    int rate = 0;
    int bits = 0;
    std::vector<std::int16_t> samples;  // interleaved
    int loops = -1;                     // -1 without "smpl"
    std::uint32_t loopStart = 0;
    std::uint32_t loopEnd = 0;
};
// Reads a RIFF WAVE file chunk by chunk, in whatever order its chunks come.
Wave ReadWave(const std::string& path);

// The clicks of a script, each mapped to the button whose centre it hits; a click elsewhere
// becomes a direction click with direction 0.
std::vector<assets::Click> ScriptClicks(const std::string& script);

// The maze model on the data folder's pictures.
assets::MazeRules ModelFromFiles(assets::PixelLayout layout = assets::PixelLayout::Rgb565);

}  // namespace assets_test

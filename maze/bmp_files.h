// Windows BMP files as the game reads them: 16 bits a pixel with the 5-6-5 masks, or 8-bit
// palettised, rows bottom-up. The readers take back exactly what the writers write, so that a maze
// can be made from the pictures of the data folder.
#pragma once

#include <optional>
#include <string>

#include "maze/byte_writer.h"
#include "maze/pictures.h"

namespace assets {

// 16 bits a pixel with the 5-6-5 masks; every colour must already lie on that grid.
Bytes Bmp16(const RgbPicture& picture);
Bytes Bmp8(const IndexedPicture& picture);

// Nothing when the bytes are not a file of that kind as Bmp16 or Bmp8 writes it.
std::optional<RgbPicture> ReadBmp16(const Bytes& bytes);
std::optional<IndexedPicture> ReadBmp8(const Bytes& bytes);

void WriteFile(const std::string& path, const Bytes& bytes);
// The whole file; nothing when it cannot be read.
std::optional<Bytes> ReadFile(const std::string& path);

}  // namespace assets

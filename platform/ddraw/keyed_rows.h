// The inner loop of every transparent copy of 16-bit pixels: the compositor's wipes and copies,
// the maze, the zoom window, the buttons and the sprites all come through here, about a million
// pixels a frame.
#pragma once

#include <cstdint>
#include <vector>

namespace platform::blit {

// dest[x] = source[x] for x in [0, width), except where source[x] - low, as a 16-bit unsigned
// value, is at most `span` (the key range low..low + span): there dest keeps its pixel. The rows
// must not overlap.
void CopyKeyedRow16(std::uint16_t* dest, const std::uint16_t* source, int width, std::uint16_t low, std::uint16_t span);

// Every way of running that loop this processor can take, the one chosen above among them, so
// that tests can hold each against the rule.
using KeyedRow16 = void (*)(std::uint16_t*, const std::uint16_t*, int, std::uint16_t, std::uint16_t);
std::vector<KeyedRow16> KeyedRow16Kernels();

}  // namespace platform::blit

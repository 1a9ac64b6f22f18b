// The inner loop of every stretched copy of 16-bit pixels: a target row picked from a source row,
// pixel by pixel. The zoom window gathers 58 rows of 232 pixels each time the player moves.
#pragma once

#include <cstdint>
#include <vector>

namespace platform::blit {

// to[x] = from[columns[x]] for x in [0, width); every columns[x] lies in [0, fromWidth) and the
// columns never fall from one x to the next. The rows must not overlap.
void GatherRow16(std::uint16_t* to, const std::uint16_t* from, const int* columns, int width, int fromWidth);

// Every way of running that loop this processor can take, the one chosen above among them, so
// that tests can hold each against the rule.
using GatherRow16Kernel = void (*)(std::uint16_t*, const std::uint16_t*, const int*, int, int);
std::vector<GatherRow16Kernel> GatherRow16Kernels();

// to[x] = from[x / factor] for x in [0, width): the same gather when the columns enlarge by a whole
// factor, as the zoom window's four do, where each source pixel is simply repeated.
void RepeatRow16(std::uint16_t* to, const std::uint16_t* from, int factor, int width);

}  // namespace platform::blit

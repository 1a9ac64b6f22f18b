// The masks the AVX-512 row kernels (keyed_rows.cpp, gather_rows.cpp) load and store under.
#pragma once

#include <cstdint>

namespace platform::blit {

// The first `count` of thirty-two 16-bit lanes, for count from 0 to 32: the part of a block of
// thirty-two pixels that lies inside the row.
inline std::uint32_t FirstLanes(int count) { return count >= 32 ? ~std::uint32_t{0} : (std::uint32_t{1} << count) - 1; }

}  // namespace platform::blit

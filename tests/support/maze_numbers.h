// The numbered mazes the tests make and play: 1, the last, days of several years and numbers
// spread between. The browser's test makes the same ones (tests/web/web_test.mjs).
#pragma once

#include <array>
#include <cstdint>

namespace test {

constexpr std::array<std::uint32_t, 20> kMazeNumbers = {
    1,    99999999, 20000101, 20240229, 20261208, 20991231, 2,        7,        42,       365,
    1000, 4096,     31337,    123456,   777777,   5000000,  12345678, 31415926, 77777777, 99999998};

}  // namespace test

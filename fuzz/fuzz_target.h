// The fuzz targets: each takes one input, feeds it to a loader the way the program would, and
// checks what the loader made of it. A broken check aborts with a message, so libFuzzer saves the
// input and an ordinary test that replays it fails. Shared by the libFuzzer programs and the
// regression test, so a saved input is replayed in every build, with or without clang.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace fuzz {

struct Target {
    const char* name;
    void (*run)(std::span<const std::uint8_t> input);
};

// bitmap16, bitmap8, wav, profile, hall_of_fame, screen_description, run_request.
std::span<const Target> Targets();
// Null when no target has the name.
const Target* FindTarget(std::string_view name);

// Aborts with the failed condition when `holds` is false.
void Check(bool holds, const char* what);

}  // namespace fuzz

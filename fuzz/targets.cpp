#include <cstdio>
#include <cstdlib>

#include "fuzz/fuzz_target.h"

namespace fuzz {

void Bitmap16(std::span<const std::uint8_t> input);
void Bitmap8(std::span<const std::uint8_t> input);
void Wav(std::span<const std::uint8_t> input);
void Profile(std::span<const std::uint8_t> input);
void HallOfFameFile(std::span<const std::uint8_t> input);
void ScreenDescription(std::span<const std::uint8_t> input);
void RunRequestBody(std::span<const std::uint8_t> input);

namespace {

constexpr Target kTargets[] = {
    {"bitmap16", Bitmap16},
    {"bitmap8", Bitmap8},
    {"wav", Wav},
    {"profile", Profile},
    {"hall_of_fame", HallOfFameFile},
    {"screen_description", ScreenDescription},
    {"run_request", RunRequestBody},
};

}  // namespace

std::span<const Target> Targets() { return kTargets; }

const Target* FindTarget(std::string_view name) {
    for (const Target& target : kTargets)
        if (name == target.name) return &target;
    return nullptr;
}

void Check(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::fflush(stderr);
    std::abort();
}

}  // namespace fuzz

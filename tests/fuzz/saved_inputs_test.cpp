// Every input the fuzzers found a fault with, every seed of ours and the third-party files of
// tests/corpora run through their targets, whose own checks abort on a fault: a mended fault stays
// mended in every build, with or without clang.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz/fuzz_target.h"

namespace {

namespace fs = std::filesystem;

const fs::path kFuzz = fs::path(STALKWAY_SOURCE_DIR) / "fuzz";
const fs::path kCorpora = STALKWAY_CORPORA;

// The folders whose files each target is given.
std::vector<fs::path> FoldersFor(const std::string& target) {
    std::vector<fs::path> folders{kFuzz / "regressions" / target, kFuzz / "seeds" / target};
    if (target == "bitmap16" || target == "bitmap8") folders.push_back(kCorpora / "bmp");
    if (target == "wav") folders.push_back(kCorpora / "wav");
    if (target == "profile") folders.push_back(kCorpora / "ini" / "fixtures");
    return folders;
}

std::vector<fs::path> InputsFor(const std::string& target) {
    std::vector<fs::path> inputs;
    for (const fs::path& folder : FoldersFor(target)) {
        if (!fs::is_directory(folder)) continue;
        for (const auto& entry : fs::recursive_directory_iterator(folder))
            if (entry.is_regular_file() && entry.path().extension() != ".md") inputs.push_back(entry.path());
    }
    std::sort(inputs.begin(), inputs.end());
    return inputs;
}

std::vector<std::uint8_t> Bytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

class SavedInputs : public ::testing::TestWithParam<std::string> {};

TEST_P(SavedInputs, RunThroughTheirTargetWithoutAFault) {
    const fuzz::Target* target = fuzz::FindTarget(GetParam());
    ASSERT_NE(target, nullptr);
    const std::vector<fs::path> inputs = InputsFor(GetParam());
    ASSERT_FALSE(inputs.empty()) << "no seeds for " << GetParam();
    for (const fs::path& input : inputs) {
        // A fault aborts inside the target: the last file named is the one.
        std::fprintf(stderr, "input %s\n", input.c_str());
        target->run(Bytes(input));
    }
}

INSTANTIATE_TEST_SUITE_P(Fuzz, SavedInputs,
                         ::testing::Values("bitmap16", "bitmap8", "wav", "profile", "hall_of_fame",
                                           "screen_description", "run_request"),
                         [](const auto& info) { return info.param; });

}  // namespace

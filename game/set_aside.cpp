#include "game/set_aside.h"

#include "platform/api/kernel.h"

namespace {

// Far more than anyone keeps; beyond it a folder is more likely broken than full of old copies.
constexpr int kMostCopies = 1000;

}  // namespace

std::string SetAside(const std::string& file, const std::string& suffix) {
    for (int copy = 0; copy <= kMostCopies; ++copy) {
        const std::string name = file + suffix + (copy == 0 ? "" : "." + std::to_string(copy));
        // Without MOVEFILE_REPLACE_EXISTING a taken name is refused, and the next one is tried.
        if (MoveFileExA(file.c_str(), name.c_str(), MOVEFILE_WRITE_THROUGH)) return name;
    }
    return {};
}

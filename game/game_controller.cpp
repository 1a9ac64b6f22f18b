#include "game/game_controller.h"

#include <cstdio>

#include "platform/api/file_names.h"
#include "platform/api/stored_files.h"

namespace {
constexpr char kBestFile[] = "hiscore.dat";
}  // namespace

int GameController::LoadBest() {
    std::FILE* in = bestFileTaken_ ? nullptr : std::fopen(platform::NativePath(kBestFile).c_str(), "rb");
    if (in == nullptr) {
        best_ = 0;
        return 0;
    }
    unsigned char bytes[sizeof bestByPlayer_] = {};
    const bool whole = std::fread(bytes, 1, sizeof bytes, in) == sizeof bytes;
    std::fclose(in);
    if (whole) {
        for (int i = 0; i < 10; ++i)
            bestByPlayer_[i] = static_cast<std::int32_t>(bytes[4 * i] | bytes[4 * i + 1] << 8 | bytes[4 * i + 2] << 16 |
                                                         static_cast<std::uint32_t>(bytes[4 * i + 3]) << 24);
    }
    best_ = bestByPlayer_[PlayerSlot()];
    return best_;
}

void GameController::SaveBest() {
    bestByPlayer_[PlayerSlot()] = best_;
    if (bestFileTaken_) return;
    unsigned char bytes[sizeof bestByPlayer_];
    for (int i = 0; i < 10; ++i)
        for (int b = 0; b < 4; ++b)
            bytes[4 * i + b] = static_cast<unsigned char>(static_cast<std::uint32_t>(bestByPlayer_[i]) >> (8 * b));
    StoreFileA(kBestFile, bytes, sizeof bytes);
}

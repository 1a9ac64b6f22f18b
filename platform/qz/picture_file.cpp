#include "platform/qz/picture_file.h"

#include <string>
#include <vector>

#include "platform/core/stored_file.h"
#include "platform/api/qz.h"
#include "platform/qz/png_writer.h"

namespace {

// Far more pictures than anyone takes in one second.
constexpr int kMostNamesTried = 100;

std::string g_asked;
std::string g_written;
int g_result = -1;

// "shot.png", "shot-2.png", "shot-3.png", ...
std::string Candidate(const std::string& file, int number) {
    if (number == 1) return file;
    const std::string::size_type dot = file.rfind('.');
    const std::string::size_type slash = file.rfind('/');
    const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    const std::string suffix = "-" + std::to_string(number);
    return hasExtension ? file.substr(0, dot) + suffix + file.substr(dot) : file + suffix;
}

bool StoreFresh(const std::string& file, const std::vector<std::uint8_t>& bytes) {
    namespace storage = platform::storage;
    const std::string_view contents(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    for (int number = 1; number <= kMostNamesTried; ++number) {
        g_written = Candidate(file, number);
        const storage::Stored stored = storage::Store(g_written, contents, storage::StoreMode::kFresh);
        if (stored != storage::Stored::kTaken) return stored == storage::Stored::kDone;
    }
    return false;
}

}  // namespace

void QZSaveNextPicture(const char* file) {
    g_asked = file != nullptr ? file : "";
    g_written = g_asked;
    g_result = -1;
}

int QZSavedPicture() {
    const int result = g_result;
    g_result = -1;
    return result;
}

const char* QZSavedPictureFile() { return g_written.c_str(); }

namespace platform::qz {

// Written at the flip, from the picture handed to the display: exactly what the player sees, with
// no copy of it kept between flips.
void SavePictureIfAsked(const Picture& picture) {
    if (g_asked.empty()) return;
    std::vector<std::uint8_t> bytes;
    const bool stored = EncodePng(picture, &bytes) && StoreFresh(g_asked, bytes);
    g_result = !stored ? 0 : platform::GetBackend().OfferToPlayer(g_written) ? 2 : 1;
    g_asked.clear();
}

}  // namespace platform::qz

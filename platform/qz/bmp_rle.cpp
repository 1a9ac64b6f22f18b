#include "platform/qz/bmp_rle.h"

#include <cstddef>

namespace platform {

namespace {

// Rows count upwards from the bottom, as the stream lists them.
class RleWalk {
public:
    RleWalk(std::span<const std::uint8_t> stream, int width, int height, bool fourBit)
        : stream_(stream), width_(width), height_(height), fourBit_(fourBit) {}

    bool Run() {
        while (at_ + 2 <= stream_.size()) {
            const int count = stream_[at_];
            const int value = stream_[at_ + 1];
            at_ += 2;
            if (count != 0) {
                if (!Draw(count)) return false;
            } else if (value == 1) {
                return true;
            } else if (!Escape(value)) {
                return false;
            }
        }
        return false;  // ran out before the end-of-bitmap code
    }

private:
    bool Draw(int pixels) {
        if (y_ >= height_ || x_ + pixels > width_) return false;
        x_ += pixels;
        return true;
    }

    bool Escape(int code) {
        if (code == 0) {  // end of line
            x_ = 0;
            return ++y_ <= height_;
        }
        if (code == 2) {  // move right and up
            if (at_ + 2 > stream_.size()) return false;
            x_ += stream_[at_];
            y_ += stream_[at_ + 1];
            at_ += 2;
            return x_ <= width_ && y_ <= height_;
        }
        // A literal run of `code` pixels, padded to a whole number of 16-bit words.
        std::size_t bytes = fourBit_ ? (code + 1) / 2 : code;
        bytes += bytes & 1;
        if (at_ + bytes > stream_.size()) return false;
        at_ += bytes;
        return Draw(code);
    }

    std::span<const std::uint8_t> stream_;
    const int width_;
    const int height_;
    const bool fourBit_;
    std::size_t at_ = 0;
    int x_ = 0;
    int y_ = 0;
};

}  // namespace

bool RleStreamFits(std::span<const std::uint8_t> stream, int width, int height, bool fourBit) {
    return RleWalk(stream, width, height, fourBit).Run();
}

}  // namespace platform

#include "platform/qz/bmp_rle.h"

#include <cstddef>

namespace platform {

namespace {

// The high nibble comes first: an RLE4 run alternates its byte's two nibbles, a literal run
// takes its bytes' nibbles in turn.
std::uint8_t Nibble(std::uint8_t byte, int i) {
    return static_cast<std::uint8_t>(i % 2 == 0 ? byte >> 4 : byte & 0x0F);
}

// Rows count upwards from the bottom, as the stream lists them. Without a picture to draw into,
// the walk only checks the stream.
class RleWalk {
public:
    RleWalk(std::span<const std::uint8_t> stream, int width, int height, bool fourBit, std::uint8_t* picture)
        : stream_(stream), width_(width), height_(height), fourBit_(fourBit), picture_(picture) {}

    bool Run() {
        while (at_ + 2 <= stream_.size()) {
            const int count = stream_[at_];
            const std::uint8_t value = stream_[at_ + 1];
            at_ += 2;
            if (count != 0) {
                if (!DrawRun(count, value)) return false;
            } else if (value == 1) {
                return true;
            } else if (!Escape(value)) {
                return false;
            }
        }
        return false;  // ran out before the end-of-bitmap code
    }

private:
    bool Fits(int pixels) const { return y_ < height_ && x_ + pixels <= width_; }

    // Where the cursor's pixel lives in a picture stored top row first.
    std::uint8_t* Cursor() const { return picture_ + static_cast<std::ptrdiff_t>(height_ - 1 - y_) * width_ + x_; }

    bool DrawRun(int count, std::uint8_t value) {
        if (!Fits(count)) return false;
        if (picture_ != nullptr) {
            std::uint8_t* out = Cursor();
            for (int i = 0; i < count; ++i) out[i] = fourBit_ ? Nibble(value, i) : value;
        }
        x_ += count;
        return true;
    }

    bool DrawLiteral(int count, const std::uint8_t* bytes) {
        if (!Fits(count)) return false;
        if (picture_ != nullptr) {
            std::uint8_t* out = Cursor();
            for (int i = 0; i < count; ++i) out[i] = fourBit_ ? Nibble(bytes[i / 2], i) : bytes[i];
        }
        x_ += count;
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
        const std::uint8_t* literal = stream_.data() + at_;
        at_ += bytes;
        return DrawLiteral(code, literal);
    }

    std::span<const std::uint8_t> stream_;
    const int width_;
    const int height_;
    const bool fourBit_;
    std::uint8_t* const picture_;
    std::size_t at_ = 0;
    int x_ = 0;
    int y_ = 0;
};

}  // namespace

bool RleStreamFits(std::span<const std::uint8_t> stream, int width, int height, bool fourBit) {
    return RleWalk(stream, width, height, fourBit, nullptr).Run();
}

std::optional<std::vector<std::uint8_t>> ExpandRle(std::span<const std::uint8_t> stream, int width, int height,
                                                   bool fourBit) {
    // Checked first, so that a damaged stream costs no picture-sized allocation.
    if (!RleStreamFits(stream, width, height, fourBit)) return std::nullopt;
    std::vector<std::uint8_t> picture(static_cast<std::size_t>(width) * height, 0);
    if (!RleWalk(stream, width, height, fourBit, picture.data()).Run()) return std::nullopt;
    return picture;
}

}  // namespace platform

// Little-endian bytes appended one field at a time, as the file formats the generator writes lay
// them out; a size written early is set once the rest is known.
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace assets {

using Bytes = std::vector<std::uint8_t>;

class Writer {
public:
    void U8(unsigned v) { bytes_.push_back(static_cast<std::uint8_t>(v)); }
    void U16(unsigned v) {
        U8(v & 255);
        U8(v >> 8 & 255);
    }
    void U32(std::uint32_t v) {
        U16(v & 0xFFFF);
        U16(v >> 16);
    }
    void Tag(const char* tag) {
        for (int i = 0; i < 4; ++i) U8(static_cast<unsigned char>(tag[i]));
    }
    void PutU32(std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) bytes_[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    }
    std::size_t Size() const { return bytes_.size(); }
    Bytes Take() { return std::move(bytes_); }

private:
    Bytes bytes_;
};

}  // namespace assets

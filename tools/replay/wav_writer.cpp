#include "tools/replay/wav_writer.h"

#include <string>

namespace replay {
namespace {

void Put(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

}  // namespace

bool WriteWav(std::ostream& out, const std::vector<std::int16_t>& samples, int rate) {
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    std::string header = "RIFF";
    Put(header, 36 + dataBytes, 4);
    header += "WAVEfmt ";
    Put(header, 16, 4);
    Put(header, 1, 2);  // PCM
    Put(header, 2, 2);  // channels
    Put(header, static_cast<std::uint32_t>(rate), 4);
    Put(header, static_cast<std::uint32_t>(rate) * 4, 4);
    Put(header, 4, 2);   // block alignment
    Put(header, 16, 2);  // bits per sample
    header += "data";
    Put(header, dataBytes, 4);
    out.write(header.data(), static_cast<std::streamsize>(header.size()));
    std::string body;
    body.reserve(dataBytes);
    for (std::int16_t sample : samples) Put(body, static_cast<std::uint16_t>(sample), 2);
    out.write(body.data(), static_cast<std::streamsize>(body.size()));
    out.flush();
    return static_cast<bool>(out);
}

}  // namespace replay

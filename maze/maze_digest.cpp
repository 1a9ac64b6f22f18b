#include "maze/maze_digest.h"

#include <cstdio>

namespace assets {

namespace {

std::string Line(const std::string& name, std::uint64_t hash) {
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
    return std::string(hex) + ' ' + name + '\n';
}

}  // namespace

std::uint64_t Fnv1a64(const Bytes& bytes) {
    std::uint64_t hash = 0xcbf29ce484222325ull;
    for (std::uint8_t b : bytes) hash = (hash ^ b) * 0x100000001b3ull;
    return hash;
}

std::string DigestText(const std::vector<std::string>& names, const std::vector<std::uint64_t>& hashes) {
    std::string text;
    for (std::size_t i = 0; i < names.size() && i < hashes.size(); ++i) text += Line(names[i], hashes[i]);
    return text;
}

bool DigestLists(const std::string& digest, const std::string& name, std::uint64_t hash) {
    const std::string line = Line(name, hash);
    const std::size_t at = digest.find(line);
    return at != std::string::npos && (at == 0 || digest[at - 1] == '\n');
}

}  // namespace assets

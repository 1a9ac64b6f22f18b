// The digest a maze's cache is checked against: one line per file, its FNV-1a 64-bit hash in hex
// and its name. A file changed, cut short or missing no longer matches its line.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "maze/bmp_files.h"

namespace assets {

std::uint64_t Fnv1a64(const Bytes& bytes);
// `hashes[i]` belongs to `names[i]`.
std::string DigestText(const std::vector<std::string>& names, const std::vector<std::uint64_t>& hashes);
// Whether the digest has this hash for `name`.
bool DigestLists(const std::string& digest, const std::string& name, std::uint64_t hash);

}  // namespace assets

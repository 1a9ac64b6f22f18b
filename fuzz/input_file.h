// The loaders read files, so each input is written to a file first: one folder per process,
// under the temporary folder (a memory file system when TMPDIR points at one), removed at exit.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace fuzz {

// The process's own folder, made on first use.
const std::string& ScratchFolder();
// Writes the bytes to `name` in the scratch folder, replacing what was there; returns its path.
std::string WriteScratchFile(const std::string& name, std::span<const std::uint8_t> bytes);
std::string ReadScratchFile(const std::string& name);

}  // namespace fuzz

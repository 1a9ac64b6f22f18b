// Keeping a stored file the game cannot use: it is renamed out of the way instead of overwritten,
// so that whatever it still holds can be recovered by hand.
#pragma once

#include <string>

// Renames `file` to `file` + suffix, or, when that name is taken, to the first free one of
// `file` + suffix + ".1", ".2" and so on. Returns the new name, or an empty string when the file
// could not be moved. Never replaces anything already there.
std::string SetAside(const std::string& file, const std::string& suffix);

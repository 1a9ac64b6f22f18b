// The profile files as this program last read them. A new game reads the player's settings some
// dozens of times, most of them of a file that is not there, and each read of a file by name
// costs several file calls (finding the name's spelling, opening, reading, closing). A profile
// read once is answered from its copy until it may have changed: this program wrote, moved or
// deleted a file through the file layer, or was told of a change made elsewhere (read_cache.h's
// signals), or, natively, where another program may edit the file at any time, a status of the
// file (of its folder, for a missing one) no longer matches the one taken when it was read. Only
// the folder the name was found in (or would be made in) is watched: a copy put by another
// program into the settings folder, read before the data folder, shows once this program changes
// a file or starts again; its own writes go there, and drop every copy.
#pragma once

#include <memory>
#include <string>

namespace platform::profile {

enum class Load { Read, Missing, Refused };

// The whole file at a native path. Larger files than a profile may be are refused whole: read as
// if missing, never rewritten, so no part of one is lost.
Load ReadWhole(const std::string& path, std::string* text);

struct Profile {
    Load load = Load::Missing;
    std::shared_ptr<const std::string> text;  // when read
};

// The file the Windows name stands for, as it is now. The caller holds the profile calls' lock.
Profile CurrentProfile(const char* fileName);

}  // namespace platform::profile

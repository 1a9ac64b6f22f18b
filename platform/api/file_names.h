// Windows-style file names on this system. Names are relative to the working directory, with
// backslashes as separators (".\sounds\bell.wav", "..\options.ini"). Where the exact name does not
// exist, each component is matched without regard to case, as the original file system did.
#pragma once

#include <string>

namespace platform {

// The native path for a Windows-style name. For a name that does not exist yet (a file about to
// be created) the existing leading folders are still matched without regard to case.
std::string NativePath(const char* windowsName);

}  // namespace platform

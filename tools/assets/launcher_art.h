// The launcher's pictures: its 800x600 background and the signs of its five buttons, in the
// game's style. The places match the launcher's own layout (launcher/launcher_layout.h).
#pragma once

#include <string>
#include <vector>

#include "tools/assets/data_folder.h"

namespace assets {

// Under the names the launcher loads them by, relative to its folder.
std::vector<DataFile> LauncherFiles();
// Writes them; the launcher's options file beside them is never touched.
void LayOutLauncherFolder(const std::string& folder, const std::vector<DataFile>& files);

}  // namespace assets

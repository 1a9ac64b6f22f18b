// Files that outlast the page: the browser's IndexedDB, mounted by the page at /kept. A saved file
// is copied under /kept at its own path before it takes its name, and the folder is written back to the database; the
// page copies everything kept back over the data before the program starts.
#pragma once

#include <string>

namespace platform::web {

// False when the copy or the database write failed, or there is no database (the page could not
// open one): the save then fails as a refused write would.
bool KeepFile(const std::string& written, const std::string& storedPath);

// The page's thread, when the database write numbered `number` has finished; an answer to any
// but the sync KeepFile waits for now is dropped.
void KeptFilesSynced(int number, bool ok);

}  // namespace platform::web

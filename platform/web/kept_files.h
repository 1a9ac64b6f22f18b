// Files that outlast the page: the browser's IndexedDB, mounted by the page at /kept and shared by
// every tab of the game. A saved file is copied under /kept at its own path before it takes its
// name, and that one entry is written to the database (the page's kept.js); the page copies
// everything kept back over the data before the program starts. Read-merge-writes hold the
// browser's lock on the player's files, which all tabs share, and begin with what other tabs
// stored since.
#pragma once

#include <string>

namespace platform::web {

// Waits until this program holds the browser's lock on the player's files and has brought in what
// other tabs kept since; false when it could not (the page's lock did not answer in time). Holds
// nest, and while one thread of the program holds the lock the others wait for it.
bool HoldKeptFiles();
// Ends the hold HoldKeptFiles took; the last one lets the other tabs have the lock.
void ReleaseKeptFiles();

// False when the copy or the database write failed, or there is no database (the page could not
// open one): the save then fails as a refused write would. Holds the lock while it keeps the file.
bool KeepFile(const std::string& written, const std::string& storedPath);

// The page's thread, when what the program asked for under `number` has been done (ok) or has
// failed. False when the program no longer waits for that answer (it gave up, or it is an answer to
// an earlier request): a lock granted that late is then let go by the page.
bool KeptFilesAnswered(int number, bool ok);

}  // namespace platform::web

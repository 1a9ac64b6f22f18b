// This system's own additions to the file functions, for the files the family keeps (the hall of
// fame, the winners' file, the options and setup files). A store puts the whole new file in place
// in one step or changes nothing: a reader sees the old file or the new one, never a mixture, and
// never a part of one after a crash or a full disk. Where files do not outlast the program (the
// browser), the file is kept before it takes its name.
#pragma once

#include "platform/api/types.h"

// The file named `name` now holds exactly `size` bytes of `data`; FALSE when it could not be
// stored, and then the old file, if any, is as it was. A replaced file keeps its permissions.
BOOL StoreFileA(LPCSTR name, LPCVOID data, DWORD size);

// The `count` keys of one section set to their values (a null value deletes its key) in one store
// of the profile file, as that many WritePrivateProfileStringA calls would leave it but all or
// none of them: a record of several keys is never half written. Programs that store the same
// profile file at once take turns, each changing only what it writes.
BOOL WritePrivateProfileKeysA(LPCSTR section, const LPCSTR* keys, const LPCSTR* values, DWORD count, LPCSTR fileName);

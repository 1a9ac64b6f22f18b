// Calls of GetPrivateProfileStringA condensed to one comparable text.
#pragma once

#include <string>

#include "platform/api/kernel.h"

// "<ret> <value>" for a single value; also checks that the value ends where ret says.
std::string Value(const char* section, const char* key, const char* defaultValue, const std::string& file,
                  DWORD size = 260);

// "<ret> <bytes>" for a listing: the buffer up to two bytes past ret, NULs included. The buffer
// starts filled with '\f', so a '\f' there is a byte the call did not write.
std::string List(const char* section, const char* key, const std::string& file, DWORD size);

#include "profile_support.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// Room beyond `size`, filled with a marker, shows any write past the caller's buffer.
std::vector<char> Buffer(DWORD size) { return std::vector<char>(size + 16, '\x0c'); }

}  // namespace

std::string Value(const char* section, const char* key, const char* defaultValue, const std::string& file, DWORD size) {
    std::vector<char> buffer = Buffer(size);
    const DWORD ret = GetPrivateProfileStringA(section, key, defaultValue, buffer.data(), size, file.c_str());
    if (size > 0 && (ret >= size || std::strlen(buffer.data()) != ret)) return "<not terminated>";
    if (buffer[size] != '\x0c') return "<overrun>";
    return std::to_string(ret) + " " + (size > 0 ? buffer.data() : "");
}

std::string List(const char* section, const char* key, const std::string& file, DWORD size) {
    std::vector<char> buffer = Buffer(size);
    const DWORD ret = GetPrivateProfileStringA(section, key, "dflt", buffer.data(), size, file.c_str());
    if (buffer[size] != '\x0c') return "<overrun>";
    const std::size_t shown = std::min<std::size_t>(size, ret + 2);
    return std::to_string(ret) + " " + std::string(buffer.data(), shown);
}

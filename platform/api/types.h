// Basic Windows types and result codes, sized as the program expects them on every system:
// DWORD and LONG are 32 bits here even where the native long is 64.
#pragma once

#include <cstddef>
#include <cstdint>

using BOOL = int;
using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using LONG = std::int32_t;
using ULONG = std::uint32_t;
using UINT = unsigned int;
using SHORT = std::int16_t;
using USHORT = std::uint16_t;
using HRESULT = std::int32_t;
using ATOM = WORD;
using SIZE_T = std::size_t;
using DWORD_PTR = std::uintptr_t;

using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;

using LPSTR = char*;
using LPCSTR = const char*;
using LPVOID = void*;
using LPCVOID = const void*;
using LPDWORD = DWORD*;
using LPLONG = LONG*;

inline constexpr BOOL FALSE = 0;
inline constexpr BOOL TRUE = 1;

// Handles are opaque pointers; each kind is its own type so they cannot be mixed up.
using HANDLE = void*;
struct HWND__;
struct HINSTANCE__;
struct HDC__;
struct HICON__;
struct HMENU__;
struct HGDIOBJ__;
struct HBITMAP__;
using HWND = HWND__*;
using HINSTANCE = HINSTANCE__*;
using HDC = HDC__*;
using HICON = HICON__*;
using HCURSOR = HICON__*;
using HMENU = HMENU__*;
using HGDIOBJ = HGDIOBJ__*;
using HBRUSH = HGDIOBJ__*;
using HBITMAP = HBITMAP__*;
using HGLOBAL = void*;

inline const HANDLE INVALID_HANDLE_VALUE = reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(-1));

struct RECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
};
using LPRECT = RECT*;

struct POINT {
    LONG x;
    LONG y;
};
using LPPOINT = POINT*;

struct MSG {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;
    POINT pt;
};
using LPMSG = MSG*;

struct FILETIME {
    DWORD dwLowDateTime;
    DWORD dwHighDateTime;
};

// Not Windows declarations: the arithmetic its programs do through ULARGE_INTEGER, written once.
// A FILETIME counts 100 ns steps from 1601, this many before 1970.
inline constexpr std::uint64_t kFileTimeStepsBefore1970 = 116444736000000000ull;
inline constexpr std::uint64_t FileTimeSteps(const FILETIME& t) {
    return (std::uint64_t{t.dwHighDateTime} << 32) | t.dwLowDateTime;
}
inline constexpr FILETIME FileTimeOfSteps(std::uint64_t steps) {
    return FILETIME{static_cast<DWORD>(steps), static_cast<DWORD>(steps >> 32)};
}

struct GUID {
    std::uint32_t Data1;
    std::uint16_t Data2;
    std::uint16_t Data3;
    std::uint8_t Data4[8];
};
using IID = GUID;
using REFIID = const IID&;
inline bool operator==(const GUID& a, const GUID& b) {
    if (a.Data1 != b.Data1 || a.Data2 != b.Data2 || a.Data3 != b.Data3) return false;
    for (int i = 0; i < 8; ++i)
        if (a.Data4[i] != b.Data4[i]) return false;
    return true;
}

inline constexpr WORD LOWORD(std::uintptr_t v) { return static_cast<WORD>(v & 0xFFFF); }
inline constexpr WORD HIWORD(std::uintptr_t v) { return static_cast<WORD>((v >> 16) & 0xFFFF); }
inline constexpr LPARAM MAKELPARAM(WORD lo, WORD hi) {
    return static_cast<LPARAM>(static_cast<DWORD>(lo) | (static_cast<DWORD>(hi) << 16));
}

inline constexpr HRESULT MakeHresult(std::uint32_t v) { return static_cast<HRESULT>(v); }
inline constexpr bool SUCCEEDED(HRESULT hr) { return hr >= 0; }
inline constexpr bool FAILED(HRESULT hr) { return hr < 0; }

inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT S_FALSE = 1;
inline constexpr HRESULT E_FAIL = MakeHresult(0x80004005u);
inline constexpr HRESULT E_NOINTERFACE = MakeHresult(0x80004002u);
inline constexpr HRESULT E_INVALIDARG = MakeHresult(0x80070057u);
inline constexpr HRESULT E_OUTOFMEMORY = MakeHresult(0x8007000Eu);

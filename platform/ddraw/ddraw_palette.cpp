#include "platform/ddraw/ddraw_palette.h"

#include <algorithm>

namespace platform {

namespace {

bool RangeFits(DWORD base, DWORD count, const void* entries) {
    return entries != nullptr && base <= DdPalette::kEntries && count <= DdPalette::kEntries - base;
}

}  // namespace

ULONG DdPalette::AddRef() { return ++references_; }

ULONG DdPalette::Release() {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
}

HRESULT DdPalette::GetEntries(DWORD /*flags*/, DWORD base, DWORD count, PALETTEENTRY* entries) {
    if (!RangeFits(base, count, entries)) return DDERR_INVALIDPARAMS;
    std::copy_n(entries_.begin() + base, count, entries);
    return DD_OK;
}

HRESULT DdPalette::SetEntries(DWORD /*flags*/, DWORD base, DWORD count, const PALETTEENTRY* entries) {
    if (!RangeFits(base, count, entries)) return DDERR_INVALIDPARAMS;
    std::copy_n(entries, count, entries_.begin() + base);
    return DD_OK;
}

}  // namespace platform

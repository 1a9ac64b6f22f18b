// The 256-entry palette an 8-bit surface carries.
#pragma once

#include <array>
#include <atomic>

#include "platform/api/ddraw.h"

namespace platform {

class DdPalette final : public IDirectDrawPalette {
public:
    static constexpr DWORD kEntries = 256;

    // Starts with one reference and every entry black.
    DdPalette() = default;

    ULONG AddRef() override;
    ULONG Release() override;
    // Both refuse a range that does not lie within the 256 entries.
    HRESULT GetEntries(DWORD flags, DWORD base, DWORD count, PALETTEENTRY* entries) override;
    HRESULT SetEntries(DWORD flags, DWORD base, DWORD count, const PALETTEENTRY* entries) override;

    const std::array<PALETTEENTRY, kEntries>& Entries() const { return entries_; }

private:
    ~DdPalette() override = default;

    std::atomic<ULONG> references_{1};
    std::array<PALETTEENTRY, kEntries> entries_{};
};

}  // namespace platform

// Flag words that the main thread and the sound threads both change: every change is one atomic
// read-modify-write, so neither side loses the other's bits.
#pragma once

#include <atomic>

#include "platform/api/types.h"

inline bool TestFlags(const DWORD& word, DWORD bits) { return (std::atomic_ref<const DWORD>(word).load() & bits) != 0; }

inline void SetFlags(DWORD& word, DWORD bits) { std::atomic_ref<DWORD>(word).fetch_or(bits); }

inline void ClearFlags(DWORD& word, DWORD bits) { std::atomic_ref<DWORD>(word).fetch_and(~bits); }

inline void StoreFlags(DWORD& word, DWORD value) { std::atomic_ref<DWORD>(word).store(value); }

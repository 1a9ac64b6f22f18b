// Flag words that the main thread and the sound threads both change: every change is one atomic
// read-modify-write, so neither side loses the other's bits.
#pragma once

#include <atomic>

#include "platform/api/types.h"

#if defined(__cpp_lib_atomic_ref)
template <class T>
using AtomicRef = std::atomic_ref<T>;
#else
// The browser build's C++ library has no std::atomic_ref yet; the compiler's atomic operations on
// a plain object are what it would do.
template <class T>
class AtomicRef {
public:
    explicit AtomicRef(T& object) : object_(&object) {}
    T load() const { return __atomic_load_n(object_, __ATOMIC_SEQ_CST); }
    void store(T value) const { __atomic_store_n(object_, value, __ATOMIC_SEQ_CST); }
    T fetch_or(T bits) const { return __atomic_fetch_or(object_, bits, __ATOMIC_SEQ_CST); }
    T fetch_and(T bits) const { return __atomic_fetch_and(object_, bits, __ATOMIC_SEQ_CST); }
    bool compare_exchange_strong(T& expected, T desired) const {
        return __atomic_compare_exchange_n(object_, &expected, desired, false, __ATOMIC_SEQ_CST, __ATOMIC_SEQ_CST);
    }

private:
    T* object_;
};
#endif

inline bool TestFlags(const DWORD& word, DWORD bits) { return (AtomicRef<const DWORD>(word).load() & bits) != 0; }

inline void SetFlags(DWORD& word, DWORD bits) { AtomicRef<DWORD>(word).fetch_or(bits); }

inline void ClearFlags(DWORD& word, DWORD bits) { AtomicRef<DWORD>(word).fetch_and(~bits); }

inline void StoreFlags(DWORD& word, DWORD value) { AtomicRef<DWORD>(word).store(value); }

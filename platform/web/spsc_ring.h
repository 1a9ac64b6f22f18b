// A ring that one thread fills and one other thread empties, without locks: the page's thread
// shares memory with the program's threads but must never wait for them.
#pragma once

#include <algorithm>
#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>

namespace platform::web {

template <class T, std::size_t N>
class SpscRing {
    static_assert((N & (N - 1)) == 0, "the capacity is a power of two, so that the counters may wrap");
    static_assert(std::atomic<std::uint32_t>::is_always_lock_free && sizeof(std::atomic<std::uint32_t>) == 4,
                  "a reader in another language takes the counters as plain 32-bit atomics");

public:
    static constexpr std::size_t kCapacity = N;

    // Where the items and the counters lie, for an emptying thread that is not C++ but shares the
    // memory (the page's audio worklet). It must empty the ring as Pop does: load the head and
    // the tail atomically, copy the items from head to tail (each at its counter modulo N), then
    // store the new head atomically; the counters are unsigned 32-bit and wrap.
    struct Layout {
        const T* items;
        const std::atomic<std::uint32_t>* head;
        const std::atomic<std::uint32_t>* tail;
    };
    Layout Shared() const { return Layout{items_.data(), &head_, &tail_}; }

    std::size_t Size() const { return tail_.load(std::memory_order_acquire) - head_.load(std::memory_order_acquire); }
    std::size_t Free() const { return N - Size(); }

    // The filling thread: as many of `items` as there is room for; returns how many.
    std::size_t Push(const T* items, std::size_t count) {
        const std::uint32_t tail = tail_.load(std::memory_order_relaxed);
        const std::size_t n = std::min(count, N - (tail - head_.load(std::memory_order_acquire)));
        for (std::size_t i = 0; i < n; ++i) items_[(tail + i) & (N - 1)] = items[i];
        tail_.store(tail + static_cast<std::uint32_t>(n), std::memory_order_release);
        return n;
    }

    // The emptying thread: up to `count` items, oldest first; returns how many.
    std::size_t Pop(T* out, std::size_t count) {
        const std::uint32_t head = head_.load(std::memory_order_relaxed);
        const std::size_t n = std::min<std::size_t>(count, tail_.load(std::memory_order_acquire) - head);
        for (std::size_t i = 0; i < n; ++i) out[i] = items_[(head + i) & (N - 1)];
        head_.store(head + static_cast<std::uint32_t>(n), std::memory_order_release);
        return n;
    }

private:
    std::array<T, N> items_{};
    std::atomic<std::uint32_t> head_{0};  // the next item to take
    std::atomic<std::uint32_t> tail_{0};  // where the next item goes
};

}  // namespace platform::web

#include <algorithm>
#include <cstring>

#include <gtest/gtest.h>

#include "platform/api/kernel.h"

namespace {

TEST(GlobalMemoryTest, FixedBlockIsItsOwnAddress) {
    HGLOBAL block = GlobalAlloc(GMEM_FIXED, 64);
    ASSERT_NE(block, nullptr);
    std::memset(block, 0x5A, 64);
    EXPECT_EQ(GlobalLock(block), block);
    EXPECT_TRUE(GlobalUnlock(block));
    EXPECT_EQ(GlobalFree(block), nullptr);
    EXPECT_EQ(GlobalFree(block), block);  // already freed
    EXPECT_EQ(GlobalLock(block), nullptr);
    HGLOBAL empty = GlobalAlloc(GMEM_FIXED, 0);
    EXPECT_NE(empty, nullptr);
    EXPECT_EQ(GlobalFree(empty), nullptr);
}

TEST(GlobalMemoryTest, MovableBlockIsReachedThroughItsLocks) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 256);
    ASSERT_NE(block, nullptr);
    EXPECT_FALSE(GlobalUnlock(block));  // not locked
    auto* first = static_cast<unsigned char*>(GlobalLock(block));
    ASSERT_NE(first, nullptr);
    EXPECT_NE(static_cast<void*>(first), block);
    first[255] = 7;
    EXPECT_EQ(GlobalLock(block), first);
    EXPECT_TRUE(GlobalUnlock(block));   // still locked once
    EXPECT_FALSE(GlobalUnlock(block));  // now unlocked
    EXPECT_EQ(static_cast<unsigned char*>(GlobalLock(block))[255], 7);
    EXPECT_EQ(GlobalFree(block), nullptr);  // freed although locked
    EXPECT_EQ(GlobalLock(block), nullptr);

    HGLOBAL empty = GlobalAlloc(GMEM_MOVEABLE, 0);
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(GlobalLock(empty), nullptr);
    EXPECT_EQ(GlobalFree(empty), nullptr);
}

TEST(GlobalMemoryTest, ZeroInitClearsReusedMemory) {
    constexpr SIZE_T kSize = 1 << 16;
    for (UINT kind : {GMEM_FIXED, GMEM_MOVEABLE}) {
        // Dirty a block first so that the next one of the same size is likely to reuse it.
        HGLOBAL dirty = GlobalAlloc(kind, kSize);
        std::memset(GlobalLock(dirty), 0xCD, kSize);
        GlobalFree(dirty);
        HGLOBAL block = GlobalAlloc(kind | GMEM_ZEROINIT, kSize);
        const auto* bytes = static_cast<const unsigned char*>(GlobalLock(block));
        ASSERT_NE(bytes, nullptr);
        EXPECT_TRUE(std::all_of(bytes, bytes + kSize, [](unsigned char b) { return b == 0; }));
        GlobalFree(block);
    }
}

TEST(GlobalMemoryTest, UnknownHandlesAreRefused) {
    int local = 0;
    EXPECT_EQ(GlobalLock(&local), nullptr);
    EXPECT_FALSE(GlobalUnlock(&local));
    EXPECT_EQ(GlobalFree(&local), &local);
    EXPECT_EQ(GlobalFree(nullptr), nullptr);
}

}  // namespace

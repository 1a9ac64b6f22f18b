// Global memory blocks. A fixed block's handle is its address; a movable block's handle is the
// address of its bookkeeping record, which is never handed out as memory. Every handle is looked
// up before use, so a freed or made-up one is refused.
#include <cstdlib>
#include <memory>
#include <mutex>
#include <unordered_map>

#include "platform/api/kernel.h"

namespace {

struct Block {
    void* memory = nullptr;  // null for a movable block of zero bytes, which cannot be locked
    bool movable = false;
    unsigned locks = 0;
    ~Block() { std::free(memory); }
};

struct BlockTable {
    std::mutex mutex;
    std::unordered_map<HGLOBAL, std::unique_ptr<Block>> blocks;
};

BlockTable& Table() {
    static BlockTable table;
    return table;
}

// Call with the table locked.
Block* Find(BlockTable& table, HGLOBAL handle) {
    auto it = table.blocks.find(handle);
    return it == table.blocks.end() ? nullptr : it->second.get();
}

}  // namespace

HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes) {
    auto block = std::make_unique<Block>();
    block->movable = (flags & GMEM_MOVEABLE) != 0;
    // A fixed block is its own handle, so even a zero-byte one needs an address.
    if (bytes > 0 || !block->movable) {
        const SIZE_T size = bytes > 0 ? bytes : 1;
        block->memory = (flags & GMEM_ZEROINIT) ? std::calloc(size, 1) : std::malloc(size);
        if (block->memory == nullptr) return nullptr;
    }
    HGLOBAL handle = block->movable ? static_cast<HGLOBAL>(block.get()) : block->memory;
    BlockTable& table = Table();
    std::lock_guard lock(table.mutex);
    table.blocks.emplace(handle, std::move(block));
    return handle;
}

LPVOID GlobalLock(HGLOBAL memory) {
    BlockTable& table = Table();
    std::lock_guard lock(table.mutex);
    Block* block = Find(table, memory);
    if (block == nullptr || block->memory == nullptr) return nullptr;
    if (block->movable) ++block->locks;
    return block->memory;
}

// TRUE while the block stays locked. A fixed block has no lock count and always answers TRUE.
BOOL GlobalUnlock(HGLOBAL memory) {
    BlockTable& table = Table();
    std::lock_guard lock(table.mutex);
    Block* block = Find(table, memory);
    if (block == nullptr) return FALSE;
    if (!block->movable) return TRUE;
    if (block->locks == 0) return FALSE;
    return --block->locks > 0 ? TRUE : FALSE;
}

// Null on success; the handle itself when it is not a live block. A locked block is freed too.
HGLOBAL GlobalFree(HGLOBAL memory) {
    if (memory == nullptr) return nullptr;
    std::unique_ptr<Block> freed;  // released outside the lock
    BlockTable& table = Table();
    std::lock_guard lock(table.mutex);
    auto it = table.blocks.find(memory);
    if (it == table.blocks.end()) return memory;
    freed = std::move(it->second);
    table.blocks.erase(it);
    return nullptr;
}

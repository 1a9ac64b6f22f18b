#include "platform/core/handles.h"

#include <cstdint>
#include <mutex>
#include <unordered_map>

#include "platform/api/kernel.h"

namespace platform {
namespace {

struct HandleTable {
    std::mutex mutex;
    std::unordered_map<std::uintptr_t, std::shared_ptr<KernelObject>> objects;
    // Starts well away from 0 and from INVALID_HANDLE_VALUE; steps by 4 as Windows handles do.
    std::uintptr_t next = 0x1000;
};

HandleTable& Table() {
    static HandleTable table;
    return table;
}

}  // namespace

HANDLE NewHandle(std::shared_ptr<KernelObject> object) {
    HandleTable& table = Table();
    std::lock_guard lock(table.mutex);
    const std::uintptr_t value = table.next;
    table.next += 4;
    table.objects.emplace(value, std::move(object));
    return reinterpret_cast<HANDLE>(value);
}

std::shared_ptr<KernelObject> LookupHandle(HANDLE handle) {
    HandleTable& table = Table();
    std::lock_guard lock(table.mutex);
    auto it = table.objects.find(reinterpret_cast<std::uintptr_t>(handle));
    return it == table.objects.end() ? nullptr : it->second;
}

bool DropHandle(HANDLE handle) {
    std::shared_ptr<KernelObject> dropped;  // released outside the lock
    HandleTable& table = Table();
    std::lock_guard lock(table.mutex);
    auto it = table.objects.find(reinterpret_cast<std::uintptr_t>(handle));
    if (it == table.objects.end()) return false;
    dropped = std::move(it->second);
    table.objects.erase(it);
    return true;
}

}  // namespace platform

BOOL CloseHandle(HANDLE handle) { return platform::DropHandle(handle) ? TRUE : FALSE; }

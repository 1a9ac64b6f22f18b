// Kernel handles: files, events and threads are objects behind opaque HANDLE values. A handle is
// checked against the table of live handles on every use, so a closed or made-up handle is refused
// instead of being dereferenced.
#pragma once

#include <memory>

#include "platform/api/types.h"

namespace platform {

class KernelObject {
public:
    virtual ~KernelObject() = default;
};

// Registers the object and returns its new handle. Handle values are never reused.
HANDLE NewHandle(std::shared_ptr<KernelObject> object);

// The live object behind a handle, or null for a closed, invalid or foreign one.
std::shared_ptr<KernelObject> LookupHandle(HANDLE handle);

template <class T>
std::shared_ptr<T> HandleObject(HANDLE handle) {
    return std::dynamic_pointer_cast<T>(LookupHandle(handle));
}

// Removes the handle from the table; the object goes when its last user lets go of it.
bool DropHandle(HANDLE handle);

}  // namespace platform

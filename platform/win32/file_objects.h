// What a file handle stands for: a file open on a descriptor, or one read whole through the read
// cache (cached_reads.h) and served from memory, which makes no file call at all. The handle calls
// (files.cpp) reach either through this one interface.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/core/handles.h"
#include "platform/api/types.h"

namespace platform {

class FileObject : public KernelObject {
public:
    FileObject() = default;
    ~FileObject() override { ReleaseStores(); }
    FileObject(const FileObject&) = delete;
    FileObject& operator=(const FileObject&) = delete;

    virtual bool Readable() const = 0;
    virtual bool Writable() const = 0;

    // Up to `size` bytes at the position, which moves past them; fewer only at the end.
    virtual bool Read(char* bytes, DWORD size, LPDWORD read) = 0;
    virtual bool Write(const char* bytes, DWORD size, LPDWORD written) = 0;
    virtual bool Flush() = 0;

    // flock's operation.
    virtual bool Lock(int operation) = 0;

    // -1 when the file cannot tell.
    virtual std::int64_t Position() const = 0;
    virtual std::int64_t Size() const = 0;
    virtual bool SeekTo(std::int64_t target) = 0;

    // An exclusive lock also holds the backend's hold on the stored files until it is let go, or
    // the handle is closed.
    void HoldStores() { holdsStores_ = true; }
    void ReleaseStores();

private:
    bool holdsStores_ = false;
};

// A file open on a descriptor, which the object closes. A writable one tells the read cache when
// it is written and when it is closed.
std::shared_ptr<FileObject> DescriptorFile(int descriptor, bool readable, bool writable, std::string path);

// A read-only file served from bytes read before.
std::shared_ptr<FileObject> MemoryFile(std::shared_ptr<const std::string> bytes);

}  // namespace platform

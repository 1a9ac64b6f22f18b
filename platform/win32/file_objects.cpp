#include "platform/win32/file_objects.h"

#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

#include "platform/core/backend.h"
#include "platform/core/read_cache.h"

namespace platform {
namespace {

class OnDescriptor final : public FileObject {
public:
    OnDescriptor(int descriptor, bool readable, bool writable, std::string path)
        : descriptor_(descriptor), readable_(readable), writable_(writable), path_(std::move(path)) {}
    ~OnDescriptor() override {
        ReleaseStores();
        ::close(descriptor_);
        if (writable_) read_cache::Changed(path_);
    }

    bool Readable() const override { return readable_; }
    bool Writable() const override { return writable_; }

    bool Read(char* bytes, DWORD size, LPDWORD read) override {
        DWORD done = 0;
        while (done < size) {
            const ssize_t n = ::read(descriptor_, bytes + done, size - done);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) return false;
            if (n == 0) break;  // end of file: success with what was read
            done += static_cast<DWORD>(n);
            if (read != nullptr) *read = done;
        }
        return true;
    }

    // Whatever was read of the file before is no longer what it holds.
    bool Write(const char* bytes, DWORD size, LPDWORD written) override {
        DWORD done = 0;
        bool ok = true;
        while (ok && done < size) {
            const ssize_t n = ::write(descriptor_, bytes + done, size - done);
            if (n < 0 && errno == EINTR) continue;
            ok = n > 0;
            if (ok) done += static_cast<DWORD>(n);
            if (ok && written != nullptr) *written = done;
        }
        read_cache::Changed(path_);
        return ok;
    }

    bool Flush() override { return ::fsync(descriptor_) == 0; }

    bool Lock(int operation) override {
        int result = 0;
        do {
            result = ::flock(descriptor_, operation);
        } while (result != 0 && errno == EINTR);
        return result == 0;
    }

    std::int64_t Position() const override { return ::lseek(descriptor_, 0, SEEK_CUR); }
    std::int64_t Size() const override {
        struct stat info {};
        return ::fstat(descriptor_, &info) == 0 ? info.st_size : -1;
    }
    bool SeekTo(std::int64_t target) override { return ::lseek(descriptor_, target, SEEK_SET) == target; }

private:
    int descriptor_;
    bool readable_;
    bool writable_;
    std::string path_;  // a writable file's, for the read cache
};

class InMemory final : public FileObject {
public:
    explicit InMemory(std::shared_ptr<const std::string> bytes) : bytes_(std::move(bytes)) {}

    bool Readable() const override { return true; }
    bool Writable() const override { return false; }

    bool Read(char* bytes, DWORD size, LPDWORD read) override {
        const std::int64_t n = std::max<std::int64_t>(0, std::min<std::int64_t>(size, Size() - position_));
        if (n > 0) std::memcpy(bytes, bytes_->data() + position_, static_cast<std::size_t>(n));
        position_ += n;
        if (read != nullptr) *read = static_cast<DWORD>(n);
        return true;
    }

    bool Write(const char*, DWORD, LPDWORD) override { return false; }
    bool Flush() override { return false; }

    // No lock of the system's: the read cache is on only where one program keeps these files,
    // and across the browser's tabs the hold on the stored files (LockFileEx) is what takes turns.
    bool Lock(int) override { return true; }

    std::int64_t Position() const override { return position_; }
    std::int64_t Size() const override { return static_cast<std::int64_t>(bytes_->size()); }
    bool SeekTo(std::int64_t target) override {
        position_ = target;
        return true;
    }

private:
    std::shared_ptr<const std::string> bytes_;
    std::int64_t position_ = 0;
};

}  // namespace

void FileObject::ReleaseStores() {
    if (holdsStores_) GetBackend().ReleaseStores();
    holdsStores_ = false;
}

std::shared_ptr<FileObject> DescriptorFile(int descriptor, bool readable, bool writable, std::string path) {
    return std::make_shared<OnDescriptor>(descriptor, readable, writable, std::move(path));
}

std::shared_ptr<FileObject> MemoryFile(std::shared_ptr<const std::string> bytes) {
    return std::make_shared<InMemory>(std::move(bytes));
}

}  // namespace platform

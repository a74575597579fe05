// Buffers that end exactly at an inaccessible page, so that a read or write one byte past the
// end faults at once instead of passing unnoticed.
#pragma once
#include <stddef.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>
#include <sys/mman.h>
#include <unistd.h>

#include <vector>

class GuardedBuffer {
  public:
    explicit GuardedBuffer(size_t size) : size_(size) {
        const size_t page = size_t(sysconf(_SC_PAGESIZE));
        mappedSize_ = (size + page - 1) / page * page + page;
        void* mapped =
            mmap(nullptr, mappedSize_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (mapped == MAP_FAILED)
            abort();
        mapped_ = static_cast<uint8_t*>(mapped);
        mprotect(mapped_ + mappedSize_ - page, page, PROT_NONE);
        data_ = mapped_ + mappedSize_ - page - size;
    }
    GuardedBuffer(const std::vector<uint8_t>& bytes) : GuardedBuffer(bytes.size()) {
        if (!bytes.empty())
            memcpy(data_, bytes.data(), bytes.size());
    }
    GuardedBuffer(const GuardedBuffer&) = delete;
    GuardedBuffer& operator=(const GuardedBuffer&) = delete;
    ~GuardedBuffer() {
        munmap(mapped_, mappedSize_);
    }

    uint8_t* data() {
        return data_;
    }
    size_t size() const {
        return size_;
    }
    std::vector<uint8_t> bytes() const {
        return std::vector<uint8_t>(data_, data_ + size_);
    }

  private:
    size_t size_;
    size_t mappedSize_;
    uint8_t* mapped_;
    uint8_t* data_;
};

// Buffers that end exactly at an inaccessible page, so that a read or write one byte past the
// end faults at once instead of passing unnoticed.
#pragma once
#include <stddef.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <vector>
#if defined(_WIN32)
#include <windows.h>
#else
#include <sys/mman.h>
#include <unistd.h>
#endif

class GuardedBuffer {
  public:
    explicit GuardedBuffer(size_t size) : size_(size) {
        const size_t page = PageSize();
        mappedSize_ = (size + page - 1) / page * page + page;
        mapped_ = static_cast<uint8_t*>(MapPages(mappedSize_));
        if (mapped_ == nullptr)
            abort();
        ProtectLastPage(mapped_ + mappedSize_ - page, page);
        data_ = mapped_ + mappedSize_ - page - size;
    }
    GuardedBuffer(const std::vector<uint8_t>& bytes) : GuardedBuffer(bytes.size()) {
        if (!bytes.empty())
            memcpy(data_, bytes.data(), bytes.size());
    }
    GuardedBuffer(const GuardedBuffer&) = delete;
    GuardedBuffer& operator=(const GuardedBuffer&) = delete;
    ~GuardedBuffer() {
        UnmapPages(mapped_, mappedSize_);
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
#if defined(_WIN32)
    static size_t PageSize() {
        SYSTEM_INFO info;
        GetSystemInfo(&info);
        return info.dwPageSize;
    }
    static void* MapPages(size_t size) {
        return VirtualAlloc(nullptr, size, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
    }
    static void ProtectLastPage(uint8_t* page, size_t size) {
        DWORD old;
        if (!VirtualProtect(page, size, PAGE_NOACCESS, &old))
            abort();
    }
    static void UnmapPages(void* mapped, size_t) {
        VirtualFree(mapped, 0, MEM_RELEASE);
    }
#else
    static size_t PageSize() {
        return size_t(sysconf(_SC_PAGESIZE));
    }
    static void* MapPages(size_t size) {
        void* mapped =
            mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        return mapped == MAP_FAILED ? nullptr : mapped;
    }
    static void ProtectLastPage(uint8_t* page, size_t size) {
        if (mprotect(page, size, PROT_NONE) != 0)
            abort();
    }
    static void UnmapPages(void* mapped, size_t size) {
        munmap(mapped, size);
    }
#endif

    size_t size_;
    size_t mappedSize_;
    uint8_t* mapped_;
    uint8_t* data_;
};

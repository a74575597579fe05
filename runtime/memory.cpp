// The C library's memory and string primitives for programs without a C runtime: the
// compiler emits calls to them for block copies, fills and loops it recognises. String
// instructions are short, and fast on every x86 that repeats moves a cache line at a time.
#include <stddef.h>

extern "C" void* memcpy(void* to, const void* from, size_t count) {
    void* result = to;
    asm volatile("rep movsb" : "+D"(to), "+S"(from), "+c"(count) : : "memory");
    return result;
}

extern "C" void* memmove(void* to, const void* from, size_t count) {
    if (to <= from || static_cast<char*>(to) >= static_cast<const char*>(from) + count)
        return memcpy(to, from, count);
    // Overlapping with the destination above the source: copy from the end down.
    void* result = to;
    char* last = static_cast<char*>(to) + count - 1;
    const char* lastFrom = static_cast<const char*>(from) + count - 1;
    asm volatile("std\n\trep movsb\n\tcld" : "+D"(last), "+S"(lastFrom), "+c"(count) : : "memory");
    return result;
}

extern "C" void* memset(void* to, int value, size_t count) {
    void* result = to;
    asm volatile("rep stosb" : "+D"(to), "+c"(count) : "a"(value) : "memory");
    return result;
}

extern "C" size_t strlen(const char* text) {
    const char* end = text;
    asm volatile("repne scasb" : "+D"(end) : "a"(0), "c"(~size_t{0}) : "memory");
    return static_cast<size_t>(end - text) - 1;
}

// memcpy and memset for programs without a C runtime: the compiler emits calls to them for
// block copies and fills. String instructions are short and fast on every x86 since the
// processors that began repeating moves a cache line at a time.
#include <stddef.h>

extern "C" void* memcpy(void* to, const void* from, size_t count) {
    void* result = to;
    asm volatile("rep movsb" : "+D"(to), "+S"(from), "+c"(count) : : "memory");
    return result;
}

extern "C" void* memset(void* to, int value, size_t count) {
    void* result = to;
    asm volatile("rep stosb" : "+D"(to), "+c"(count) : "a"(value) : "memory");
    return result;
}

/* The LZ4 decompressor of the Debian linux-source-6.1 package (lib/lz4/lz4_decompress.c),
 * built outside the kernel so that the benchmark has an LZ4 decompressor for 32-bit Windows,
 * where Debian has no liblz4. Included before that file: it stands in for the few kernel headers
 * it uses (the build makes them empty) and gives its functions names of their own, apart from
 * liblz4's. */
#ifndef FLARVEX_KERNEL_LZ4_H
#define FLARVEX_KERNEL_LZ4_H

/* Decompresses the LZ4 block of compressedSize bytes at source into at most maxDecompressedSize
 * bytes at dest; returns the bytes written, or a negative number for a malformed block. */
#ifdef __cplusplus
extern "C"
#endif
    int
    KernelLz4DecompressSafe(const char* source, char* dest, int compressedSize,
                            int maxDecompressedSize);

/* What the kernel's file needs, for it alone: the benchmark, in C++, includes this header beside
 * liblz4's, whose names must stay liblz4's own. */
#ifndef __cplusplus
#define LZ4_decompress_safe KernelLz4DecompressSafe
#define LZ4_decompress_safe_partial KernelLz4DecompressSafePartial
#define LZ4_decompress_fast KernelLz4DecompressFast
#define LZ4_setStreamDecode KernelLz4SetStreamDecode
#define LZ4_decompress_safe_continue KernelLz4DecompressSafeContinue
#define LZ4_decompress_fast_continue KernelLz4DecompressFastContinue
#define LZ4_decompress_safe_usingDict KernelLz4DecompressSafeUsingDict
#define LZ4_decompress_fast_usingDict KernelLz4DecompressFastUsingDict

#include <stddef.h>
#include <stdint.h>
#include <string.h>

typedef uint8_t u8;
typedef uint16_t u16;
typedef uint32_t u32;
typedef uint64_t u64;
typedef int8_t s8;
typedef int16_t s16;
typedef int32_t s32;
typedef int64_t s64;
typedef _Bool bool;
#define true 1
#define false 0

#if __SIZEOF_POINTER__ == 8
#define CONFIG_64BIT 1
#endif
#define __LITTLE_ENDIAN 1234
#define BITS_PER_LONG (8 * __SIZEOF_LONG__)

#define __always_inline inline __attribute__((always_inline))
#define likely(x) __builtin_expect(!!(x), 1)
#define unlikely(x) __builtin_expect(!!(x), 0)
#define BUILD_BUG_ON(condition) ((void)sizeof(char[1 - 2 * !!(condition)]))
#define min(a, b) ((a) < (b) ? (a) : (b))
#define __ffs(x) ((unsigned long)__builtin_ctzl(x))
#define __fls(x) ((unsigned long)(BITS_PER_LONG - 1 - __builtin_clzl(x)))

#define get_unaligned(p) (((const struct { __typeof__(*(p)) x; } __attribute__((packed))*)(p))->x)
#define put_unaligned(v, p)                                                                        \
    (((struct { __typeof__(*(p)) x; } __attribute__((packed))*)(p))->x = (v))
static inline u16 get_unaligned_le16(const void* p) {
    u16 v;
    memcpy(&v, p, sizeof v);
    return v;
}
static inline void put_unaligned_le16(u16 v, void* p) {
    memcpy(p, &v, sizeof v);
}

#define EXPORT_SYMBOL(name)
#define MODULE_LICENSE(text)
#define MODULE_DESCRIPTION(text)
#endif

#endif

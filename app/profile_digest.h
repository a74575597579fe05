// What system.ini holds, as the profile functions read it, summed up before and after the
// setup writes its entry there: the system rewrites the whole file for that entry, and the
// write may change that entry and nothing else. Portable.
#pragma once
#include <stdint.h>

// The digest of no section at all.
constexpr uint32_t EmptyProfileDigest = 2166136261u;

// Adds a section to digest: its name, then its entries as the system gives them
// ("key=value", each ended by a NUL, and an empty one after the last), leaving out the setup's
// own entry in "boot", and the whole of a "boot" section that holds nothing else. Names and
// keys compare without case, as the system compares them. Two readings of system.ini give
// the same digest, section by section from EmptyProfileDigest on, when they differ at most
// in that entry; any other difference changes it, but for one case in about four billion.
uint32_t DigestProfileSection(uint32_t digest, const char* name, const char* entries);

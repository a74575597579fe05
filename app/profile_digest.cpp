// The digest of system.ini's sections: 32-bit FNV-1a over their names and entries, NULs
// included, so that no entry can pass for a part of its neighbour.
#include "profile_digest.h"

#include "text_format.h"
#include "texts.h"

#include <string.h>

namespace {

constexpr uint32_t DigestPrime = 16777619u;

// Adds text and its NUL.
uint32_t Mix(uint32_t digest, const char* text) {
    do
        digest = (digest ^ static_cast<uint8_t>(*text)) * DigestPrime;
    while (*text++ != '\0');
    return digest;
}

bool IsOwnEntry(const char* entry) {
    const char* rest = AfterWithoutCase(entry, ProfileKey);
    return rest != nullptr && *rest == '=';
}

} // namespace

uint32_t DigestProfileSection(uint32_t digest, const char* name, const char* entries) {
    const char* end = AfterWithoutCase(name, ProfileSection);
    bool boot = end != nullptr && *end == '\0';
    uint32_t section = Mix(digest, name);
    bool kept = !boot;
    for (; *entries != '\0'; entries += strlen(entries) + 1) {
        if (boot && IsOwnEntry(entries))
            continue;
        section = Mix(section, entries);
        kept = true;
    }
    return kept ? Mix(section, "") : digest;
}

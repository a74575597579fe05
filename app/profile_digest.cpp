// Snapshots of system.ini's sections.
#include "profile_snapshot.h"

#include "texts.h"

namespace {

char FoldCase(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// Whether text starts with prefix, letters compared without case; end is where that match
// ends.
bool StartsWith(const char* text, const char* prefix, const char*& end) {
    for (; *prefix; ++prefix, ++text)
        if (FoldCase(*text) != FoldCase(*prefix))
            return false;
    end = text;
    return true;
}

bool IsOwnEntry(const char* entry) {
    const char* rest;
    return StartsWith(entry, ProfileKey, rest) && *rest == '=';
}

void AddText(ProfileSnapshot& snapshot, const char* text) {
    do {
        if (snapshot.Length == ProfileRoom) {
            snapshot.Whole = false;
            return;
        }
        snapshot.Text[snapshot.Length++] = *text;
    } while (*text++ != '\0');
}

} // namespace

void AddProfileSection(ProfileSnapshot& snapshot, const char* name, const char* entries) {
    const char* end;
    bool boot = StartsWith(name, ProfileSection, end) && *end == '\0';
    bool named = false;
    for (; *entries; entries = end + 1) {
        for (end = entries; *end; ++end) {
        }
        if (boot && IsOwnEntry(entries))
            continue;
        if (!named)
            AddText(snapshot, name);
        named = true;
        AddText(snapshot, entries);
    }
    if (!named && !boot)
        AddText(snapshot, name);
}

bool SameProfile(const ProfileSnapshot& before, const ProfileSnapshot& after) {
    if (!before.Whole || !after.Whole || before.Length != after.Length)
        return false;
    for (uint32_t i = 0; i < before.Length; ++i)
        if (before.Text[i] != after.Text[i])
            return false;
    return true;
}

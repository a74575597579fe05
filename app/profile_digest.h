// What system.ini holds, as the profile functions read it, taken before and after the setup
// writes its entry there: the system rewrites the whole file for that entry, and the write may
// change that entry and nothing else. Portable.
#pragma once
#include <stdint.h>

// Room for every section of system.ini; a file that holds more cannot be compared.
constexpr uint32_t ProfileRoom = 64 * 1024;

struct ProfileSnapshot {
    uint32_t Length; // of Text, in use
    bool Whole;      // false when system.ini held more than the room
    char Text[ProfileRoom];
};

// Adds a section to snapshot: its name, then its entries as the system gives them
// ("key=value", each ended by a NUL, and an empty one after the last), leaving out the setup's
// own entry in "boot", and the name of a "boot" section that holds nothing else. Names compare
// without case, as the system compares them.
void AddProfileSection(ProfileSnapshot& snapshot, const char* name, const char* entries);

// Whether both snapshots are whole and hold the same.
bool SameProfile(const ProfileSnapshot& before, const ProfileSnapshot& after);

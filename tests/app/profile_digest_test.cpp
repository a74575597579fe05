// Snapshots of system.ini: the setup's own entry may change, nothing else.
#include "profile_snapshot.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// A section: its name and its entries, as the system gives them.
using Section = std::pair<const char*, std::vector<std::string>>;

std::unique_ptr<ProfileSnapshot> Snapshot(const std::vector<Section>& sections) {
    auto snapshot = std::make_unique<ProfileSnapshot>();
    snapshot->Length = 0;
    snapshot->Whole = true;
    for (const Section& section : sections) {
        std::string entries;
        for (const std::string& entry : section.second)
            entries += entry + '\0';
        AddProfileSection(*snapshot, section.first, (entries + '\0').c_str());
    }
    return snapshot;
}

TEST(ProfileSnapshot, OnlyTheSetupsOwnEntryMayChange) {
    const std::vector<Section> before = {{"boot", {"shell=explorer.exe", "SCRNSAVE.EXE=old.scr"}},
                                         {"mci", {"cdaudio=mcicda.dll", "pad=xxxxxxxx"}},
                                         {"empty", {}}};
    const struct {
        const char* what;
        std::vector<Section> after;
        bool same;
    } cases[] = {
        {"own entry changed, its key in any case",
         {{"boot", {"shell=explorer.exe", "scrnsave.exe=Flarvex.scr"}},
          {"mci", {"cdaudio=mcicda.dll", "pad=xxxxxxxx"}},
          {"empty", {}}},
         true},
        {"last entry cut short",
         {before[0], {"mci", {"cdaudio=mcicda.dll", "pad=xxx"}}, before[2]},
         false},
        {"a section gone", {before[0], before[1]}, false},
        {"another entry of boot gone",
         {{"boot", {"SCRNSAVE.EXE=Flarvex.scr"}}, before[1], before[2]},
         false},
        {"the same key in another section",
         {before[0], {"mci", {"cdaudio=mcicda.dll", "pad=xxxxxxxx", "SCRNSAVE.EXE=x"}}, before[2]},
         false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SameProfile(*Snapshot(before), *Snapshot(c.after)), c.same) << c.what;

    // A boot section made for the entry alone is no change.
    EXPECT_TRUE(SameProfile(*Snapshot({before[1]}),
                            *Snapshot({before[1], {"boot", {"SCRNSAVE.EXE=Flarvex.scr"}}})));
    // Nor can a file larger than the room pass for unchanged.
    std::vector<Section> large = {{"big", {std::string(ProfileRoom, 'x') + "=1"}}};
    EXPECT_FALSE(SameProfile(*Snapshot(large), *Snapshot(large)));
}

} // namespace

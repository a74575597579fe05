// The digest of system.ini: the setup's own entry may change, nothing else.
#include "profile_digest.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A section: its name and its entries, as the system gives them.
using Section = std::pair<const char*, std::vector<std::string>>;

uint32_t Digest(const std::vector<Section>& sections) {
    uint32_t digest = EmptyProfileDigest;
    for (const Section& section : sections) {
        std::string entries;
        for (const std::string& entry : section.second)
            entries += entry + '\0';
        digest = DigestProfileSection(digest, section.first, (entries + '\0').c_str());
    }
    return digest;
}

TEST(ProfileDigest, OnlyTheSetupsOwnEntryMayChange) {
    const std::vector<Section> before = {{"Boot", {"shell=explorer.exe", "SCRNSAVE.EXE=old.scr"}},
                                         {"mci", {"cdaudio=mcicda.dll", "pad=xxxxxxxx"}},
                                         {"empty", {}}};
    const struct {
        const char* what;
        std::vector<Section> after;
        bool same;
    } cases[] = {
        {"own entry changed, its section and key in any case",
         {{"Boot", {"shell=explorer.exe", "scrnsave.exe=Flarvex.scr"}}, before[1], before[2]},
         true},
        {"last entry cut short",
         {before[0], {"mci", {"cdaudio=mcicda.dll", "pad=xxx"}}, before[2]},
         false},
        {"a section gone", {before[0], before[1]}, false},
        {"a section renamed", {before[0], {"midi", before[1].second}, before[2]}, false},
        {"another entry of boot gone",
         {{"Boot", {"SCRNSAVE.EXE=Flarvex.scr"}}, before[1], before[2]},
         false},
        {"the same key in another section",
         {before[0], {"mci", {"cdaudio=mcicda.dll", "pad=xxxxxxxx", "SCRNSAVE.EXE=x"}}, before[2]},
         false},
        {"an entry moved to the next section",
         {before[0], {"mci", {"cdaudio=mcicda.dll"}}, {"empty", {"pad=xxxxxxxx"}}},
         false},
        {"a key that only begins with the setup's",
         {{"Boot", {"shell=explorer.exe", "SCRNSAVE.EXE.OLD=1"}}, before[1], before[2]},
         false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Digest(before) == Digest(c.after), c.same) << c.what;

    // A boot section made for the entry alone is no change.
    EXPECT_EQ(Digest({before[1]}), Digest({before[1], {"boot", {"SCRNSAVE.EXE=Flarvex.scr"}}}));
}

} // namespace

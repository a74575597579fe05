// Two builds of one commit give the same shipped bytes: the main build's files against those of
// a second build made later, from a copy of the sources, in other folders (the rebuilt fixture).
#include "file_bytes.h"
#include "pe_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

const char* const ShippedFiles[] = {"setup.exe", "Flarvex.scr", "wallpaper.rle"};

TEST(ReproducibleBuild, ShipsTheSameBytesFromAnotherFolderLater) {
    for (const char* name : ShippedFiles) {
        const std::string first = std::string(FIRST_BUILD) + "/" + name;
        const std::string second = std::string(SECOND_BUILD) + "/" + name;
        std::vector<uint8_t> a = ReadFileVector(first), b = ReadFileVector(second);
        ASSERT_FALSE(a.empty()) << first << " is missing or empty";
        ASSERT_FALSE(b.empty()) << second << " is missing or empty";
        if (a == b)
            continue;
        size_t common = std::min(a.size(), b.size());
        size_t offset = std::mismatch(a.begin(), a.begin() + common, b.begin()).first - a.begin();
        ADD_FAILURE() << name << " differs between the builds, first at offset " << offset << " (0x"
                      << std::hex << offset << std::dec << "); " << a.size() << " bytes in "
                      << first << ", " << b.size() << " in " << second
                      << " (is the main build up to date with the sources?)";
    }
}

} // namespace

// Numbers and texts written into character buffers.
#include "text_format.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(TextFormat, WritesNumbersWithoutANul) {
    char text[16];
    EXPECT_EQ(std::string(text, FormatDecimal(text, 0)), "0");
    EXPECT_EQ(std::string(text, FormatDecimal(text, 4294967295u)), "4294967295");
    EXPECT_EQ(std::string(text, FormatHex8(text, 0xAB)), "000000AB");
    EXPECT_EQ(std::string(text, FormatHex(text, 0)), "0");
    EXPECT_EQ(std::string(text, FormatHex(text, 0x1C)), "1C");
    EXPECT_EQ(std::string(text, FormatHex(text, 0xF0000000)), "F0000000");
}

TEST(TextFormat, AppendsTextsOneAfterAnother) {
    char text[16] = "xxxxxxxxxxxxxxx";
    char* end = Append(Append(text, "C:\\A"), ".new");
    EXPECT_EQ(end - text, 8);
    EXPECT_EQ(std::string(text), "C:\\A.newxxxxxxx") << "no NUL written";
    EXPECT_EQ(Append(text, ""), text);
}

} // namespace

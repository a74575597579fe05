// Length-prefixed string operations: truncation at the limits, and inserts that cut.
#include "length_prefixed_string.h"

#include <gtest/gtest.h>

#include <string>

namespace {

LengthPrefixedString Make(const std::string& text) {
    LengthPrefixedString s;
    memset(&s, '#', sizeof s); // characters beyond the length must not matter
    s.Length = static_cast<uint8_t>(text.size());
    memcpy(s.Chars, text.data(), text.size());
    return s;
}

std::string Text(const LengthPrefixedString& s) {
    return std::string(s.Chars, s.Length);
}

std::string Digits(int count, char first = '0') {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += static_cast<char>(first + i % 10);
    return text;
}

TEST(LengthPrefixedString, CopyTruncatedKeepsAtMostMax) {
    LengthPrefixedString dest = Make("old text");
    CopyTruncated(dest, 3, Make("abcdef"));
    EXPECT_EQ(Text(dest), "abc");
    CopyTruncated(dest, 255, Make("xy"));
    EXPECT_EQ(Text(dest), "xy");
    EXPECT_EQ(dest.Chars[2], 'c') << "characters beyond the new length keep what they held";
}

TEST(LengthPrefixedString, AppendTruncatedStopsAt255) {
    LengthPrefixedString dest = Make(Digits(250));
    AppendTruncated(dest, Make("ABCDEFGH"));
    EXPECT_EQ(dest.Length, 255);
    EXPECT_EQ(Text(dest), Digits(250) + "ABCDE");
    LengthPrefixedString small = Make("\\");
    AppendTruncated(small, Make("name"));
    EXPECT_EQ(Text(small), "\\name");
}

TEST(LengthPrefixedString, FromCountedStringTakesTheStoredLength) {
    static const char text[] = "Flarvex.scr";
    CountedString withNul = {sizeof text, text};
    LengthPrefixedString dest = Make("?");
    FromCountedString(dest, 255, &withNul);
    EXPECT_EQ(dest.Length, 12);
    EXPECT_EQ(Text(dest), std::string("Flarvex.scr\0", 12));
    FromCountedString(dest, 4, &withNul);
    EXPECT_EQ(Text(dest), "Flar");
    FromCountedString(dest, 255, nullptr);
    EXPECT_EQ(dest.Length, 0);
}

struct InsertCase {
    const char* name;
    int destLength, srcLength, max, index;
    std::string expected; // built from dest digits "0123..." and source letters "ABC..."
};

std::string Letters(int count) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += static_cast<char>('A' + i % 26);
    return text;
}

TEST(LengthPrefixedString, InsertTruncated) {
    const std::string d250 = Digits(250);
    const std::string s20 = Letters(20);
    const InsertCase cases[] = {
        // 20 characters into 250 at index 10, maximum 255: the old tail loses its last 15.
        {"cut from tail", 250, 20, 255, 10, d250.substr(0, 9) + s20 + d250.substr(9, 226)},
        // At the end (index 251) only the first 5 characters of the source fit.
        {"cut from source", 250, 20, 255, 251, d250 + s20.substr(0, 5)},
        {"index below 1 is 1", 5, 2, 255, -7, "AB01234"},
        {"index past the end appends", 5, 2, 255, 99, "01234AB"},
        {"nothing cut", 5, 3, 255, 3, "01ABC234"},
        {"tail cut exactly to nothing", 10, 5, 12, 8, "0123456ABCDE"},
        {"empty source", 5, 0, 255, 2, "01234"},
        {"empty dest", 0, 4, 255, 1, "ABCD"},
    };
    for (const InsertCase& c : cases) {
        LengthPrefixedString dest = Make(Digits(c.destLength));
        InsertTruncated(Make(Letters(c.srcLength)), dest, static_cast<uint8_t>(c.max), c.index);
        EXPECT_EQ(Text(dest), c.expected) << c.name;
        EXPECT_EQ(dest.Length, std::min(c.destLength + c.srcLength, c.max)) << c.name;
    }
}

TEST(LengthPrefixedString, InsertIntoStringLongerThanMaxStaysInBounds) {
    LengthPrefixedString dest = Make(Digits(250));
    InsertTruncated(Make(Letters(20)), dest, 200, 251);
    EXPECT_LE(dest.Length, 250);
    EXPECT_EQ(Text(dest), Digits(250)) << "nothing of the source fits";
}

} // namespace

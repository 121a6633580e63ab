#include "kernel/codepage.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(StringTest, CopyIsBoundedAndKeepsWholeCharacters) {
    struct Case {
        const char* source;
        int size;
        const char* expected;
    } cases[] = {
        {"abcdef", 4, "abc"},
        {"abc", 4, "abc"},
        {"abc", 1, ""},
        {"ab\xA5\x5C", 4, "ab"}, // the cut would leave A5 alone
        {"ab\xA5\x5C", 5, "ab\xA5\x5C"},
        {"\xA5\x5C\xA5\x5C", 4, "\xA5\x5C"},
    };
    for (const Case& c : cases) {
        char out[16];
        EXPECT_EQ(lstrcpynA(out, c.source, c.size), out);
        EXPECT_STREQ(out, c.expected) << c.source << " into " << c.size;
    }
    char out[4];
    EXPECT_EQ(lstrcpynA(out, nullptr, 4), nullptr);
    EXPECT_EQ(lstrcpynA(out, "x", 0), nullptr);
}

TEST(StringTest, LengthAndConcatenation) {
    char buffer[16] = "ab";
    EXPECT_EQ(lstrcatA(buffer, "cd"), buffer);
    EXPECT_STREQ(buffer, "abcd");
    EXPECT_EQ(lstrlenA(buffer), 4);
    EXPECT_EQ(lstrlenA(nullptr), 0);
    EXPECT_EQ(lstrcatA(nullptr, "x"), nullptr);
}

TEST(CodePageTest, Big5LeadBytesAndConversions) {
    EXPECT_EQ(GetACP(), 950u);
    EXPECT_TRUE(IsDBCSLeadByte(0xA5));
    EXPECT_TRUE(IsDBCSLeadByte(0x81));
    EXPECT_TRUE(IsDBCSLeadByte(0xFE));
    EXPECT_FALSE(IsDBCSLeadByte(0x5C));
    EXPECT_FALSE(IsDBCSLeadByte('A'));
    EXPECT_FALSE(IsDBCSLeadByte(0x80));
    EXPECT_EQ(w32::codepage::ToUtf8("\xA5\x5C"), "\xE5\x8A\x9F");
    EXPECT_EQ(w32::codepage::FromUtf8("a\xE5\x8A\x9F"), "a\xA5\x5C");
    EXPECT_EQ(w32::codepage::FromUtf8("\xF0\x9F\x98\x80!"), "?!") << "no such character in 950";
    EXPECT_EQ(w32::codepage::ToUtf16("a\xA5\x5C"), u"a\u529F");
    EXPECT_EQ(w32::codepage::FromUtf16(u"\u529F"), "\xA5\x5C");
}

TEST(CodePageTest, ConfigurationNamesTheVariable) {
    std::string error;
    EXPECT_FALSE(w32::codepage::Configure("12x", &error));
    EXPECT_EQ(error, "W32_CODEPAGE: unknown code page '12x'");
    EXPECT_FALSE(w32::codepage::Configure("99999", &error));
    ASSERT_TRUE(w32::codepage::Configure("1252", &error));
    EXPECT_FALSE(IsDBCSLeadByte(0xA5));
    EXPECT_EQ(w32::codepage::ToUtf8("\xE9"), "\xC3\xA9");
    ASSERT_TRUE(w32::codepage::Configure(nullptr, &error));
    ASSERT_TRUE(w32::codepage::Configure("950", &error));
    EXPECT_TRUE(IsDBCSLeadByte(0xA5));
}

} // namespace

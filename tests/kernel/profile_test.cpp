#include "kernel/paths.h"
#include "support/temp_dir.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

struct ProfileCase {
    const char* name;
    std::string file;
    const char* section;
    const char* key;
    std::string expected;
    DWORD size = 64;
};

class ProfileTest : public ::testing::TestWithParam<ProfileCase> {
  protected:
    void SetUp() override {
        std::string drives = "D=" + dir_.Path().string();
        ASSERT_TRUE(w32::paths::LoadDrives(drives.c_str(), nullptr));
    }
    void TearDown() override { w32::paths::LoadDrives(nullptr, nullptr); }
    testing_support::TempDir dir_;
};

TEST_P(ProfileTest, ReadsLikeWindows) {
    const ProfileCase& c = GetParam();
    dir_.Write("SETUP.INF", c.file);
    char out[400];
    std::memset(out, 'X', sizeof(out));
    DWORD n = GetPrivateProfileStringA(c.section, c.key, "dflt", out, c.size, "D:\\SETUP.INF");
    EXPECT_EQ(std::string(out), c.expected);
    EXPECT_EQ(n, c.expected.size());
}

const std::string kUtf16Bom = std::string("\xFF\xFE", 2);
std::string Utf16(const std::string& ascii) {
    std::string out;
    for (char c : ascii)
        out += std::string(1, c) + std::string(1, '\0');
    return out;
}

INSTANTIATE_TEST_SUITE_P(
    Rules, ProfileTest,
    ::testing::Values(
        ProfileCase{"Plain", "[Main]\nARM=a.ini\n", "Main", "ARM", "a.ini"},
        ProfileCase{"NamesIgnoreAsciiCase", "[mAIN]\narm=a.ini\n", "Main", "ARM", "a.ini"},
        ProfileCase{"BlanksTrimmed", "  [ Main ]  \n \t ARM \t=  a b.ini \t\n", "Main", "ARM",
                    "a b.ini"},
        ProfileCase{"OnePairOfQuotesRemoved", "[Main]\nARM=\"\"a.ini\"\"\n", "Main", "ARM",
                    "\"a.ini\""},
        ProfileCase{"SingleQuotes", "[Main]\nARM='a.ini'\n", "Main", "ARM", "a.ini"},
        ProfileCase{"UnmatchedQuoteKept", "[Main]\nARM=\"a.ini\n", "Main", "ARM", "\"a.ini"},
        ProfileCase{"CommentLinesSkipped", "[Main]\n;ARM=no\n  ; ARM=no\nARM=yes\n", "Main", "ARM",
                    "yes"},
        ProfileCase{"FirstKeyWins", "[Main]\nARM=first\nARM=second\n", "Main", "ARM", "first"},
        ProfileCase{"FirstSectionWins", "[Main]\nX=1\n[Main]\nARM=second\n", "Main", "ARM", "dflt"},
        ProfileCase{"OtherSectionsIgnored", "[Other]\nARM=no\n[Main]\nARM=yes\n", "Main", "ARM",
                    "yes"},
        ProfileCase{"CrLineEnds", "[Main]\rMIPS=m\rARM=a\r", "Main", "ARM", "a"},
        ProfileCase{"CrLfLineEnds", "[Main]\r\nARM=a\r\n", "Main", "ARM", "a"},
        ProfileCase{"NoFinalNewline", "[Main]\nARM=a", "Main", "ARM", "a"},
        ProfileCase{"EmptyValue", "[Main]\nARM=\n", "Main", "ARM", ""},
        ProfileCase{"MissingKeyGivesDefault", "[Main]\nMIPS=m\n", "Main", "ARM", "dflt"},
        ProfileCase{"MissingSectionGivesDefault", "[Other]\nARM=a\n", "Main", "ARM", "dflt"},
        ProfileCase{"KeyOutsideAnySection", "ARM=a\n[Main]\n", "Main", "ARM", "dflt"},
        ProfileCase{"EqualsInValue", "[Main]\nARM=a=b\n", "Main", "ARM", "a=b"},
        ProfileCase{"CutToSize", "[Main]\nARM=abcdefgh\n", "Main", "ARM", "abc", 4},
        // 功 is A5 5C: its second byte is a backslash, and it must not be split at the cut.
        ProfileCase{"CutKeepsDoubleByteCharactersWhole", "[Main]\nARM=ab\xA5\x5C\n", "Main", "ARM",
                    "ab", 4},
        ProfileCase{"DoubleByteValueUntouched", "[Main]\nARM=\xA5\x5C\xAF\xE0\n", "Main", "ARM",
                    "\xA5\x5C\xAF\xE0"},
        ProfileCase{"Utf8BomConverts", "\xEF\xBB\xBF[Main]\nARM=\xE5\x8A\x9F\n", "Main", "ARM",
                    "\xA5\x5C"},
        ProfileCase{"Utf16BomConverts",
                    kUtf16Bom + Utf16("[Main]\nARM=") + std::string("\x9F\x52", 2) + Utf16("\n"),
                    "Main", "ARM", "\xA5\x5C"},
        ProfileCase{"BytesWithoutBomTakenAsTheyAre", "[Main]\nARM=\xE5\x8A\x9F\n", "Main", "ARM",
                    "\xE5\x8A\x9F"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ProfileFileTest, MissingFileGivesTheDefaultWithoutItsTrailingBlanks) {
    char out[16];
    EXPECT_EQ(GetPrivateProfileStringA("Main", "ARM", "dflt  ", out, sizeof(out),
                                       "Z:\\no\\such\\file.inf"),
              4u);
    EXPECT_STREQ(out, "dflt");
    EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(GetPrivateProfileStringA("Main", "ARM", nullptr, out, sizeof(out), "relative.inf"),
              0u);
    EXPECT_STREQ(out, "");
}

} // namespace

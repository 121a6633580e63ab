#include "launch/res_string.h"

#include "launch/setup_state.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class ResStringTest : public ::testing::Test {
  protected:
    void SetUp() override { State.Instance = GetModuleHandleA(nullptr); }
};

TEST_F(ResStringTest, RingHandsOutFourSlotsInTurn) {
    LPCSTR first = GetResString(IDS_KEY_ARM);
    LPCSTR second = GetResString(IDS_KEY_MIPS);
    LPCSTR third = GetResString(IDS_KEY_SH3);
    LPCSTR fourth = GetResString(IDS_SECTION_MAIN);
    // A key name and then a section name stay intact together.
    EXPECT_STREQ(third, "SH3");
    EXPECT_STREQ(fourth, "Main");
    EXPECT_STREQ(first, "ARM");
    EXPECT_STREQ(second, "MIPS");
    LPCSTR fifth = GetResString(IDS_KEY_TITLE);
    EXPECT_EQ(fifth, first);
    EXPECT_STREQ(first, "Title") << "the fifth call reuses the first slot";
}

TEST_F(ResStringTest, MissingTextUsesUpASlot) {
    LPCSTR before = GetResString(IDS_KEY_ARM);
    EXPECT_EQ(GetResString(999), nullptr);
    LPCSTR third = GetResString(IDS_KEY_ARM);
    LPCSTR fourth = GetResString(IDS_KEY_ARM);
    LPCSTR fifth = GetResString(IDS_KEY_ARM);
    EXPECT_NE(third, before);
    EXPECT_NE(fourth, before);
    EXPECT_EQ(fifth, before);
}

TEST_F(ResStringTest, NumbersAreTakenModulo65536) {
    EXPECT_STREQ(GetResString(IDS_KEY_PRODUCTNAME + 65536), "ProductName");
    EXPECT_STREQ(GetResString(IDS_SECTION_STARTUP + 3 * 65536), "Startup");
}

TEST_F(ResStringTest, TextsKeepTheirBlanksAndFormat) {
    EXPECT_STREQ(GetResString(IDS_CAPTION_SUFFIX), " \xA6\x77\xB8\xCB\xB5\x7B\xA6\xA1");
    std::string question = GetResString(IDS_CONFIRM_QUIT);
    EXPECT_EQ(question.size(), 32u);
    EXPECT_NE(question.find(" %s "), std::string::npos);
    EXPECT_EQ(question.substr(question.size() - 2), " !");
    EXPECT_EQ(std::string(GetResString(IDS_APPMGR_MISSING)).size(), 70u);
}

} // namespace

#include "kernel/module.h"
#include "kernel/paths.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

class ModuleTest : public ::testing::Test {
  protected:
    void TearDown() override {
        w32::kernel::SetModulePathForTesting("");
        w32::paths::LoadDrives(nullptr, nullptr);
    }
};

TEST_F(ModuleTest, FileNameIsAWindowsPathUnderTheLongestMappedDrive) {
    ASSERT_TRUE(w32::paths::LoadDrives("D=/media/cd;E=/media/cd/sub", nullptr));
    struct Case {
        const char* posix;
        const char* windows;
    } cases[] = {
        {"/media/cd/setup", "D:\\setup"},
        {"/media/cd/sub/setup", "E:\\setup"},
        {"/opt/x/setup", "Z:\\opt\\x\\setup"},
    };
    for (const Case& c : cases) {
        w32::kernel::SetModulePathForTesting(c.posix);
        char name[MAX_PATH];
        EXPECT_EQ(GetModuleFileNameA(nullptr, name, sizeof(name)), std::strlen(c.windows));
        EXPECT_STREQ(name, c.windows);
        EXPECT_EQ(GetModuleFileNameA(GetModuleHandleA(nullptr), name, sizeof(name)),
                  std::strlen(c.windows));
    }
}

TEST_F(ModuleTest, ShortBufferIsCutTerminatedAndReported) {
    ASSERT_TRUE(w32::paths::LoadDrives("D=/media/cd", nullptr));
    // 功 (A5 5C) must not be split by the cut.
    w32::kernel::SetModulePathForTesting("/media/cd/ab\xE5\x8A\x9F");
    char name[6];
    EXPECT_EQ(GetModuleFileNameA(nullptr, name, sizeof(name)), sizeof(name));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_STREQ(name, "D:\\ab");
}

TEST_F(ModuleTest, RealExecutableAndForeignHandles) {
    char name[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, name, sizeof(name));
    ASSERT_GT(length, 3u);
    EXPECT_EQ(std::string(name, 3), "Z:\\");
    EXPECT_NE(std::string(name).find("kernel_tests"), std::string::npos);
    EXPECT_EQ(GetModuleHandleA("other.dll"), nullptr);
    EXPECT_EQ(GetModuleFileNameA(reinterpret_cast<HMODULE>(0x1234), name, sizeof(name)), 0u);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_MOD_NOT_FOUND));
}

} // namespace

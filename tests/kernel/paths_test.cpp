#include "kernel/paths.h"
#include "support/temp_dir.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

class PathsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        root_ = dir_.Path().string();
        dir_.Write("cd/Install/SETUP.INF", "x");
        dir_.Write("cd/\xE5\x8A\x9F\xE8\x83\xBD/a.txt", "x"); // 功能/a.txt
        std::filesystem::create_directories(dir_.Path() / "srv/e");
        std::string drives = "D=" + root_ + "/cd;E=" + root_ + "/srv/e/;F=" + root_;
        std::string error;
        ASSERT_TRUE(w32::paths::LoadDrives(drives.c_str(), &error)) << error;
    }
    void TearDown() override { w32::paths::LoadDrives(nullptr, nullptr); }

    testing_support::TempDir dir_;
    std::string root_;
};

TEST_F(PathsTest, WindowsToPosix) {
    struct Case {
        std::string windows;
        std::string posix;
    } cases[] = {
        {"Z:\\usr\\bin", "/usr/bin"},
        {"z:/usr/bin/", "/usr/bin/"},
        {"D:\\Install\\SETUP.INF", root_ + "/cd/Install/SETUP.INF"},
        {"d:\\install\\setup.inf", root_ + "/cd/Install/SETUP.INF"},
        {"D:\\INSTALL\\", root_ + "/cd/Install/"},
        {"D:\\Install\\missing\\File.txt", root_ + "/cd/Install/missing/File.txt"},
        {"D:\\..\\..\\Install", root_ + "/cd/Install"},
        {"D:\\Install\\.\\..\\Install", root_ + "/cd/Install"},
        {"D:", root_ + "/cd"},
        {"D:\\", root_ + "/cd/"},
        {"D:\\\xA5\x5C\xAF\xE0\\a.txt", root_ + "/cd/\xE5\x8A\x9F\xE8\x83\xBD/a.txt"},
        {"E:\\x", root_ + "/srv/e/x"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(w32::paths::ToPosix(c.windows).value_or("<none>"), c.posix) << c.windows;
    for (const char* unmapped : {"C:\\x", "relative\\x", "\\rooted", "", "\\\\server\\share", "1:"})
        EXPECT_FALSE(w32::paths::ToPosix(unmapped)) << unmapped;
}

TEST_F(PathsTest, PosixToWindowsTakesTheLongestMappedPrefix) {
    struct Case {
        std::string posix;
        std::string windows;
    } cases[] = {
        {"/usr/bin/setup", "Z:\\usr\\bin\\setup"},
        {root_ + "/cd/setup", "D:\\setup"},
        {root_ + "/cd", "D:\\"},
        {root_ + "/cdrom/setup", "F:\\cdrom\\setup"},
        {root_ + "/srv/e/x", "E:\\x"},
        {root_ + "/cd/\xE5\x8A\x9F\xE8\x83\xBD/setup", "D:\\\xA5\x5C\xAF\xE0\\setup"},
        {"/", "Z:\\"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(w32::paths::ToWindows(c.posix).value_or("<none>"), c.windows) << c.posix;
}

TEST(DrivesTest, MalformedValuesAreRejectedWithTheVariableNamed) {
    for (const char* bad : {"D", "D=relative", "1=/x", "DD=/x", "D:/x"}) {
        std::string error;
        EXPECT_FALSE(w32::paths::LoadDrives(bad, &error)) << bad;
        EXPECT_EQ(error.rfind("W32_DRIVES: ", 0), 0u) << error;
    }
    EXPECT_TRUE(w32::paths::LoadDrives(";D=/media/cd;;", nullptr));
    EXPECT_EQ(w32::paths::ToPosix("D:\\x").value_or(""), "/media/cd/x");
    w32::paths::LoadDrives(nullptr, nullptr);
    EXPECT_FALSE(w32::paths::ToPosix("D:\\x"));
}

TEST_F(PathsTest, FileAttributes) {
    std::filesystem::path readOnly = dir_.Write("cd/ro.txt", "x");
    std::filesystem::permissions(readOnly, std::filesystem::perms::owner_read);
    struct Case {
        const char* path;
        DWORD attributes;
        DWORD error;
    } cases[] = {
        {"D:\\Install\\SETUP.INF", FILE_ATTRIBUTE_NORMAL, ERROR_SUCCESS},
        {"D:\\ro.txt", FILE_ATTRIBUTE_READONLY, ERROR_SUCCESS},
        {"D:\\Install", FILE_ATTRIBUTE_DIRECTORY, ERROR_SUCCESS},
        {"D:\\Install\\", FILE_ATTRIBUTE_DIRECTORY, ERROR_SUCCESS},
        {"D:\\Install\\nothing", INVALID_FILE_ATTRIBUTES, ERROR_FILE_NOT_FOUND},
        {"D:\\nowhere\\nothing", INVALID_FILE_ATTRIBUTES, ERROR_PATH_NOT_FOUND},
        {"D:\\Install\\SETUP.INF\\", INVALID_FILE_ATTRIBUTES, ERROR_INVALID_NAME},
        {"Q:\\x", INVALID_FILE_ATTRIBUTES, ERROR_PATH_NOT_FOUND},
        {"", INVALID_FILE_ATTRIBUTES, ERROR_PATH_NOT_FOUND},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GetFileAttributesA(c.path), c.attributes) << c.path;
        EXPECT_EQ(GetLastError(), c.error) << c.path;
    }
    EXPECT_EQ(GetFileAttributesA(nullptr), INVALID_FILE_ATTRIBUTES);
}

} // namespace

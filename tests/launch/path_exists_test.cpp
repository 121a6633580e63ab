#include "launch_fixture.h"

#include <filesystem>

namespace {

using PathExistsTest = LaunchTest;

TEST_F(PathExistsTest, FilesAndDirectoriesCountMissingPathsDoNot) {
    medium_.Write("Install/ARM/Viewer.ini", "[CEAppManager]\n");
    std::filesystem::path readOnly = medium_.Write("Install/readme.txt", "text");
    std::filesystem::permissions(readOnly, std::filesystem::perms::owner_read |
                                               std::filesystem::perms::group_read);
    struct Case {
        const char* path;
        int exists;
    } cases[] = {
        {"D:\\Install\\ARM\\Viewer.ini", 1},
        {"D:\\Install\\readme.txt", 1},
        {"D:\\Install\\ARM", 1},
        {"D:\\Install\\ARM\\", 1},
        {"D:\\", 1},
        {"D:\\install\\arm\\viewer.INI", 1},
        {"D:\\Install\\MIPS\\Viewer.ini", 0},
        {"D:\\Install\\ARM\\Viewer.ini\\", 0},
        {"", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PathExists(c.path), c.exists) << c.path;
}

} // namespace

#include "launch/setup_inf.h"

#include "launch_fixture.h"

#include <string>

namespace {

using SetupInfTest = LaunchTest;

TEST_F(SetupInfTest, WithoutFileEveryFieldTakesItsDefault) {
    PlaceLauncher("Install/setup");
    ReadSetupInf();
    EXPECT_STREQ(State.SetupDir, "D:\\Install");
    EXPECT_STREQ(State.ProductName, "Tavro");
    EXPECT_STREQ(State.Title, "");
    EXPECT_EQ(std::string(State.Caption), " " + kCaptionSuffix);
    // No processor key names no candidate: the launcher's own directory is no INI file.
    EXPECT_STREQ(State.ArmIni, "");
    EXPECT_STREQ(State.MipsIni, "");
    EXPECT_STREQ(State.Sh3Ini, "");
}

TEST_F(SetupInfTest, WorkedExample) {
    PlaceLauncher("Install/setup");
    medium_.Write("Install/SETUP.INF", "[Main]\r\n"
                                       "ProductName=Sample Viewer\r\n"
                                       "ARM=ARM\\Viewer.ini\r\n"
                                       "MIPS=MIPS\\Viewer.ini\r\n"
                                       "[Startup]\r\n"
                                       "Title=Sample Viewer 1.0\r\n");
    ReadSetupInf();
    EXPECT_STREQ(State.SetupDir, "D:\\Install");
    EXPECT_STREQ(State.ProductName, "Sample Viewer");
    EXPECT_STREQ(State.MipsIni, "D:\\Install\\MIPS\\Viewer.ini");
    EXPECT_STREQ(State.Sh3Ini, "");
    EXPECT_STREQ(State.ArmIni, "D:\\Install\\ARM\\Viewer.ini");
    EXPECT_STREQ(State.Title, "Sample Viewer 1.0");
    EXPECT_EQ(std::string(State.Caption), "Sample Viewer 1.0 " + kCaptionSuffix);
}

TEST_F(SetupInfTest, LauncherAtTheRootOfADrive) {
    PlaceLauncher("setup");
    medium_.Write("SETUP.INF", "[Main]\nARM=arm.ini\nSH3=\n");
    ReadSetupInf();
    EXPECT_STREQ(State.SetupDir, "D:");
    EXPECT_STREQ(State.ArmIni, "D:\\arm.ini");
    EXPECT_STREQ(State.Sh3Ini, "") << "an empty key names no candidate";
}

TEST_F(SetupInfTest, OverLongValuesAreCutToTheirFields) {
    PlaceLauncher("Install/setup");
    std::string name(100, 'n'), ini(100, 'i'), title(300, 't');
    medium_.Write("Install/SETUP.INF", "[Main]\nProductName=" + name + "\nARM=" + ini +
                                           "\n[Startup]\nTitle=" + title + "\n");
    ReadSetupInf();
    EXPECT_EQ(std::string(State.ProductName), name.substr(0, 71));
    EXPECT_EQ(std::string(State.ArmIni), "D:\\Install\\" + ini.substr(0, 79));
    EXPECT_EQ(std::string(State.Title), title.substr(0, 255));
    EXPECT_EQ(std::string(State.Caption), title.substr(0, 255) + " " + kCaptionSuffix);
    EXPECT_EQ(std::string(State.Caption).size(), 265u);
}

TEST_F(SetupInfTest, CutNeverLeavesHalfADoubleByteCharacter) {
    PlaceLauncher("Install/setup");
    // 70 ASCII bytes and then a two-byte character: the 71-byte field takes the ASCII only.
    std::string ascii(70, 'a');
    medium_.Write("Install/SETUP.INF", "[Main]\nProductName=" + ascii + "\xA5\x5C\n");
    ReadSetupInf();
    EXPECT_EQ(std::string(State.ProductName), ascii);
}

TEST_F(SetupInfTest, ChineseTitleAndNameInCodePage950) {
    PlaceLauncher("Install/setup");
    const std::string product = "Tavro \xA6\xE6\xB0\xCA\xC3\xE3\xA8\xE5"; // 行動辭典
    medium_.Write("Install/SETUP.INF",
                  "[Main]\nProductName=" + product + "\n[Startup]\nTitle=" + product + "\n");
    ReadSetupInf();
    EXPECT_EQ(std::string(State.ProductName), product);
    EXPECT_EQ(std::string(State.Caption), product + " " + kCaptionSuffix);
}

TEST_F(SetupInfTest, DirectoryScanStepsOverSecondBytesThatLookLikeBackslashes) {
    // "功" is A5 5C in code page 950; the executable's own name ends in it.
    PlaceLauncher("\xE5\x8A\x9F\xE8\x83\xBD/\xE5\xAE\x89\xE8\xA3\x9D\xE5\x8A\x9F"); // 功能/安裝功
    medium_.Write("\xE5\x8A\x9F\xE8\x83\xBD/SETUP.INF", "[Main]\nProductName=Found\n");
    ReadSetupInf();
    EXPECT_STREQ(State.SetupDir, "D:\\\xA5\x5C\xAF\xE0");
    EXPECT_STREQ(State.ProductName, "Found");
}

TEST_F(SetupInfTest, DeepMediumIsReadWhole) {
    // Deeper than the 79 bytes a smaller directory field would hold.
    std::string deep =
        std::string(60, 'd') + "/" + std::string(60, 'e') + "/" + std::string(60, 'f');
    PlaceLauncher(deep + "/setup");
    medium_.Write(deep + "/SETUP.INF", "[Main]\nProductName=Deep\nMIPS=m.ini\n");
    ReadSetupInf();
    EXPECT_STREQ(State.ProductName, "Deep");
    std::string dir =
        "D:\\" + std::string(60, 'd') + "\\" + std::string(60, 'e') + "\\" + std::string(60, 'f');
    EXPECT_EQ(std::string(State.SetupDir), dir);
    EXPECT_EQ(std::string(State.MipsIni), dir + "\\m.ini");
}

TEST_F(SetupInfTest, ModulePathTooLongForTheFieldMeansNoDirectory) {
    std::string deep;
    for (int i = 0; i < 3; ++i)
        deep += std::string(90, char('a' + i)) + "/";
    PlaceLauncher(deep + "setup");
    // A cut module path would lead to the file two levels up.
    std::string twoUp = std::string(90, 'a') + "/" + std::string(90, 'b') + "/";
    medium_.Write(twoUp + "SETUP.INF", "[Main]\nProductName=Wrong\nARM=a.ini\n");
    ReadSetupInf();
    EXPECT_STREQ(State.SetupDir, "");
    EXPECT_STREQ(State.ProductName, "Tavro");
    EXPECT_STREQ(State.ArmIni, "");
}

} // namespace

// The real launcher binary, copied onto a temporary medium and started as a user would.
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

struct Outcome {
    int status;
    std::string errors;
    std::string trace;
};

class LauncherTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::copy_file(SETUP_BINARY, medium_.Path() / "setup");
        medium_.Write("SETUP.INF", "[Main]\r\nProductName=Sample Viewer\r\nARM=ARM\\Viewer.ini\r\n"
                                   "[Startup]\r\nTitle=Sample Viewer 1.0\r\n");
    }

    Outcome Start(const std::string& environment) {
        std::string errors = (medium_.Path() / "stderr.txt").string();
        std::string trace = (medium_.Path() / "trace.txt").string();
        std::string command = "env -u DISPLAY W32_DRIVES=D=" + medium_.Path().string() +
                              " W32_TRACE=" + trace + " " + environment + " " +
                              (medium_.Path() / "setup").string() + " 2>" + errors;
        int status = std::system(command.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, Read(errors), Read(trace)};
    }
    static std::string Read(const std::string& path) {
        std::stringstream text;
        text << std::ifstream(path).rdbuf();
        return text.str();
    }

    testing_support::TempDir medium_;
};

TEST_F(LauncherTest, HeadlessRunPaintsTheBackdropAndEndsWithZero) {
    Outcome run = Start("W32_DISPLAY=headless W32_SCREEN=800x600");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.errors, "");
    EXPECT_NE(run.trace.find("CreateWindowExA \"SetupMain\" \"Setup\" style=0x90800000"),
              std::string::npos)
        << run.trace;
    EXPECT_NE(run.trace.find("DestroyWindow "), std::string::npos) << run.trace;
}

TEST_F(LauncherTest, UnusableConfigurationStopsBeforeAnyWindow) {
    struct Case {
        const char* environment;
        const char* error;
    } cases[] = {
        {"W32_DISPLAY=tv",
         "setup: W32_DISPLAY: expected fullscreen, window or headless, got 'tv'\n"},
        {"W32_SCREEN=640",
         "setup: W32_SCREEN: expected WIDTHxHEIGHT (1 to 16384 each), got '640'\n"},
        {"W32_INPUT=/no/such/script",
         "setup: W32_INPUT: cannot read input script '/no/such/script'\n"},
        {"W32_CODEPAGE=abc", "setup: W32_CODEPAGE: unknown code page 'abc'\n"},
        {"W32_DRIVES=D:/x", "setup: W32_DRIVES: expected LETTER=/absolute/path, got 'D:/x'\n"},
    };
    for (const Case& c : cases) {
        Outcome run = Start(std::string("W32_DISPLAY=headless ") + c.environment);
        EXPECT_EQ(run.status, 2) << c.environment;
        EXPECT_EQ(run.errors, c.error);
        EXPECT_EQ(run.trace, "") << "no window was made";
    }
}

TEST_F(LauncherTest, DisplayThatCannotOpenEndsTheRunWithItsReason) {
    Outcome run = Start("W32_DISPLAY=window");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.errors, "setup: cannot open X display ''\n");
    EXPECT_NE(run.trace.find("CreateWindowExA \"SetupMain\" \"Setup\" style=0x90800000 "
                             "exstyle=0x0 -> NULL"),
              std::string::npos)
        << run.trace;
}

} // namespace

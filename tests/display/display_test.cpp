#include "backend_conformance.h"
#include "display/display.h"
#include "display/input_script.h"
#include "display/png.h"
#include "support/temp_dir.h"

#include <windows.h>

#include <gtest/gtest.h>
#include <png.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>

namespace {

INSTANTIATE_TEST_SUITE_P(Headless, BackendConformance, ::testing::Values(BackendKind::Headless),
                         [](const auto&) { return std::string("headless"); });

TEST(HeadlessTest, NoInputWillEverCome) {
    auto backend = w32::display::OpenHeadless(8, 8);
    EXPECT_FALSE(backend->NextEvent(true));
    EXPECT_FALSE(w32::display::OpenHeadless(0, 8));
}

struct ConfigCase {
    const char* name;
    const char* display;
    const char* screen;
    const char* xDisplay;
    std::string error; // empty: valid
    w32::display::Mode mode = w32::display::Mode::Headless;
    int width = 1024;
    int height = 768;
};

class ConfigTest : public ::testing::TestWithParam<ConfigCase> {};

void SetOrClear(const char* name, const char* value) {
    if (value)
        setenv(name, value, 1);
    else
        unsetenv(name);
}

TEST_P(ConfigTest, ReadsTheEnvironment) {
    const ConfigCase& c = GetParam();
    SetOrClear("W32_DISPLAY", c.display);
    SetOrClear("W32_SCREEN", c.screen);
    SetOrClear("DISPLAY", c.xDisplay);
    unsetenv("W32_INPUT");
    std::string error;
    std::optional<w32::display::Config> config = w32::display::ConfigFromEnvironment(&error);
    if (!c.error.empty()) {
        EXPECT_FALSE(config);
        EXPECT_EQ(error, c.error);
        return;
    }
    ASSERT_TRUE(config) << error;
    EXPECT_EQ(config->mode, c.mode);
    EXPECT_EQ(config->width, c.width);
    EXPECT_EQ(config->height, c.height);
}

using Mode = w32::display::Mode;
INSTANTIATE_TEST_SUITE_P(
    Variables, ConfigTest,
    ::testing::Values(
        ConfigCase{"Defaults", nullptr, nullptr, nullptr, "", Mode::Headless},
        ConfigCase{"FullscreenWhenXIsThere", nullptr, nullptr, ":0", "", Mode::Fullscreen},
        ConfigCase{"EmptyXDisplay", nullptr, nullptr, "", "", Mode::Headless},
        ConfigCase{"Window", "window", "640x480", ":0", "", Mode::Window, 640, 480},
        ConfigCase{"HeadlessOverX", "headless", "1920x1080", ":0", "", Mode::Headless, 1920, 1080},
        ConfigCase{"UnknownDisplay", "tv", nullptr, nullptr,
                   "W32_DISPLAY: expected fullscreen, window or headless, got 'tv'"},
        ConfigCase{"SizeWithoutHeight", "headless", "12x", nullptr,
                   "W32_SCREEN: expected WIDTHxHEIGHT (1 to 16384 each), got '12x'"},
        ConfigCase{"SizeZero", "headless", "0x10", nullptr,
                   "W32_SCREEN: expected WIDTHxHEIGHT (1 to 16384 each), got '0x10'"},
        ConfigCase{"SizeHuge", "headless", "99999x10", nullptr,
                   "W32_SCREEN: expected WIDTHxHEIGHT (1 to 16384 each), got '99999x10'"},
        ConfigCase{"SizeWithJunk", "headless", "640x480px", nullptr,
                   "W32_SCREEN: expected WIDTHxHEIGHT (1 to 16384 each), got '640x480px'"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(InputConfigTest, ScriptIsReadAndCheckedBeforeAnyWindow) {
    testing_support::TempDir dir;
    unsetenv("W32_DISPLAY");
    unsetenv("W32_SCREEN");
    std::string error;
    setenv("W32_INPUT", (dir.Path() / "missing").c_str(), 1);
    EXPECT_FALSE(w32::display::ConfigFromEnvironment(&error));
    EXPECT_EQ(error.rfind("W32_INPUT: cannot read input script", 0), 0u) << error;
    setenv("W32_INPUT", dir.Write("bad", "click 1 2\nwiggle\n").c_str(), 1);
    EXPECT_FALSE(w32::display::ConfigFromEnvironment(&error));
    EXPECT_EQ(error, "W32_INPUT: line 2: unknown command 'wiggle'");
    setenv("W32_INPUT", dir.Write("good", "# start\nkey Return\n").c_str(), 1);
    std::optional<w32::display::Config> config = w32::display::ConfigFromEnvironment(&error);
    ASSERT_TRUE(config) << error;
    ASSERT_EQ(config->script.size(), 1u);
    EXPECT_EQ(config->script[0].line, 2);
    unsetenv("W32_INPUT");
}

TEST(InputScriptTest, CommandsAndErrors) {
    using Kind = w32::display::ScriptCommand::Kind;
    std::string error;
    auto script = w32::display::ParseInputScript("# comment\n"
                                                 "\n"
                                                 "click 10 20\r\n"
                                                 "  click-text  下一步 #2 \n"
                                                 "key shift+Tab\n"
                                                 "key a\n"
                                                 "key Escape\n"
                                                 "screenshot out/page 1.png\n",
                                                 &error);
    ASSERT_TRUE(script) << error;
    ASSERT_EQ(script->size(), 6u);
    EXPECT_EQ((*script)[0].kind, Kind::Click);
    EXPECT_EQ((*script)[0].x, 10);
    EXPECT_EQ((*script)[0].y, 20);
    EXPECT_EQ((*script)[0].line, 3);
    EXPECT_EQ((*script)[1].kind, Kind::ClickText);
    EXPECT_EQ((*script)[1].text, "下一步 #2");
    EXPECT_EQ((*script)[2].virtualKey, unsigned(VK_TAB));
    EXPECT_TRUE((*script)[2].shift);
    EXPECT_EQ((*script)[3].virtualKey, unsigned('A'));
    EXPECT_EQ((*script)[3].character, unsigned('a'));
    EXPECT_EQ((*script)[4].virtualKey, unsigned(VK_ESCAPE));
    EXPECT_EQ((*script)[5].kind, Kind::Screenshot);
    EXPECT_EQ((*script)[5].text, "out/page 1.png");

    struct Bad {
        const char* script;
        const char* error;
    } bad[] = {
        {"click 1\n", "line 1: click needs X Y, got '1'"},
        {"click a b\n", "line 1: click needs X Y, got 'a b'"},
        {"\n\nkey F13\n", "line 3: unknown key 'F13'"},
        {"click-text\n", "line 1: click-text needs a text"},
        {"screenshot\n", "line 1: screenshot needs a file name"},
        {"tap 1 2\n", "line 1: unknown command 'tap'"},
    };
    for (const Bad& b : bad) {
        EXPECT_FALSE(w32::display::ParseInputScript(b.script, &error)) << b.script;
        EXPECT_EQ(error, b.error);
    }
}

TEST(PngTest, WritesWhatReadsBack) {
    testing_support::TempDir dir;
    uint32_t pixels[2 * 3] = {0xFF0000, 0x00FF00, 0x0000FF, 0x123456, 0xFFFFFF, 0};
    w32::display::Pixels image{pixels, 2, 3, 2};
    std::string path = (dir.Path() / "shot.png").string();
    std::string error;
    ASSERT_TRUE(w32::display::WritePng(image, path, &error)) << error;

    png_image read = {};
    read.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_file(&read, path.c_str()));
    EXPECT_EQ(read.width, 2u);
    EXPECT_EQ(read.height, 3u);
    read.format = PNG_FORMAT_RGB;
    std::vector<unsigned char> rgb(PNG_IMAGE_SIZE(read));
    ASSERT_TRUE(png_image_finish_read(&read, nullptr, rgb.data(), 0, nullptr));
    for (int i = 0; i < 6; ++i) {
        uint32_t p = uint32_t(rgb[3 * i]) << 16 | uint32_t(rgb[3 * i + 1]) << 8 | rgb[3 * i + 2];
        EXPECT_EQ(p, pixels[i]) << i;
    }
    EXPECT_FALSE(w32::display::WritePng(image, (dir.Path() / "no/such/dir.png").string(), &error));
    EXPECT_NE(error.find("cannot write screenshot"), std::string::npos);
}

} // namespace

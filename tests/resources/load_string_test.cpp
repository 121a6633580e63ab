#include "resources/res_file.h"
#include "resources/resources.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

extern "C" const unsigned char w32_module_res_begin[];
extern "C" const unsigned char w32_module_res_end[];

namespace {

HINSTANCE Self() {
    return GetModuleHandleA(nullptr);
}

// The launcher's string table in code page 950, with the byte counts it must come out with.
TEST(LoadStringTest, EveryTextOfTheTableInCodePage950) {
    struct Case {
        UINT id;
        std::string text;
    } cases[] = {
        {23, "Main"},
        {29, "\xB1\x7A\xAC\x4F\xA7\x5F\xAF\x75\xAA\xBA\xAD\x6E\xB5\xB2\xA7\xF4 %s "
             "\xAA\xBA\xA6\x77\xB8\xCB\xA7\x40\xB7\x7E !"},
        {30, " \xA6\x77\xB8\xCB\xB5\x7B\xA6\xA1"},
        {32, "ProductName"},
        {43, "Startup"},
        {45, "Title"},
        {58, "MIPS"},
        {59, "SH3"},
        {60, "ARM"},
    };
    for (const Case& c : cases) {
        char buffer[256];
        EXPECT_EQ(LoadStringA(Self(), c.id, buffer, sizeof(buffer)), int(c.text.size())) << c.id;
        EXPECT_EQ(std::string(buffer), c.text) << c.id;
    }
    char buffer[256];
    EXPECT_EQ(LoadStringA(Self(), 29, buffer, sizeof(buffer)), 32);
    EXPECT_EQ(LoadStringA(Self(), 61, buffer, sizeof(buffer)), 70);
    EXPECT_NE(std::string(buffer).find(", "), std::string::npos);
    EXPECT_NE(std::string(buffer).find(" ActiveSync 3.0 (\xA9\xCE"
                                       "3.0"),
              std::string::npos);
    EXPECT_EQ(std::string(buffer).substr(67), " \xA1\x43");
}

TEST(LoadStringTest, MissingTextsAndBadArguments) {
    char buffer[16] = "old";
    EXPECT_EQ(LoadStringA(Self(), 24, buffer, sizeof(buffer)), 0) << "same block, no entry";
    EXPECT_STREQ(buffer, "");
    EXPECT_EQ(LoadStringA(Self(), 4000, buffer, sizeof(buffer)), 0) << "no such block";
    EXPECT_EQ(LoadStringA(Self(), 23, nullptr, 16), 0);
    EXPECT_EQ(LoadStringA(Self(), 23, buffer, 0), 0);
    EXPECT_EQ(LoadStringA(reinterpret_cast<HINSTANCE>(0x4321), 23, buffer, sizeof(buffer)), 0);
}

TEST(LoadStringTest, ShortBufferKeepsWholeCharacters) {
    char buffer[5];
    // " 安裝程式": the space and two characters fit in 4 bytes plus... one and a half do not.
    EXPECT_EQ(LoadStringA(Self(), 30, buffer, sizeof(buffer)), 3);
    EXPECT_STREQ(buffer, " \xA6\x77");
    EXPECT_EQ(LoadStringA(Self(), 23, buffer, 3), 2);
    EXPECT_STREQ(buffer, "Ma");
}

std::vector<std::byte> Bytes(std::initializer_list<int> values) {
    std::vector<std::byte> out;
    for (int v : values)
        out.push_back(std::byte(v));
    return out;
}

TEST(ResFileTest, ParsesTheLinkedImage) {
    std::span<const std::byte> image(reinterpret_cast<const std::byte*>(w32_module_res_begin),
                                     size_t(w32_module_res_end - w32_module_res_begin));
    auto entries = w32::resources::ParseResFile(image);
    ASSERT_TRUE(entries);
    ASSERT_FALSE(entries->empty());
    for (const auto& e : *entries) {
        EXPECT_EQ(e.type.ordinal, 6) << "string blocks only";
        EXPECT_EQ(e.language, 0x0404);
    }
}

TEST(ResFileTest, MalformedImagesAreRejected) {
    // A well-formed entry: type 6, name 2, language 0x0404, 4 data bytes.
    std::vector<std::byte> good =
        Bytes({4, 0, 0, 0, 32, 0, 0, 0, 0xFF, 0xFF, 6, 0, 0xFF, 0xFF, 2, 0, 0, 0,
               0, 0, 0, 0, 4,  4, 0, 0, 0,    0,    0, 0, 0,    0,    1, 2, 3, 4});
    ASSERT_TRUE(w32::resources::ParseResFile(good));
    EXPECT_EQ(w32::resources::ParseResFile(good)->at(0).data.size(), 4u);
    struct Case {
        const char* name;
        std::vector<std::byte> bytes;
    } cases[] = {
        {"truncated header", std::vector<std::byte>(good.begin(), good.begin() + 20)},
        {"data past the end", std::vector<std::byte>(good.begin(), good.end() - 1)},
        {"header size too small",
         [&] {
             auto b = good;
             b[4] = std::byte(8);
             return b;
         }()},
        {"header size past the end",
         [&] {
             auto b = good;
             b[5] = std::byte(1);
             return b;
         }()},
        {"huge data size",
         [&] {
             auto b = good;
             b[3] = std::byte(0xFF);
             return b;
         }()},
        {"unterminated name", Bytes({0, 0, 0, 0, 32, 0, 0, 0, 'A', 0, 'B', 0})},
    };
    for (const Case& c : cases)
        EXPECT_FALSE(w32::resources::ParseResFile(c.bytes)) << c.name;
}

TEST(ResourceLookupTest, LanguageFallbackAndStringNames) {
    // Two entries of bitmap "LOGO" in English and Chinese (Taiwan).
    auto entry = [](int language, int data) {
        return Bytes({1,
                      0,
                      0,
                      0,
                      40,
                      0,
                      0,
                      0,
                      0xFF,
                      0xFF,
                      2,
                      0,
                      'L',
                      0,
                      'O',
                      0,
                      'G',
                      0,
                      'O',
                      0,
                      0,
                      0,
                      0,
                      0,
                      0,
                      0,
                      0,
                      0,
                      0,
                      0,
                      language & 0xFF,
                      language >> 8,
                      0,
                      0,
                      0,
                      0,
                      0,
                      0,
                      0,
                      0,
                      data,
                      0,
                      0,
                      0});
    };
    std::vector<std::byte> image = entry(0x0409, 1);
    std::vector<std::byte> second = entry(0x0404, 2);
    image.insert(image.end(), second.begin(), second.end());
    ASSERT_TRUE(w32::resources::ParseResFile(image));
    w32::resources::SetForTesting(image);
    auto neutral = w32::resources::Find(nullptr, RT_BITMAP, "logo");
    ASSERT_TRUE(neutral);
    EXPECT_EQ((*neutral)[0], std::byte(2)) << "the code page's language comes before English";
    auto english = w32::resources::Find(nullptr, RT_BITMAP, "LOGO", 0x0409);
    ASSERT_TRUE(english);
    EXPECT_EQ((*english)[0], std::byte(1));
    EXPECT_FALSE(w32::resources::Find(nullptr, RT_BITMAP, "LOGO", 0x0407));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_RESOURCE_LANG_NOT_FOUND));
    EXPECT_FALSE(w32::resources::Find(nullptr, RT_BITMAP, MAKEINTRESOURCEA(5)));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_RESOURCE_NAME_NOT_FOUND));
    EXPECT_FALSE(w32::resources::Find(nullptr, RT_ICON, "LOGO"));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_RESOURCE_TYPE_NOT_FOUND));
    w32::resources::SetForTesting({});
}

} // namespace

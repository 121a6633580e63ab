#include "backdrop/backdrop.h"

#include <gtest/gtest.h>

#include <map>

namespace {

TEST(BandTest, BandsTileEveryScreenHeight) {
    for (int height = 1; height <= 32767; ++height) {
        ASSERT_EQ(BandTop(0, height), 0) << height;
        ASSERT_EQ(BandTop(255, height), height) << height;
        for (int band = 0; band < 255; ++band)
            ASSERT_EQ(BandTop(band, height), band * height / 255) << height << " band " << band;
    }
}

TEST(BandTest, BandSizesOfCommonScreens) {
    struct Case {
        int height;
        std::map<int, int> bandsOfRows; // rows per band -> number of bands
    } cases[] = {
        {480, {{1, 30}, {2, 225}}},
        {600, {{2, 165}, {3, 90}}},
        {768, {{3, 252}, {4, 3}}},
        {1024, {{4, 251}, {5, 4}}},
    };
    for (const Case& c : cases) {
        std::map<int, int> counted;
        for (int band = 0; band < 255; ++band)
            ++counted[BandTop(band + 1, c.height) - BandTop(band, c.height)];
        EXPECT_EQ(counted, c.bandsOfRows) << c.height;
    }
}

} // namespace

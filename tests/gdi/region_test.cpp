#include "gdi/region.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Counts the points of a small grid inside the region, and checks that no point is covered twice.
std::vector<int> Coverage(const w32::gdi::Region& region) {
    std::vector<int> grid(20 * 20, 0);
    for (const RECT& r : region.Rects())
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                ++grid[y * 20 + x];
    return grid;
}

TEST(RegionTest, OperationsMatchPointSets) {
    using Op = void (*)(w32::gdi::Region&, const RECT&);
    struct Case {
        const char* name;
        RECT a;
        RECT b;
        Op op;
        bool (*inside)(bool inA, bool inB);
    } cases[] = {
        {"union overlapping",
         {2, 2, 10, 10},
         {5, 5, 15, 15},
         [](w32::gdi::Region& r, const RECT& b) { r.Union(b); },
         [](bool a, bool b) { return a || b; }},
        {"subtract a hole",
         {2, 2, 18, 18},
         {6, 6, 10, 10},
         [](w32::gdi::Region& r, const RECT& b) { r.Subtract(b); },
         [](bool a, bool b) { return a && !b; }},
        {"subtract an edge",
         {2, 2, 18, 18},
         {0, 0, 20, 5},
         [](w32::gdi::Region& r, const RECT& b) { r.Subtract(b); },
         [](bool a, bool b) { return a && !b; }},
        {"intersect",
         {2, 2, 10, 10},
         {5, 0, 20, 7},
         [](w32::gdi::Region& r, const RECT& b) { r.Intersect(b); },
         [](bool a, bool b) { return a && b; }},
        {"union disjoint",
         {0, 0, 3, 3},
         {10, 10, 12, 12},
         [](w32::gdi::Region& r, const RECT& b) { r.Union(b); },
         [](bool a, bool b) { return a || b; }},
        {"union with empty",
         {0, 0, 3, 3},
         {5, 5, 5, 9},
         [](w32::gdi::Region& r, const RECT& b) { r.Union(b); },
         [](bool a, bool b) { return a || b; }},
    };
    for (const Case& c : cases) {
        w32::gdi::Region region(c.a);
        c.op(region, c.b);
        std::vector<int> grid = Coverage(region);
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x) {
                auto in = [&](const RECT& r) {
                    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
                };
                ASSERT_EQ(grid[y * 20 + x], c.inside(in(c.a), in(c.b)) ? 1 : 0)
                    << c.name << " at " << x << "," << y;
                ASSERT_EQ(region.Contains(x, y), grid[y * 20 + x] == 1) << c.name;
            }
    }
}

TEST(RegionTest, RegionsCombineAndMove) {
    w32::gdi::Region a(RECT{0, 0, 10, 10});
    w32::gdi::Region b(RECT{5, 5, 15, 15});
    w32::gdi::Region both = a;
    both.Intersect(b);
    EXPECT_EQ(both.Bounds().left, 5);
    EXPECT_EQ(both.Bounds().right, 10);
    a.Subtract(b);
    EXPECT_FALSE(a.Contains(7, 7));
    EXPECT_TRUE(a.Contains(2, 7));
    a.Offset(100, 0);
    EXPECT_TRUE(a.Contains(102, 7));
    EXPECT_EQ(a.Bounds().right, 110);
    a.Clear();
    EXPECT_TRUE(a.IsEmpty());
    RECT empty = a.Bounds();
    EXPECT_EQ(empty.right, 0);
}

TEST(RectTest, IntersectAndSet) {
    RECT a, b, out;
    SetRect(&a, 0, 0, 10, 10);
    SetRect(&b, 5, 5, 20, 20);
    EXPECT_TRUE(IntersectRect(&out, &a, &b));
    EXPECT_EQ(out.left, 5);
    EXPECT_EQ(out.bottom, 10);
    SetRect(&b, 10, 0, 20, 10); // touching edges do not meet
    EXPECT_FALSE(IntersectRect(&out, &a, &b));
    EXPECT_EQ(out.left | out.top | out.right | out.bottom, 0);
    EXPECT_FALSE(SetRect(nullptr, 0, 0, 1, 1));
}

} // namespace

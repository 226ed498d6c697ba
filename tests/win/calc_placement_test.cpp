// Where the calculator's companion windows go against the bar.
#include <gtest/gtest.h>

#include <climits>

#include "platform/placement.h"

namespace {

const RECT kScreen = {0, 0, 1280, 984};
const RECT kUnbounded = {0, 0, INT_MAX, INT_MAX};

bool Same(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::string Show(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

TEST(PlaceBelowOrAbove, BelowThenAboveThenCutAtTheWorkArea) {
    struct Case {
        RECT bar;
        RECT work;
        RECT expected;
    };
    const Case cases[] = {
        {{100, 100, 500, 150}, kScreen, {100, 150, 500, 410}},   // room below
        {{100, 600, 500, 724}, kScreen, {100, 724, 500, 984}},   // exactly 260 below
        {{100, 700, 500, 750}, kScreen, {100, 440, 500, 700}},   // above
        {{0, 260, 300, 800}, kScreen, {0, 800, 300, 984}},       // top not above 260: cut below
        {{0, 261, 300, 800}, kScreen, {0, 1, 300, 261}},         // top 261: above
        {{-50, -20, 300, 30}, kUnbounded, {-50, 30, 300, 290}},  // no work area: always below
        {{0, 100, 300, 1000}, kScreen, {0, 1000, 300, 1000}},    // bar past the work area
    };
    for (const Case& c : cases) {
        RECT got = PlaceBelowOrAbove(c.bar, 260, c.work);
        EXPECT_TRUE(Same(got, c.expected)) << Show(c.bar) << " -> " << Show(got);
    }
}

TEST(PlaceBeside, RightOrLeftAndLevelOrAbove) {
    struct Case {
        RECT bar;
        RECT expected;
    };
    const Case cases[] = {
        {{100, 100, 500, 150}, {500, 100, 760, 410}},     // right, reaching 260 below
        {{900, 100, 1100, 150}, {640, 100, 900, 410}},    // right edge: left
        {{200, 100, 1100, 150}, {1100, 100, 1280, 410}},  // no room either side: cut at the right
        {{100, 800, 500, 850}, {500, 540, 760, 850}},     // bottom: starts 260 above the top
        {{100, 200, 500, 850}, {500, 200, 760, 984}},     // tall: down to the work area's bottom
    };
    for (const Case& c : cases) {
        RECT got = PlaceBeside(c.bar, 260, kScreen);
        EXPECT_TRUE(Same(got, c.expected)) << Show(c.bar) << " -> " << Show(got);
    }
    EXPECT_TRUE(Same(PlaceBeside({INT_MAX - 100, 0, INT_MAX - 10, 50}, 260, kUnbounded),
                     {INT_MAX - 100 - 260, 0, INT_MAX - 100, 310}));
}

// The room above or to the left of the bar is counted from its monitor's work area: a taskbar
// along the top, a second monitor on the right (1280-2304, 600 high), monitors to the left of and
// above the primary (negative coordinates).
TEST(PlaceBelowOrAbove, RoomAboveIsCountedFromTheWorkAreasTop) {
    struct Case {
        RECT bar;
        int height;
        RECT work;
        RECT expected;
    };
    const RECT topTaskbar = {0, 40, 1280, 800};
    const RECT second = {1280, 0, 2304, 600};
    const RECT above = {0, -1080, 1920, -40};
    const Case cases[] = {
        {{100, 600, 565, 658}, 260, topTaskbar, {100, 340, 565, 600}},  // above, clear of the taskbar
        {{100, 280, 565, 700}, 260, topTaskbar, {100, 700, 565, 800}},  // 240 above: cut below
        {{1708, 100, 2173, 155}, 260, second, {1708, 155, 2173, 415}},  // below
        {{1708, 406, 2173, 461}, 260, second, {1708, 146, 2173, 406}},  // above
        {{1708, 406, 2173, 461}, 400, second, {1708, 6, 2173, 406}},    // output window above
        {{1708, 300, 2173, 355}, 400, second, {1708, 355, 2173, 600}},  // cut at that monitor's bottom
        {{100, -200, 565, -142}, 260, above, {100, -460, 565, -200}},   // above, at negative y
        {{100, -1000, 565, -100}, 260, above, {100, -100, 565, -40}},   // 80 above: cut below
    };
    for (const Case& c : cases) {
        RECT got = PlaceBelowOrAbove(c.bar, c.height, c.work);
        EXPECT_TRUE(Same(got, c.expected)) << Show(c.bar) << " in " << Show(c.work) << " -> " << Show(got);
    }
}

TEST(PlaceBeside, RoomLeftAndAboveAreCountedFromTheWorkArea) {
    struct Case {
        RECT bar;
        RECT work;
        RECT expected;
    };
    const RECT second = {1280, 0, 2304, 600};
    const RECT left = {-1280, -200, 0, 784};
    const Case cases[] = {
        {{1400, 100, 1865, 155}, second, {1865, 100, 2125, 415}},  // right, reaching below
        {{2000, 406, 2280, 461}, second, {1740, 146, 2000, 461}},  // left and above
        {{1400, 200, 2280, 461}, second, {2280, 200, 2304, 600}},  // 120 on the left, 200 above: cut
        {{-300, 500, -35, 558}, left, {-560, 240, -300, 558}},     // left and above, negative x
        {{-1100, -100, -35, 700}, left, {-35, -100, 0, 784}},      // no room anywhere: cut
    };
    for (const Case& c : cases) {
        RECT got = PlaceBeside(c.bar, 260, c.work);
        EXPECT_TRUE(Same(got, c.expected)) << Show(c.bar) << " in " << Show(c.work) << " -> " << Show(got);
    }
}

}  // namespace

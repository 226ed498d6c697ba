// Where the bar and its dialogs go on desktops of several monitors, including those no test
// display can make: monitors left of and above the primary, different tops, a top taskbar.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/monitor_fit.h"

namespace {

// A 1280x1000 primary with its taskbar along the top and a 1024x600 monitor on its right.
const std::vector<MonitorAreas> kSideBySide = {
    {{0, 0, 1280, 1000}, {0, 40, 1280, 1000}},
    {{1280, 0, 2304, 600}, {1280, 0, 2304, 600}},
};
// A 1920x1080 primary, a monitor on its left set 200 pixels higher, and one above it.
const std::vector<MonitorAreas> kLeftAndAbove = {
    {{0, 0, 1920, 1080}, {0, 0, 1920, 1040}},
    {{-1280, -200, 0, 824}, {-1280, -200, 0, 784}},
    {{0, -1080, 1920, 0}, {0, -1080, 1920, 0}},
};
const std::vector<MonitorAreas> kNone;

std::string Show(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

bool Same(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// The bar's title strip: inside a 3-pixel frame, 12 pixels high.
RECT StripOf(const RECT& bar) { return {bar.left + 3, bar.top + 3, bar.right - 3, bar.top + 15}; }

TEST(MonitorFit, TheMonitorOverlappedMostElseTheNearest) {
    struct Case {
        RECT rect;
        const std::vector<MonitorAreas>* monitors;
        int expected;
    };
    const Case cases[] = {
        {{1708, 406, 2173, 461}, &kSideBySide, 1},  // on the second
        {{1000, 100, 1465, 158}, &kSideBySide, 0},  // more on the primary
        {{1100, 100, 1565, 158}, &kSideBySide, 1},  // more on the second
        {{3000, 900, 3465, 958}, &kSideBySide, 1},  // off both: the second is nearer
        {{1500, 700, 1965, 758}, &kSideBySide, 1},  // 100 under the second, 220 beside the primary
        {{1300, 800, 1765, 858}, &kSideBySide, 0},  // 200 under the second, 20 beside the primary
        {{-900, -150, -435, -92}, &kLeftAndAbove, 1},
        {{100, -500, 565, -442}, &kLeftAndAbove, 2},
        {{-100, -100, 100, 100}, &kLeftAndAbove, 1},  // half on the left, a quarter on each other
        {{-100, 100, 100, 200}, &kLeftAndAbove, 0},   // half on each: the first of equals
        {{0, 0, 10, 10}, &kNone, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MonitorIndexOf(c.rect, *c.monitors), c.expected) << Show(c.rect);
}

TEST(MonitorFit, StartCentresInThePrimaryWorkAreaItsEdgesIncluded) {
    struct Case {
        RECT work;
        bool topEdge;
        POINT expected;
    };
    const SIZE bar = {465, 200};
    const Case cases[] = {
        {{0, 0, 1280, 984}, false, {407, 392}},  // taskbar at the bottom
        {{0, 0, 1280, 984}, true, {407, 0}},
        {{0, 40, 1280, 800}, false, {407, 320}},  // taskbar along the top
        {{0, 40, 1280, 800}, true, {407, 40}},
        {{60, 0, 1280, 1000}, false, {437, 400}},  // taskbar on the left
        {{-1280, -200, 0, 784}, true, {-873, -200}},
    };
    for (const Case& c : cases) {
        POINT got = StartPosition(bar, c.work, c.topEdge);
        EXPECT_EQ(got.x, c.expected.x) << Show(c.work);
        EXPECT_EQ(got.y, c.expected.y) << Show(c.work);
    }
}

TEST(MonitorFit, TheTopEdgeIsThatOfTheMonitorUnderTheDraggedBar) {
    struct Case {
        RECT dragged;
        const std::vector<MonitorAreas>* monitors;
        LONG expected;
    };
    const Case cases[] = {
        {{100, 300, 565, 358}, &kSideBySide, 40},        // under the primary's taskbar no more
        {{1500, 300, 1965, 358}, &kSideBySide, 0},       // the second monitor has none
        {{1100, -20, 1565, 38}, &kSideBySide, 0},        // more on the second
        {{-900, 400, -435, 458}, &kLeftAndAbove, -200},  // the left monitor stands higher
        {{100, 300, 565, 358}, &kNone, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TopEdgeOf(c.dragged, *c.monitors), c.expected) << Show(c.dragged);
}

TEST(MonitorFit, ALostBarComesBackWholeAndOneStillOnAScreenStays) {
    struct Case {
        RECT bar;
        const std::vector<MonitorAreas>* monitors;
        bool topEdge;
        bool moves;
        RECT expected;
    };
    const Case cases[] = {
        // Off both monitors: into the second's corner, or to its top.
        {{3000, 900, 3465, 958}, &kSideBySide, false, true, {1839, 542, 2304, 600}},
        {{3000, 900, 3465, 958}, &kSideBySide, true, true, {1839, 0, 2304, 58}},
        // Under the second monitor: onto the nearer one.
        {{1500, 700, 1965, 758}, &kSideBySide, false, true, {1500, 542, 1965, 600}},
        {{1300, 800, 1765, 858}, &kSideBySide, false, true, {815, 800, 1280, 858}},
        // The strip under the top taskbar.
        {{100, 10, 565, 68}, &kSideBySide, false, true, {100, 40, 565, 98}},
        // Half below the second monitor's bottom, or across both: the strip is on a screen.
        {{1500, 560, 1965, 618}, &kSideBySide, false, false, {}},
        {{1100, 100, 1565, 158}, &kSideBySide, true, false, {}},
        // Across the primary's right edge below the second monitor: half the strip is on no screen.
        {{1100, 700, 1565, 758}, &kSideBySide, false, true, {815, 700, 1280, 758}},
        // Left of the left monitor, at negative coordinates.
        {{-2000, 100, -1535, 158}, &kLeftAndAbove, false, true, {-1280, 100, -815, 158}},
        {{-2000, 100, -1535, 158}, &kLeftAndAbove, true, true, {-1280, -200, -815, -142}},
        // Wider than any monitor: at the work area's left.
        {{3000, 200, 5000, 258}, &kSideBySide, false, true, {1280, 200, 3280, 258}},
        // Nothing known of the monitors: nothing moves.
        {{3000, 900, 3465, 958}, &kNone, false, false, {}},
    };
    for (const Case& c : cases) {
        std::optional<RECT> got = RescuedBar(c.bar, StripOf(c.bar), *c.monitors, c.topEdge);
        ASSERT_EQ(got.has_value(), c.moves) << Show(c.bar);
        if (got) {
            EXPECT_TRUE(Same(*got, c.expected)) << Show(c.bar) << " -> " << Show(*got);
        }
    }
}

TEST(MonitorFit, ADialogLiesWithinTheWorkArea) {
    struct Case {
        RECT dialog;
        RECT owner;
        RECT work;
        RECT expected;
    };
    const RECT second = {1280, 0, 2304, 600};
    const Case cases[] = {
        {{1710, 420, 2060, 520}, {1708, 406, 2173, 461}, second, {1710, 420, 2060, 520}},  // stays
        {{465, 392, 815, 492}, {1708, 406, 2173, 461}, second, {1708, 406, 2058, 506}},    // to the bar
        {{1710, 560, 2060, 660}, {1708, 546, 2173, 601}, second, {1708, 500, 2058, 600}},  // up
        {{2200, 100, 2550, 200}, {2200, 90, 2665, 145}, second, {1954, 90, 2304, 190}},    // left
        {{1300, 100, 2500, 800}, {1300, 90, 1765, 145}, second, {1280, 0, 2480, 700}},     // too big
    };
    for (const Case& c : cases) {
        RECT got = DialogWithin(c.dialog, c.owner, c.work);
        EXPECT_TRUE(Same(got, c.expected)) << Show(c.dialog) << " -> " << Show(got);
    }
}

}  // namespace

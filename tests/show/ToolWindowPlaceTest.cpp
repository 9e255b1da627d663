#include "show/ToolWindowPlace.h"

#include <gtest/gtest.h>

// A 300 x 50 tool over a 1280 x 720 screen.
TEST(ToolWindowPlace, TakesTheFirstPlaceThatHidesNothing) {
    const QSize tool(300, 50);
    const QRect screen(0, 0, 1280, 720);
    struct Case {
        const char* what = "";
        QList<QRect> keepClear;
        std::optional<QPoint> current;
        QPoint expected;
    };
    const Case cases[] = {
        {"nothing to keep clear", {}, std::nullopt, QPoint(10, 20)},
        {"the banner at the top-left", {QRect(14, 14, 192, 92)}, std::nullopt, QPoint(970, 20)},
        {"both top corners taken",
         {QRect(14, 14, 192, 92), QRect(1000, 0, 280, 100)},
         std::nullopt,
         QPoint(10, 630)},
        {"where it is hides nothing", {QRect(14, 14, 192, 92)}, QPoint(500, 300), QPoint(500, 300)},
        {"where it is hides the element",
         {QRect(450, 280, 100, 100)},
         QPoint(500, 300),
         QPoint(10, 20)},
        {"where it is lies off the screen", {}, QPoint(1200, 700), QPoint(10, 20)},
        {"everything covered: the least",
         {QRect(0, 0, 1280, 360), QRect(0, 360, 1280, 360), QRect(0, 0, 320, 720)},
         std::nullopt,
         QPoint(970, 20)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ToolWindowPlace::Choose(tool, screen, c.keepClear, c.current), c.expected)
            << c.what;
    // A screen that does not start at the origin: the second monitor.
    EXPECT_EQ(ToolWindowPlace::Choose(tool, QRect(1920, 0, 1280, 720), {}), QPoint(1930, 20));
}

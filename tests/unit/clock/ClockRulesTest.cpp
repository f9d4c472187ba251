#include "ClockRules.h"

#include <gtest/gtest.h>

using namespace kiv;

TEST(ClockRules, OpacityAboveTwentyFourUpTo255)
{
    const struct { int v; bool ok; } cases[] = {{24, false}, {25, true}, {255, true}, {256, false}, {0, false}, {-30, false}};
    for (const auto &c : cases)
        EXPECT_EQ(acceptOpacity(c.v), c.ok) << c.v;
}

TEST(ClockRules, SizeFromTwentyFourToTheWorkAreaHeight)
{
    const struct { int v; bool ok; } cases[] = {{23, false}, {24, true}, {1000, true}, {1001, false}};
    for (const auto &c : cases)
        EXPECT_EQ(acceptClockSize(c.v, 1000), c.ok) << c.v;
}

TEST(ClockRules, EntriesThatAreNoNumberCountAsZero)
{
    EXPECT_EQ(entryToInt(QStringLiteral("130")), 130);
    EXPECT_EQ(entryToInt(QStringLiteral(" 42 ")), 42);
    EXPECT_EQ(entryToInt(QStringLiteral("12a")), 0);
    EXPECT_EQ(entryToInt(QString()), 0);
    EXPECT_EQ(entryToInt(QStringLiteral("99999999999999")), 0);
}

TEST(ClockRules, PageKeys)
{
    EXPECT_EQ(pageUpSize(30), 24);
    EXPECT_EQ(pageUpSize(29), std::nullopt); // 23 is too small
    EXPECT_EQ(pageUpSize(88), 70);
    EXPECT_EQ(pageDownSize(88), 105);
    EXPECT_EQ(pageDownSize(2000000000), 2147483647); // a huge width from the file does not wrap
}

TEST(ClockRules, CalendarIsAskedOnCounterValuesThirtyFortyFifty)
{
    TTickCounter t;
    std::vector<int> due;
    for (int i = 0; i < 61; ++i)
        if (t.tick())
            due.push_back(i);
    EXPECT_EQ(due, (std::vector<int>{30, 40, 50, 60}));
    EXPECT_EQ(t.TickCount, 61);
}

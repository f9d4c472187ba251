#include "ClockFace.h"

#include <gtest/gtest.h>
#include <ostream>
#include <string>

using namespace kiv;

namespace kiv {
void PrintTo(const TFaceLine &l, std::ostream *os)
{
    *os << "(" << l.from.x() << "," << l.from.y() << ")-(" << l.to.x() << "," << l.to.y() << ") pen "
        << l.penWidth << " colour " << std::hex << l.color << std::dec;
}
} // namespace kiv

namespace {

TClockFaceInput at(int w, int h, int m, int s, bool alarm = false)
{
    TClockFaceInput in;
    in.width = in.height = w;
    in.time = encodeDateTime(2024, 5, 17, h, m, s);
    in.color = 0x123456;
    in.alarmActive = alarm;
    in.alarmTime = encodeTime(6, 30, 0);
    return in;
}

TFaceLine line(int x1, int y1, int x2, int y2, int pen, unsigned color)
{
    return TFaceLine{QPoint(x1, y1), QPoint(x2, y2), pen, color};
}

struct HandCase
{
    int w, h, m, s;
    TFaceLine hour, minute, second;
    QRect ball;
};

void PrintTo(const HandCase &c, std::ostream *os)
{
    *os << c.w << "px " << c.h << ":" << c.m << ":" << c.s;
}

class FaceHands : public ::testing::TestWithParam<HandCase>
{
};

} // namespace

TEST_P(FaceHands, TipTailAndPen)
{
    const HandCase &c = GetParam();
    const TClockFaceGeometry g = clockFaceGeometry(at(c.w, c.h, c.m, c.s));
    EXPECT_EQ(g.hour, c.hour);
    EXPECT_EQ(g.minute, c.minute);
    ASSERT_TRUE(g.second);
    EXPECT_EQ(*g.second, c.second);
    ASSERT_TRUE(g.ball);
    EXPECT_EQ(*g.ball, c.ball);
    EXPECT_FALSE(g.alarm);
}

constexpr unsigned kHands = 0x123456;
INSTANTIATE_TEST_SUITE_P(
    WorkedSizes, FaceHands,
    ::testing::Values(
        // W = 88: hour tip 27 / tail 8 / pen 6, minute 39 / 11 / 4, second 37 / 7 / 1, ball 10.
        HandCase{88, 0, 0, 0, line(44, 17, 44, 52, 6, kHands), line(44, 5, 44, 55, 4, kHands),
                 line(44, 7, 44, 51, 1, kSecondHandColor), QRect(39, 2, 10, 10)},
        HandCase{88, 12, 0, 0, line(44, 17, 44, 52, 6, kHands), line(44, 5, 44, 55, 4, kHands),
                 line(44, 7, 44, 51, 1, kSecondHandColor), QRect(39, 2, 10, 10)},
        HandCase{88, 3, 0, 0, line(71, 44, 36, 44, 6, kHands), line(44, 5, 44, 55, 4, kHands),
                 line(44, 7, 44, 51, 1, kSecondHandColor), QRect(39, 2, 10, 10)},
        // Half past three: hour hand at 15 degrees below 3 o'clock, minute hand down.
        HandCase{88, 15, 30, 0, line(70, 51, 36, 42, 6, kHands), line(44, 83, 44, 33, 4, kHands),
                 line(44, 7, 44, 51, 1, kSecondHandColor), QRect(39, 2, 10, 10)},
        // Second hand at 15 s points right; the minute hand has moved a quarter minute.
        HandCase{88, 0, 0, 15, line(44, 17, 44, 52, 6, kHands), line(45, 5, 44, 55, 4, kHands),
                 line(81, 44, 37, 44, 1, kSecondHandColor), QRect(76, 39, 10, 10)},
        // W = 24, the smallest size: hour and minute pens 2, K = 1.
        HandCase{24, 0, 0, 0, line(12, 4, 12, 14, 2, kHands), line(12, 1, 12, 15, 2, kHands),
                 line(12, 1, 12, 14, 1, kSecondHandColor), QRect(11, 0, 2, 2)},
        HandCase{24, 3, 0, 0, line(20, 12, 10, 12, 2, kHands), line(12, 1, 12, 15, 2, kHands),
                 line(12, 1, 12, 14, 1, kSecondHandColor), QRect(11, 0, 2, 2)}),
    [](const ::testing::TestParamInfo<HandCase> &i) {
        const HandCase &c = i.param;
        return "W" + std::to_string(c.w) + "_" + std::to_string(c.h) + "h" + std::to_string(c.m) + "m" +
               std::to_string(c.s) + "s";
    });

TEST(ClockFace, TicksRunFromEightyPercentToTheRim)
{
    const TClockFaceGeometry g = clockFaceGeometry(at(88, 0, 0, 0));
    ASSERT_EQ(g.ticks.size(), 12u);
    EXPECT_EQ(g.ticks[0], line(79, 44, 88, 44, 1, kHands));  // 3 o'clock
    EXPECT_EQ(g.ticks[1], line(74, 62, 82, 66, 1, kHands));  // 4 o'clock
    EXPECT_EQ(g.ticks[3], line(44, 79, 44, 88, 1, kHands));  // 6 o'clock
    EXPECT_EQ(g.ticks[6], line(9, 44, 0, 44, 1, kHands));    // 9 o'clock
    EXPECT_EQ(g.ticks[9], line(44, 9, 44, 0, 1, kHands));    // 12 o'clock

    const TClockFaceGeometry small = clockFaceGeometry(at(24, 0, 0, 0));
    EXPECT_EQ(small.ticks[0], line(22, 12, 24, 12, 1, kHands));
}

TEST(ClockFace, TicksFollowAnEllipseWhenWidthAndHeightDiffer)
{
    TClockFaceInput in = at(100, 0, 0, 0);
    in.height = 50; // cx = 50, cy = 25
    const TClockFaceGeometry g = clockFaceGeometry(in);
    EXPECT_EQ(g.ticks[0], line(90, 25, 100, 25, 2, kHands));
    EXPECT_EQ(g.ticks[3], line(50, 45, 50, 50, 2, kHands));
    // The hand lengths subtract W-based amounts from each half: 25 - 20 = 5 up.
    EXPECT_EQ(g.hour.from, QPoint(50, 20));
}

TEST(ClockFace, AlarmHandPointsLikeAnHourHandAtTheAlarmTime)
{
    const TClockFaceGeometry g = clockFaceGeometry(at(88, 10, 0, 0, true));
    ASSERT_TRUE(g.alarm);
    // 06:30 lies half-way between 6 and 7 o'clock: 105 degrees from 3 o'clock.
    EXPECT_EQ(*g.alarm, line(37, 70, 46, 36, 2, kAlarmHandColor));

    TClockFaceInput pm = at(88, 10, 0, 0, true);
    pm.alarmTime = encodeDateTime(2020, 1, 1, 18, 30, 0); // date part and PM ignored
    EXPECT_EQ(clockFaceGeometry(pm).alarm, g.alarm);

    const TClockFaceGeometry small = clockFaceGeometry(at(24, 10, 0, 0, true));
    ASSERT_TRUE(small.alarm);
    EXPECT_EQ(small.alarm->penWidth, 1);
}

TEST(ClockFace, NoSecondHandWithoutTheFlag)
{
    TClockFaceInput in = at(88, 1, 2, 3);
    in.showSeconds = false;
    const TClockFaceGeometry g = clockFaceGeometry(in);
    EXPECT_FALSE(g.second);
    EXPECT_FALSE(g.ball);
}

TEST(ClockFace, FractionsOfASecondAreIgnored)
{
    TClockFaceInput a = at(88, 15, 30, 0);
    TClockFaceInput b = a;
    b.time += 0.999 / 86400;
    EXPECT_EQ(clockFaceGeometry(a).second, clockFaceGeometry(b).second);
    EXPECT_EQ(clockFaceGeometry(a).hour, clockFaceGeometry(b).hour);
}

TEST(ClockFace, RoundsHalvesToEven)
{
    const struct { double v; int r; } cases[] = {
        {0.5, 0}, {1.5, 2}, {2.5, 2}, {-0.5, 0}, {-1.5, -2}, {2.4999, 2}, {2.5001, 3}, {-2.6, -3}};
    for (const auto &c : cases)
        EXPECT_EQ(roundHalfEven(c.v), c.r) << c.v;
}

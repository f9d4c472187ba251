#include "AlarmCheck.h"
#include "AlarmHarness.h"
#include "TestSupport.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace kiv;
using kiv::test::TAlarmHarness;

namespace {

// 2026-12-10 at the given time of day; the day must not matter.
TDateTime at(int h, int m, int s, int ms = 0, int day = 10)
{
    return encodeDateTime(2026, 12, day, h, m, s, ms);
}

struct StepCase
{
    const char *name;
    TDateTime now;
    bool isPlaying;
    bool active;
    TAlarmCheckResult expected;
};

} // namespace

TEST(AlarmCheck, FiresOnlyStrictlyWithinThirtySecondsAfterTheAlarmTime)
{
    // The alarm time keeps the date the time picker gave it.
    const TDateTime alarm = encodeDateTime(2001, 5, 3, 6, 30, 0);
    const StepCase cases[] = {
        {"exactly at the alarm time (d = 0)", at(6, 30, 0), false, true, {false, false}},
        {"one second after", at(6, 30, 1), false, true, {true, true}},
        {"one millisecond after", at(6, 30, 0, 1), false, true, {true, true}},
        {"29.999 s after", at(6, 30, 29, 999), false, true, {true, true}},
        {"30 s after (d = 30 s)", at(6, 30, 30), false, true, {false, false}},
        {"before the alarm time", at(6, 29, 59), false, true, {false, false}},
        {"disarmed", at(6, 30, 1), false, false, {false, false}},
        {"playing: no second firing", at(6, 30, 2), true, true, {false, true}},
        {"playing at d = 30 s: still playing", at(6, 30, 30), true, true, {false, true}},
        {"playing, first tick after 30 s clears it", at(6, 30, 31), true, true, {false, false}},
        {"playing, before the alarm time (next day's early tick)", at(6, 0, 0), true, true, {false, true}},
        {"playing and disarmed still clears after 30 s", at(6, 30, 31), true, false, {false, false}},
        {"another day, one second after", at(6, 30, 1, 0, 11), false, true, {true, true}},
    };
    for (const StepCase &c : cases)
        EXPECT_EQ(alarmCheckStep(alarm, c.now, c.isPlaying, c.active), c.expected) << c.name;
}

TEST(AlarmCheck, AlarmJustBeforeMidnightFiresOnlyUntilMidnight)
{
    const TDateTime alarm = encodeTime(23, 59, 50);
    EXPECT_TRUE(alarmCheckStep(alarm, at(23, 59, 59), false, true).fire);
    EXPECT_FALSE(alarmCheckStep(alarm, at(0, 0, 5, 0, 11), false, true).fire);
}

TEST(AlarmCheck, NonDailyAlarmDisarmsBeforeTheWindowShowsAndWritesActiveZero)
{
    kiv::test::TempDir dir;
    TAlarmHarness host(dir.file(QStringLiteral("KivClock.ini")));
    bool activeWhenShown = true;
    host.onShow = [&] { activeWhenShown = host.AlarmActive(); };
    bool playing = false;

    EXPECT_TRUE(CheckDayAlarm(host, at(6, 30, 1), playing));

    EXPECT_TRUE(playing);
    EXPECT_EQ(host.log, (QStringList{QStringLiteral("beep"), QStringLiteral("active 0"), QStringLiteral("store"),
                                     QStringLiteral("store"), QStringLiteral("show"), QStringLiteral("process")}));
    EXPECT_FALSE(activeWhenShown);
    EXPECT_EQ(host.storedActive(), QStringLiteral("0"));
    EXPECT_EQ(host.storedTime(), QStringLiteral("06:30:00"));
}

TEST(AlarmCheck, DailyAlarmStaysArmedAndWritesNothing)
{
    kiv::test::TempDir dir;
    TAlarmHarness host(dir.file(QStringLiteral("KivClock.ini")));
    host.FAlarmDaily = true;
    bool playing = false;

    EXPECT_TRUE(CheckDayAlarm(host, at(6, 30, 1), playing));

    EXPECT_EQ(host.log, (QStringList{QStringLiteral("beep"), QStringLiteral("show"), QStringLiteral("process")}));
    EXPECT_TRUE(host.AlarmActive());
    EXPECT_FALSE(QFile::exists(host.ini.fileName()));
}

TEST(AlarmCheck, TicksThroughADailyAlarmFireOncePerDay)
{
    kiv::test::TempDir dir;
    TAlarmHarness host(dir.file(QStringLiteral("KivClock.ini")));
    host.FAlarmDaily = true;
    bool playing = false;
    QList<int> fired;
    for (int day = 10; day <= 11; ++day) {
        for (int s = -5; s <= 40; ++s) {
            if (CheckDayAlarm(host, at(6, 30, 0, 0, day) + s / 86400.0, playing))
                fired << s;
            if (s == 30) {
                EXPECT_TRUE(playing) << "day " << day;
            }
            if (s == 31) {
                EXPECT_FALSE(playing) << "day " << day;
            }
        }
    }
    EXPECT_EQ(fired, (QList<int>{1, 1}));
}

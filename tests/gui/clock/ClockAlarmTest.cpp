// The clock with its day alarm wired in: a tick after the alarm time plays the
// tune, shows the alarm window and disarms a once-alarm.

#include "ClockAlarm.h"
#include "ClockTestFixture.h"
#include "IniFile.h"

#include <QCheckBox>
#include <QTimeEdit>

namespace kiv::test {

class ClockAlarmTest : public ClockTest
{
protected:
    // The clock goes before the player it plays on.
    void TearDown() override { clock.reset(); }

    TClock &makeWithAlarm(TDateTime alarmTime, bool daily)
    {
        TClockEnvironment e = env();
        e.tonePlayer = &player;
        clock = std::make_unique<TClock>(e);
        clock->Timer1->stop();
        clock->FAlarmTime = alarmTime;
        clock->FAlarmDaily = daily;
        clock->FAlarmActive = true;
        return *clock;
    }
    QString stored(const QString &key) const
    {
        return TIniFile(iniFile()).ReadString(QStringLiteral("DayAlarm"), key, QStringLiteral("?"));
    }

    RecordingTonePlayer player;
};

TEST_F(ClockAlarmTest, TickAfterTheAlarmTimePlaysTheTuneShowsTheWindowAndDisarms)
{
    // now is 10:08:00; the alarm two seconds earlier, on another day.
    TClock &c = makeWithAlarm(encodeDateTime(2020, 1, 1, 10, 7, 58), false);
    ASSERT_EQ(c.alarm()->existingForm(), nullptr); // created on first use
    c.Timer1Timer();

    TDayAlarmForm *form = c.alarm()->existingForm();
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(form->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(form->parentWidget(), &c);
    EXPECT_NE(std::find(effects.toolWindows.begin(), effects.toolWindows.end(), form), effects.toolWindows.end());
    EXPECT_TRUE(c.IsPlaying);
    EXPECT_FALSE(c.FAlarmActive);
    EXPECT_FALSE(form->cbAlarmActive->isChecked()); // the window shows the disarmed alarm
    EXPECT_EQ(form->dtAlarm->time(), QTime(10, 7, 58));
    EXPECT_EQ(stored(QStringLiteral("Active")), QStringLiteral("0"));

    ASSERT_TRUE(QTest::qWaitFor([&] { return player.tones().size() >= kBeepTune.size(); }, 5000));
    const std::vector<TTone> tones = player.tones();
    EXPECT_TRUE(std::equal(kBeepTune.begin(), kBeepTune.end(), tones.begin()));

    // Closing the window leaves the alarm as the window showed it.
    form->close();
    EXPECT_FALSE(c.FAlarmActive);
    EXPECT_EQ(stored(QStringLiteral("Active")), QStringLiteral("0"));
}

TEST_F(ClockAlarmTest, DailyAlarmStaysArmedAndIsPlayingEndsAfterThirtySeconds)
{
    TClock &c = makeWithAlarm(encodeTime(10, 7, 59), true);
    c.Timer1Timer();
    EXPECT_TRUE(c.IsPlaying);
    EXPECT_TRUE(c.FAlarmActive);
    EXPECT_FALSE(QFileInfo::exists(iniFile())); // a daily alarm writes nothing when it fires

    now.set(encodeDateTime(2024, 5, 17, 10, 8, 29)); // 30 s after it: still playing
    c.Timer1Timer();
    EXPECT_TRUE(c.IsPlaying);
    now.set(encodeDateTime(2024, 5, 17, 10, 8, 30));
    c.Timer1Timer();
    EXPECT_FALSE(c.IsPlaying);
}

TEST_F(ClockAlarmTest, TickBeforeOrAtTheAlarmTimeDoesNothing)
{
    TClock &c = makeWithAlarm(encodeTime(10, 8, 0), false);
    c.Timer1Timer(); // d = 0
    EXPECT_FALSE(c.IsPlaying);
    EXPECT_EQ(c.alarm()->existingForm(), nullptr);
    EXPECT_TRUE(c.FAlarmActive);
    QTest::qWait(50);
    EXPECT_TRUE(player.tones().empty());
}

TEST_F(ClockAlarmTest, F2OpensTheAlarmWindowWithTheClocksAlarm)
{
    makeWithAlarm(encodeTime(6, 45, 0), true);
    TClock &c = *clock;
    c.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&c));
    c.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&c));
    QTest::keyClick(&c, Qt::Key_F2);

    TDayAlarmForm *form = c.alarm()->existingForm();
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->dtAlarm->time(), QTime(6, 45));
    EXPECT_TRUE(form->cbAlarmActive->isChecked());
    EXPECT_TRUE(form->cbDaily->isChecked());
    EXPECT_FALSE(QFileInfo::exists(iniFile())); // showing it writes nothing

    // A change in the window reaches the clock and its settings file.
    form->cbDaily->setChecked(false);
    EXPECT_FALSE(c.FAlarmDaily);
    EXPECT_EQ(stored(QStringLiteral("Daily")), QStringLiteral("0"));
    QTest::qWait(50);
    EXPECT_TRUE(player.tones().empty());
}

} // namespace kiv::test

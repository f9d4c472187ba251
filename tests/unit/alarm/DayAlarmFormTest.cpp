#include "AlarmCheck.h"
#include "AlarmHarness.h"
#include "BeepThread.h"
#include "DayAlarmForm.h"
#include "TestSupport.h"
#include "WindowEffects.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTimeEdit>
#include <QTimer>
#include <gtest/gtest.h>

using namespace kiv;
using kiv::test::TAlarmHarness;

namespace {

struct FormRig
{
    FormRig() : host(dir.file(QStringLiteral("KivClock.ini"))) {}
    TDayAlarmForm &make()
    {
        form = std::make_unique<TDayAlarmForm>(host, clock, TRegionalSettings::german());
        host.onShow = [this] { form->showOnTop(); };
        return *form;
    }
    bool fileWritten() const { return QFile::exists(host.ini.fileName()); }

    kiv::test::TempDir dir;
    TAlarmHarness host;
    FixedClock clock{encodeDateTime(2026, 12, 10, 6, 30, 5)};
    std::unique_ptr<TDayAlarmForm> form;
};

} // namespace

TEST(DayAlarmForm, ControlsTakeTheAlarmAtCreationWithoutWriting)
{
    FormRig rig;
    rig.host.FAlarmActive = false;
    rig.host.FAlarmDaily = true;
    rig.host.FAlarmTime = encodeDateTime(2001, 5, 3, 7, 45, 0); // the picker's date part
    TDayAlarmForm &form = rig.make();
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(form.cbAlarmActive->isChecked());
    EXPECT_TRUE(form.cbDaily->isChecked());
    EXPECT_EQ(form.dtAlarm->time(), QTime(7, 45));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Day Timer"));
    EXPECT_EQ(rig.host.stores, 0);
    EXPECT_FALSE(rig.fileWritten());
}

TEST(DayAlarmForm, ChangingTheTimeWhileShownWritesTheSettingsThreeTimes)
{
    FormRig rig;
    TDayAlarmForm &form = rig.make();
    form.show();
    EXPECT_EQ(rig.host.stores, 0); // showing itself writes nothing
    form.dtAlarm->setTime(QTime(7, 15));
    EXPECT_EQ(rig.host.log, (QStringList{QStringLiteral("daily 0"), QStringLiteral("store"),
                                         QStringLiteral("active 1"), QStringLiteral("store"),
                                         QStringLiteral("time 07:15:00"), QStringLiteral("store")}));
    EXPECT_EQ(rig.host.storedTime(), QStringLiteral("07:15:00"));
    EXPECT_EQ(rig.host.storedActive(), QStringLiteral("1"));
}

TEST(DayAlarmForm, ChangesWhileHiddenWriteNothing)
{
    FormRig rig;
    TDayAlarmForm &form = rig.make();
    form.dtAlarm->setTime(QTime(9, 0));
    form.cbDaily->setChecked(true);
    form.show();
    form.close();
    rig.host.log.clear();
    rig.host.stores = 0;
    form.cbAlarmActive->setChecked(false);
    EXPECT_EQ(rig.host.stores, 0);
    EXPECT_TRUE(rig.host.log.isEmpty());
}

TEST(DayAlarmForm, ReshowingTakesTheNewStateWithoutWritingTheOldOne)
{
    FormRig rig;
    TDayAlarmForm &form = rig.make();
    form.show();
    // The clock changes all three fields while the window shows the old ones.
    rig.host.FAlarmActive = false;
    rig.host.FAlarmDaily = true;
    rig.host.FAlarmTime = encodeTime(5, 5, 0);
    form.showOnTop();
    EXPECT_EQ(rig.host.stores, 0);
    EXPECT_FALSE(form.cbAlarmActive->isChecked());
    EXPECT_TRUE(form.cbDaily->isChecked());
    EXPECT_EQ(form.dtAlarm->time(), QTime(5, 5));
    EXPECT_DOUBLE_EQ(rig.host.FAlarmTime, encodeTime(5, 5, 0));
}

TEST(DayAlarmForm, CaptionShowsTheCurrentTimeEachSecond)
{
    FormRig rig;
    TDayAlarmForm &form = rig.make();
    EXPECT_EQ(form.Timer1->interval(), 1000);
    EXPECT_TRUE(form.Timer1->isActive());
    form.Timer1Timer();
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Day Time - 06:30:05"));
}

TEST(DayAlarmForm, FiredOnceAlarmShowsDisarmedAndClosingKeepsItDisarmed)
{
    FormRig rig;
    rig.make();
    bool playing = false;
    ASSERT_TRUE(CheckDayAlarm(rig.host, encodeDateTime(2026, 12, 10, 6, 30, 1), playing));
    TDayAlarmForm &form = *rig.form;
    EXPECT_TRUE(form.isVisible());
    EXPECT_FALSE(form.cbAlarmActive->isChecked());
    EXPECT_EQ(rig.host.storedActive(), QStringLiteral("0"));

    form.close();
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(rig.host.AlarmActive());
    EXPECT_EQ(rig.host.storedActive(), QStringLiteral("0"));
    EXPECT_EQ(rig.host.storedTime(), QStringLiteral("06:30:00"));
    EXPECT_EQ(rig.host.log.last(), QStringLiteral("stop"));
}

TEST(DayAlarmForm, FiredDailyAlarmStaysArmedAfterClosing)
{
    FormRig rig;
    rig.host.FAlarmDaily = true;
    rig.make();
    bool playing = false;
    ASSERT_TRUE(CheckDayAlarm(rig.host, encodeDateTime(2026, 12, 10, 6, 30, 1), playing));
    EXPECT_TRUE(rig.form->cbAlarmActive->isChecked());
    rig.form->close();
    EXPECT_TRUE(rig.host.AlarmActive());
    EXPECT_EQ(rig.host.storedActive(), QStringLiteral("1"));
    EXPECT_EQ(rig.host.storedDaily(), QStringLiteral("1"));
}

TEST(DayAlarmForm, TimeWithSecondsSurvivesABoxClick)
{
    FormRig rig;
    rig.host.FAlarmTime = encodeTime(6, 30, 15);
    TDayAlarmForm &form = rig.make();
    form.show();
    form.cbDaily->click();
    EXPECT_EQ(rig.host.storedTime(), QStringLiteral("06:30:15"));
    EXPECT_EQ(rig.host.storedDaily(), QStringLiteral("1"));
}

TEST(DayAlarmForm, FlashTogglesTheAttentionRequestWhileShown)
{
    FormRig rig;
    TDayAlarmForm &form = rig.make();
    form.FlashWindow();
    EXPECT_FALSE(demandsAttention(&form)); // hidden: nothing to flash
    form.show();
    form.FlashWindow();
    EXPECT_TRUE(demandsAttention(&form));
    form.FlashWindow();
    EXPECT_FALSE(demandsAttention(&form));
    form.FlashWindow();
    form.close();
    EXPECT_FALSE(demandsAttention(&form));
}

namespace {

class NoSleep : public ISleeper
{
public:
    void sleepMs(int) override {}
};

} // namespace

TEST(DayAlarmForm, ClosingWhileADailyAlarmPlaysEndsTheTuneAfterTheCurrentCycle)
{
    FormRig rig;
    rig.host.FAlarmDaily = true;
    TDayAlarmForm &form = rig.make();
    RecordingTonePlayer player;
    NoSleep noSleep;
    int flashes = 0;
    TBeepThread worker(player, rig.host.FAlarmActive, [&] {
        // The user closes the window at the start of the second cycle.
        if (++flashes == 3)
            form.close();
        form.FlashWindow();
    }, &noSleep);
    rig.host.onBeep = [&] { worker.Beep(); };
    rig.host.onStopBeep = [&] { worker.StopBeep = true; };

    bool playing = false;
    ASSERT_TRUE(CheckDayAlarm(rig.host, encodeDateTime(2026, 12, 10, 6, 30, 1), playing));
    QElapsedTimer waited;
    waited.start();
    while (worker.seriesPlayed() == 0 && waited.elapsed() < 20000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    ASSERT_EQ(worker.seriesPlayed(), 1);
    EXPECT_EQ(flashes, 4);
    EXPECT_EQ(player.tones().size(), 2 * kBeepTune.size());
    EXPECT_TRUE(rig.host.AlarmActive()); // daily: still armed for tomorrow
}

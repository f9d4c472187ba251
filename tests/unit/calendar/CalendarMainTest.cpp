#include "CalFrame.h"
#include "CalendarMain.h"
#include "Dialogs.h"
#include "HintWindow.h"
#include "IniFile.h"
#include "MonthGridView.h"
#include "TestSupport.h"
#include "WinTools.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <gtest/gtest.h>

using namespace kiv;
using namespace kiv::test;

namespace {

struct WindowRig
{
    WindowRig() : paths(dir.file(QStringLiteral("kivclock"))), ini(paths.withExtension(QStringLiteral(".ini"))) {}
    std::unique_ptr<TCalendarMain> make()
    {
        return std::make_unique<TCalendarMain>(paths, dialogs, clock, TRegionalSettings::usEnglish());
    }
    QString key(const char *name) const
    {
        return ini.ReadString(QStringLiteral("Calendar"), QLatin1String(name), QStringLiteral("missing"));
    }
    TempDir dir;
    TAppPaths paths;
    TIniFile ini;
    ScriptedDialogs dialogs;
    FixedClock clock{encodeDateTime(2011, 7, 20, 15, 0, 0)};
};

} // namespace

TEST(CalendarMain, StartsAtTheDesignPositionWithTheMonthTitle)
{
    WindowRig rig;
    auto w = rig.make();
    EXPECT_EQ(w->pos(), QPoint(606, 258));
    EXPECT_EQ(w->size(), QSize(130, 157));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("         July 2011"));
    EXPECT_TRUE(w->windowFlags() & Qt::Tool);
    EXPECT_FALSE(w->StayOnTop());
    // Nothing is written at start.
    EXPECT_FALSE(QFile::exists(rig.ini.fileName()));
    w->CalFrame1()->bnNextClick();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("       August 2011"));
}

TEST(CalendarMain, StayOnTopIsWrittenAtOnce)
{
    WindowRig rig;
    auto w = rig.make();
    w->show();
    const WId before = w->winId();
    w->CalFrame1()->mnStayOnTop->trigger();
    EXPECT_TRUE(w->StayOnTop());
    EXPECT_TRUE(w->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(w->CalFrame1()->mnStayOnTop->isChecked());
    EXPECT_EQ(rig.key("StayOnTop"), QStringLiteral("1"));
    EXPECT_EQ(rig.key("Left"), QString::number(w->x()));
    EXPECT_EQ(QFile::permissions(rig.ini.fileName()) & 0x0077, QFileDevice::Permissions{}); // only the user
    EXPECT_EQ(w->winId(), before); // the same native window
    EXPECT_TRUE(w->isVisible());
    w->FormDeactivate();
    EXPECT_TRUE(w->windowFlags() & Qt::WindowStaysOnTopHint);
    w->CalFrame1()->mnStayOnTop->trigger();
    EXPECT_EQ(rig.key("StayOnTop"), QStringLiteral("0"));
    EXPECT_FALSE(w->windowFlags() & Qt::WindowStaysOnTopHint);
}

TEST(CalendarMain, ClosingStoresThePositionAndTheNextStartUsesIt)
{
    WindowRig rig;
    {
        auto w = rig.make();
        w->showCalendar();
        w->move(100, 120);
        // A day with an appointment under the mouse shows the hint; closing hides it.
        w->calendar().CalList.Add(new TCalEntry(rig.clock));
        w->CalFrame1()->sgMonthMouseMove(TMonthGridView::cellRect(4, 2).center()); // 20 July
        EXPECT_TRUE(w->CalFrame1()->HintWindow()->isVisible());
        w->close();
        EXPECT_FALSE(w->CalFrame1()->HintWindow()->isVisible());
        EXPECT_FALSE(w->isVisible());
        EXPECT_EQ(rig.key("Left"), QStringLiteral("100"));
        EXPECT_EQ(rig.key("Top"), QStringLiteral("120"));
    }
    rig.ini.WriteBool(QStringLiteral("Calendar"), QStringLiteral("StayOnTop"), true);
    auto w = rig.make();
    EXPECT_EQ(w->pos(), QPoint(100, 120));
    EXPECT_TRUE(w->StayOnTop());
    EXPECT_TRUE(w->CalFrame1()->mnStayOnTop->isChecked());
}

#include "CalFrameCommands.h"
#include "CalRig.h"
#include "MonthGrid.h"

#include <gtest/gtest.h>

using namespace kiv;
using namespace kiv::test;

namespace {

struct CommandsRig : TCalRig
{
    CommandsRig() : commands(cal, dialogs, clock, rs, grid, editor) { grid.FillGrid(jul(1), rs); }
    void select(TDateTime from, TDateTime to)
    {
        grid.stDt = from;
        grid.enDt = to;
    }
    TMonthGrid grid;
    ScriptedEditor editor;
    TCalFrameCommands commands;
};

// What the editor's OK does, for scripted runs.
IMeetingEditor::Result confirm(TCalRig &rig, TCalEntry *e, const QString &summary)
{
    TMeetingValues v = valuesOf(*e, 0);
    v.memo = summary;
    writeMeeting(rig.cal, *e, v, rig.clock.now());
    return {true, e};
}

} // namespace

TEST(CalFrameCommands, NewTakesTheSelectionAndIsAddedOnlyOnOk)
{
    CommandsRig rig;
    rig.select(jul(5), jul(8));
    rig.commands.Add1Click();
    ASSERT_EQ(rig.editor.shown.size(), 1u);
    EXPECT_EQ(rig.cal.CalList.Count(), 0); // cancelled
    rig.editor.onRun = [&](TCalEntry *e) {
        EXPECT_EQ(e->StartTime, jul(5));
        EXPECT_EQ(e->EndTime, jul(8));
        EXPECT_TRUE(e->WholeDay);
        return confirm(rig, e, QStringLiteral("Holiday"));
    };
    rig.commands.Add1Click();
    ASSERT_EQ(rig.cal.CalList.Count(), 1);
    EXPECT_EQ(rig.cal.CalList.Get(0)->Summary, QStringLiteral("Holiday"));
    EXPECT_EQ(rig.eventsInFile(), 1);
}

TEST(CalFrameCommands, NewConfirmedOnAnotherAppointmentIsNotAdded)
{
    CommandsRig rig;
    TCalEntry *other = rig.add(jul(10, 9), jul(10, 10), QStringLiteral("other"));
    rig.select(jul(5), jul(5));
    rig.editor.onRun = [&](TCalEntry *) { return confirm(rig, other, QStringLiteral("changed")); };
    rig.commands.Add1Click();
    ASSERT_EQ(rig.cal.CalList.Count(), 1);
    EXPECT_EQ(rig.cal.CalList.Get(0)->Summary, QStringLiteral("changed"));
}

TEST(CalFrameCommands, EditOnAnEmptyDayOpensTheNearestAppointment)
{
    CommandsRig rig;
    TCalEntry *first = rig.add(jul(1, 12), jul(1, 13), QStringLiteral("first"));
    rig.add(jul(20, 12), jul(20, 13), QStringLiteral("later"));
    rig.select(jul(8), jul(8));
    rig.commands.Edit2Click();
    ASSERT_EQ(rig.editor.shown.size(), 1u);
    EXPECT_EQ(rig.editor.shown[0], first);
    EXPECT_EQ(rig.cal.CalList.Count(), 2);
}

TEST(CalFrameCommands, EditOnAnEmptyCalendarMakesANewAppointment)
{
    CommandsRig rig;
    rig.select(jul(8), jul(8));
    rig.editor.onRun = [&](TCalEntry *e) { return confirm(rig, e, QStringLiteral("new")); };
    rig.commands.Edit2Click();
    ASSERT_EQ(rig.cal.CalList.Count(), 1);
    EXPECT_FALSE(rig.cal.CalList.Get(0)->WholeDay);
}

TEST(CalFrameCommands, DeleteRemovesTheFirstMatchingAppointmentFromTheFile)
{
    CommandsRig rig;
    rig.add(jul(10, 14), jul(10, 15), QStringLiteral("later"));
    rig.add(jul(10, 9), jul(10, 10), QStringLiteral("earliest"));
    rig.add(jul(10, 9), jul(11, 10), QStringLiteral("two days"));
    rig.select(jul(10), jul(10));
    rig.dialogs.pushResult(mrOk);
    EXPECT_TRUE(rig.commands.Edit1Click());
    ASSERT_EQ(rig.dialogs.calls.size(), 1u);
    EXPECT_TRUE(rig.dialogs.calls[0].text.contains(QLatin1String("earliest")));
    EXPECT_FALSE(rig.fileText().contains(QLatin1String("earliest")));
    EXPECT_TRUE(rig.fileText().contains(QLatin1String("later")));
    EXPECT_EQ(rig.eventsInFile(), 2);
    // Nothing starts and ends on the 12th: no question.
    rig.select(jul(12), jul(12));
    EXPECT_FALSE(rig.commands.Edit1Click());
    EXPECT_EQ(rig.dialogs.calls.size(), 1u);
}

TEST(CalFrameCommands, CutAndPasteMoveAnAppointmentKeepingItsTimes)
{
    CommandsRig rig;
    rig.add(jul(10, 9), jul(10, 10, 30), QStringLiteral("moved"));
    rig.select(jul(10), jul(10));
    rig.commands.Cut1Click();
    EXPECT_EQ(rig.cal.CalList.Count(), 0);
    ASSERT_TRUE(rig.commands.clipEntry());
    rig.select(jul(14), jul(14));
    rig.editor.onRun = [&](TCalEntry *e) {
        EXPECT_EQ(e->StartTime, jul(14, 9));
        EXPECT_EQ(e->EndTime, jul(14, 10, 30));
        return confirm(rig, e, e->Summary);
    };
    rig.commands.Paste1Click();
    ASSERT_EQ(rig.cal.CalList.Count(), 1);
    EXPECT_EQ(rig.eventsInFile(), 1);
    EXPECT_TRUE(rig.fileText().contains(QLatin1String("20110714T090000")));
    EXPECT_FALSE(rig.fileText().contains(QLatin1String("20110710T090000")));
    // The clipboard holds a fresh copy: pasting again makes a second one.
    ASSERT_TRUE(rig.commands.clipEntry());
    EXPECT_NE(rig.commands.clipEntry(), rig.cal.CalList.Get(0));
    rig.select(jul(15), jul(15));
    rig.editor.onRun = [&](TCalEntry *e) { return confirm(rig, e, e->Summary); };
    rig.commands.Paste1Click();
    EXPECT_EQ(rig.eventsInFile(), 2);
}

TEST(CalFrameCommands, CopyLeavesTheCalendarAlone)
{
    CommandsRig rig;
    rig.add(jul(10, 9), jul(10, 10), QStringLiteral("a"));
    rig.select(jul(11), jul(11));
    rig.commands.Copy1Click();
    EXPECT_FALSE(rig.commands.clipEntry());
    rig.select(jul(10), jul(10));
    rig.commands.Copy1Click();
    ASSERT_TRUE(rig.commands.clipEntry());
    EXPECT_FALSE(rig.commands.clipEntry()->xmlEvent);
    EXPECT_EQ(rig.cal.CalList.Count(), 1);
}

#include "CalRig.h"
#include "MeetingEditor.h"

#include <gtest/gtest.h>

using namespace kiv;
using namespace kiv::test;

TEST(MeetingEditor, EveryReminderCaptionHasOneValue)
{
    ASSERT_EQ(reminderCaptions().size(), 13);
    ASSERT_EQ(reminderTriggers().size(), 13);
    const struct
    {
        const char *caption;
        const char *trigger;
    } table[] = {{"15 min", "-PT15M"}, {"30 min", "-PT30M"}, {"45 min", "-PT45M"}, {"1 h", "-PT1H"},
                 {"2 h", "-PT2H"},     {"3 h", "-PT3H"},     {"4 h", "-PT4H"},     {"5 h", "-PT5H"},
                 {"1 day", "-P1D"},    {"2 days", "-P2D"},   {"3 days", "-P3D"},   {"1 week", "-P1W"},
                 {"2 weeks", "-P2W"}};
    for (const auto &row : table) {
        const int i = reminderIndex(QString::fromUtf8(row.trigger));
        ASSERT_GE(i, 0) << row.trigger;
        EXPECT_EQ(reminderCaptions().at(i), QString::fromUtf8(row.caption));
    }
    EXPECT_EQ(reminderCaptions().at(reminderIndex(QStringLiteral("P1W"))), QStringLiteral("1 week"));
    EXPECT_EQ(reminderIndex(QStringLiteral("-pt15m")), -1);
    EXPECT_EQ(reminderIndex(QStringLiteral("-PT10M")), -1);
}

TEST(MeetingEditor, HourRows)
{
    const struct
    {
        int h1, n1, h2, n2, first, last, top;
    } cases[] = {
        {9, 0, 10, 30, 9, 9, 6},   // 09:00-10:30
        {9, 0, 12, 0, 9, 11, 6},   // three rows
        {1, 0, 2, 0, 1, 1, 0},     // top row not below 0
        {10, 0, 0, 0, 10, 10, 7},  // end hour 0: reversed, start row only
        {15, 0, 15, 45, 15, 15, 12}, // end hour not after the start hour
    };
    for (const auto &c : cases) {
        const THourRows r = hourRowsFor(encodeTime(c.h1, c.n1, 0), encodeTime(c.h2, c.n2, 0));
        EXPECT_EQ(r.first, c.first) << c.h1;
        EXPECT_EQ(r.last, c.last) << c.h1;
        EXPECT_EQ(r.top, c.top) << c.h1;
    }
}

TEST(MeetingEditor, HourGridSetsTimesUnlessRowZeroIsPartOfIt)
{
    auto t = hourTimesFor(9, 11);
    ASSERT_TRUE(t);
    EXPECT_EQ(t->start, encodeTime(9, 0, 0));
    EXPECT_EQ(t->end, encodeTime(12, 0, 0));
    t = hourTimesFor(20, 23);
    ASSERT_TRUE(t);
    EXPECT_EQ(t->end, encodeTime(23, 0, 0));
    EXPECT_FALSE(hourTimesFor(0, 3));
}

TEST(MeetingEditor, OkWritesTheElementInOrderAndSaves)
{
    TCalRig rig;
    TCalEntry e(rig.clock);
    TMeetingValues v;
    v.memo = QStringLiteral("Dentist");
    v.location = QStringLiteral("Main office");
    v.startDate = jul(10);
    v.startTime = jul(1, 9); // only the time of day counts
    v.endDate = jul(10);
    v.endTime = jul(3, 10, 30);
    writeMeeting(rig.cal, e, v, rig.clock.now());
    EXPECT_EQ(e.StartTime, jul(10, 9));
    EXPECT_EQ(e.EndTime, jul(10, 10, 30));
    EXPECT_EQ(e.LastModified, rig.clock.now());
    const QString text = rig.fileText();
    const QStringList order = {QStringLiteral("<location>Main office</location>"),
                               QStringLiteral("<dtstart>20110710T090000</dtstart>"),
                               QStringLiteral("<dtend>20110710T103000</dtend>"),
                               QStringLiteral("<summary>Dentist</summary>"),
                               QStringLiteral("<last_modified>20110720T150000</last_modified>"),
                               QStringLiteral("<valarm>"), QStringLiteral("<trigger/>")};
    qsizetype at = 0;
    for (const QString &piece : order) {
        const qsizetype found = text.indexOf(piece, at);
        ASSERT_GE(found, 0) << piece.toStdString() << "\n" << text.toStdString();
        at = found;
    }
    EXPECT_FALSE(text.contains(QLatin1String("<action>")));
    EXPECT_EQ(text.count(QLatin1String("<vevent>")), 1);
}

TEST(MeetingEditor, WholeDayKeepsTheTimes)
{
    TCalRig rig;
    TCalEntry e(rig.clock);
    TMeetingValues v;
    v.startDate = v.startTime = jul(10, 9);
    v.endDate = v.endTime = jul(10, 10);
    v.wholeDay = true;
    writeMeeting(rig.cal, e, v, rig.clock.now());
    EXPECT_TRUE(rig.fileText().contains(QLatin1String("<dtstart>20110710T090000</dtstart>")));
    EXPECT_TRUE(rig.fileText().contains(QLatin1String("<dtend>20110710T100000</dtend>")));
    TCalendarState again;
    again.startUp(rig.cal.CalFileName);
    ASSERT_EQ(again.CalList.Count(), 1);
    EXPECT_FALSE(again.CalList.Get(0)->WholeDay);
}

TEST(MeetingEditor, ReminderWritesTriggerActionDescriptionAndReadsBack)
{
    TCalRig rig;
    TCalEntry *e = rig.add(jul(10, 9), jul(10, 10), QStringLiteral("x"));
    TMeetingValues v = valuesOf(*e, 0);
    EXPECT_FALSE(v.reminder);
    v.reminder = true;
    v.reminderIndex = 1; // "30 min"
    writeMeeting(rig.cal, *e, v, rig.clock.now());
    const QString text = rig.fileText();
    EXPECT_TRUE(text.contains(QLatin1String("<trigger>-PT30M</trigger>")));
    EXPECT_TRUE(text.contains(QLatin1String("<action>DISPLAY</action>")));
    EXPECT_TRUE(text.contains(QLatin1String("<description>Reminder</description>")));
    TCalendarState again;
    again.startUp(rig.cal.CalFileName);
    const TMeetingValues back = valuesOf(*again.CalList.Get(0), 7);
    EXPECT_TRUE(back.reminder);
    EXPECT_EQ(reminderCaptions().at(back.reminderIndex), QStringLiteral("30 min"));
    // Switched off: only the trigger is emptied.
    v.reminder = false;
    writeMeeting(rig.cal, *e, v, rig.clock.now());
    EXPECT_TRUE(rig.fileText().contains(QLatin1String("<trigger/>")));
    EXPECT_TRUE(rig.fileText().contains(QLatin1String("<action>DISPLAY</action>")));
}

TEST(MeetingEditor, UnknownStoredLeadTimeIsKeptWhenTheReminderStaysOn)
{
    TCalRig rig;
    TCalEntry *e = rig.add(jul(10, 9), jul(10, 10), QStringLiteral("x"));
    e->xmlEvent.Valarm().setTrigger(QStringLiteral("-PT10M"));
    TMeetingValues v = valuesOf(*e, 3);
    EXPECT_TRUE(v.reminder);
    EXPECT_EQ(v.reminderIndex, -1);
    writeMeeting(rig.cal, *e, v, rig.clock.now());
    EXPECT_TRUE(rig.fileText().contains(QLatin1String("<trigger>-PT10M</trigger>")));
}

TEST(MeetingEditor, DeleteAsksRemovesSavesAndShowsTheNeighbour)
{
    TCalRig rig;
    TCalEntry *a = rig.add(jul(10, 9), jul(10, 10), QStringLiteral("a"));
    rig.add(jul(11, 9), jul(11, 10), QStringLiteral("b"));
    TCalEntry *c = rig.add(jul(12, 9), jul(12, 10), QStringLiteral("c"));
    TCalEntry *next = nullptr;
    rig.dialogs.pushResult(mrCancel);
    EXPECT_FALSE(deleteMeeting(rig.cal, rig.dialogs, rig.rs, c, next));
    EXPECT_EQ(rig.eventsInFile(), 3);
    ASSERT_EQ(rig.dialogs.calls.size(), 1u);
    EXPECT_EQ(rig.dialogs.calls[0].text,
              QStringLiteral("Do you want to delete following item\r\n\r\n12.07.2011 09:00 - 10:00\r\nc?\r\n"));
    // The last one: the one before it is shown.
    rig.dialogs.pushResult(mrOk);
    ASSERT_TRUE(deleteMeeting(rig.cal, rig.dialogs, rig.rs, c, next));
    ASSERT_TRUE(next);
    EXPECT_EQ(next->Summary, QStringLiteral("b"));
    EXPECT_EQ(rig.eventsInFile(), 2);
    // The first one: the one now at its place.
    rig.dialogs.pushResult(mrOk);
    ASSERT_TRUE(deleteMeeting(rig.cal, rig.dialogs, rig.rs, a, next));
    EXPECT_EQ(next->Summary, QStringLiteral("b"));
    // The only one left: nothing to show, the file is still written.
    rig.dialogs.pushResult(mrOk);
    ASSERT_TRUE(deleteMeeting(rig.cal, rig.dialogs, rig.rs, next, next));
    EXPECT_EQ(next, nullptr);
    EXPECT_EQ(rig.eventsInFile(), 0);
    EXPECT_FALSE(rig.fileText().contains(QLatin1String("<vevent")));
}

TEST(MeetingEditor, DeleteOfAnAppointmentNotInTheCalendarAsksNothing)
{
    TCalRig rig;
    TCalEntry fresh(rig.clock);
    TCalEntry *next = nullptr;
    EXPECT_FALSE(deleteMeeting(rig.cal, rig.dialogs, rig.rs, &fresh, next));
    EXPECT_TRUE(rig.dialogs.calls.empty());
}

TEST(MeetingEditor, NeighboursStopAtTheEnds)
{
    TCalRig rig;
    TCalEntry *a = rig.add(jul(10, 9), jul(10, 10), QStringLiteral("a"));
    TCalEntry *b = rig.add(jul(11, 9), jul(11, 10), QStringLiteral("b"));
    EXPECT_EQ(neighbourEntry(rig.cal.CalList, a, +1), b);
    EXPECT_EQ(neighbourEntry(rig.cal.CalList, b, +1), nullptr);
    EXPECT_EQ(neighbourEntry(rig.cal.CalList, a, -1), nullptr);
    EXPECT_EQ(neighbourEntry(rig.cal.CalList, b, -1), a);
    TCalEntry fresh(rig.clock);
    EXPECT_EQ(neighbourEntry(rig.cal.CalList, &fresh, +1), a);
    EXPECT_EQ(neighbourEntry(rig.cal.CalList, &fresh, -1), nullptr);
}

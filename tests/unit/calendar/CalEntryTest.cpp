#include "CalEntry.h"
#include "XCalDocument.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace kiv;

namespace {

TDateTime at(int y, int m, int d, int h = 0, int n = 0)
{
    return encodeDateTime(y, m, d, h, n, 0);
}

TCalEntry entry(TDateTime start, TDateTime end, const char *summary, const char *location = "")
{
    TCalEntry e(TCalEntry::Blank{});
    e.StartTime = start;
    e.EndTime = end;
    e.Summary = QString::fromUtf8(summary);
    e.Location = QString::fromUtf8(location);
    return e;
}

} // namespace

TEST(CalEntry, CreateGivesTheDefaults)
{
    const FixedClock clock(at(2011, 7, 10, 23, 50));
    const TCalEntry e(clock);
    EXPECT_EQ(e.StartTime, clock.now());
    EXPECT_DOUBLE_EQ(e.EndTime, at(2011, 7, 11, 0, 5));
    EXPECT_FALSE(e.WholeDay);
    EXPECT_EQ(e.Summary, QStringLiteral("Your Date"));
    EXPECT_EQ(e.VAlarm.Action, QStringLiteral("DISPLAY"));
    EXPECT_EQ(e.VAlarm.Trigger, QStringLiteral("-PT15M"));
    EXPECT_EQ(e.VAlarm.Description, QStringLiteral("Reminder"));
    EXPECT_TRUE(e.xmlEvent.isNull());
    EXPECT_EQ(e.LastModified, 0);
    EXPECT_TRUE(e.Location.isEmpty() && e.Description.isEmpty());
    EXPECT_FALSE(e.Reminder);
    EXPECT_EQ(e.ReminderMinutes, 0u);
    // Made at 23:50, it ends the next day and shows the date form.
    EXPECT_EQ(e.Text(TRegionalSettings::german()), QStringLiteral("10.07.2011 - 11.07.2011\r\nYour Date"));
}

TEST(CalEntry, KivGuidIsHexAtDomainAndNew)
{
    const QString a = TCalEntry::CreateKivGuid(), b = TCalEntry::CreateKivGuid();
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^[0-9A-F]{32}@kivclock\\.invalid$")).match(a).hasMatch())
        << a.toStdString();
    EXPECT_NE(a, b);
}

TEST(CalEntry, AssignCopiesOnlyItsFields)
{
    TCalEntry src = entry(at(2011, 7, 10, 9), at(2011, 7, 10, 10), "Dentist", "Main office");
    src.WholeDay = true;
    src.VAlarm = {QStringLiteral("AUDIO"), QStringLiteral("-PT1H"), QStringLiteral("x")};
    src.LastModified = 5;
    src.Description = QStringLiteral("src description");
    src.UID = QStringLiteral("src-uid");
    src.Reminder = true;
    src.ReminderMinutes = 30;

    TCalEntry dst = entry(1, 2, "old", "old place");
    dst.UID = QStringLiteral("dst-uid");
    dst.Description = QStringLiteral("dst description");
    dst.Assign(src);
    EXPECT_EQ(dst.StartTime, src.StartTime);
    EXPECT_EQ(dst.EndTime, src.EndTime);
    EXPECT_TRUE(dst.WholeDay);
    EXPECT_EQ(dst.Summary, src.Summary);
    EXPECT_EQ(dst.Location, src.Location);
    EXPECT_EQ(dst.VAlarm.Trigger, QStringLiteral("-PT1H"));
    EXPECT_EQ(dst.VAlarm.Description, QStringLiteral("x"));
    EXPECT_EQ(dst.LastModified, 0);
    EXPECT_EQ(dst.Description, QStringLiteral("dst description"));
    EXPECT_EQ(dst.UID, QStringLiteral("dst-uid"));
    EXPECT_FALSE(dst.Reminder);
    EXPECT_EQ(dst.ReminderMinutes, 0u);
}

TEST(CalEntry, TextForms)
{
    struct Case
    {
        TDateTime start, end;
        const char *location;
        const char *expected;
    } cases[] = {
        {at(2011, 7, 10, 9), at(2011, 7, 10, 10, 30), "Main office",
         "10.07.2011 09:00 - 10:30\r\nDentist\r\n@Main office"},
        {at(2011, 7, 10, 9), at(2011, 7, 10, 10, 30), "   ", "10.07.2011 09:00 - 10:30\r\nDentist"},
        {at(2011, 7, 10, 9), at(2011, 7, 10, 10, 30), " Hall ", "10.07.2011 09:00 - 10:30\r\nDentist\r\n@ Hall "},
        {at(2011, 7, 10, 9), at(2011, 7, 10, 10, 30), "\t\r\n", "10.07.2011 09:00 - 10:30\r\nDentist"},
        {at(2011, 7, 10, 22), at(2011, 7, 11, 1), "", "10.07.2011 - 11.07.2011\r\nDentist"},
        // An end before the start on another day: still the date form.
        {at(2011, 7, 11, 10), at(2011, 7, 10, 10), "", "11.07.2011 - 10.07.2011\r\nDentist"},
    };
    for (const Case &c : cases) {
        const TCalEntry e = entry(c.start, c.end, "Dentist", c.location);
        EXPECT_EQ(e.Text(TRegionalSettings::german()), QString::fromUtf8(c.expected)) << c.expected;
    }
}

TEST(CalEntry, TextUsesTheShortDateFormatAndAColon)
{
    TRegionalSettings rs = TRegionalSettings::usEnglish();
    rs.timeSeparator = QLatin1Char('.');
    const TCalEntry e = entry(at(2011, 7, 10, 14, 5), at(2011, 7, 10, 15), "Call");
    const QString date = formatDateTime(QStringLiteral("ddddd"), e.StartTime, rs);
    EXPECT_EQ(e.Text(rs), date + QStringLiteral(" 14:05 - 15:00\r\nCall"));
}

TEST(CalEntry, IsSameDayRule)
{
    struct { TDateTime a, b; bool same; } cases[] = {
        {at(2011, 7, 10, 9), at(2011, 7, 10, 23), true},
        {at(2011, 7, 10, 0), at(2011, 7, 11, 0), false},
        {at(2011, 7, 11, 0), at(2011, 7, 10, 23), false},
        {at(2011, 7, 10, 23), at(2011, 7, 10, 0), true},
        {0, 0, true},
        // Before 1899-12-30 the day number truncates toward zero: -0.5 is not in [0, 1).
        {-0.5, 0, false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(IsSameDay(c.a, c.b), c.same) << c.a << " " << c.b;
}

TEST(CalEntry, DescriptionReadsFromItsElementUntilSet)
{
    TXCalDocumentPtr doc = parseXCal("<icalendar><vcalendar><vevent><description>from file</description>"
                                     "</vevent><vevent><description>other</description></vevent>"
                                     "</vcalendar></icalendar>",
                                     QStringLiteral("test"));
    const TXMLVeventTypeList events = doc->Vcalendar().Vevent();
    TCalEntry e(TCalEntry::Blank{});
    e.xmlEvent = events[0];
    e.Description.readFrom(events[0].child("description"));
    EXPECT_EQ(e.Description, QStringLiteral("from file"));
    EXPECT_FALSE(e.Description.isEmpty());

    TCalEntry other(TCalEntry::Blank{});
    other.xmlEvent = events[1];
    e.Assign(other); // takes the other element, keeps its own description
    EXPECT_EQ(e.xmlEvent, events[1]);
    EXPECT_EQ(e.Description, QStringLiteral("from file"));

    const TCalEntry copy = e;
    e.Description = QStringLiteral("set");
    EXPECT_EQ(QString(e.Description), QStringLiteral("set"));
    EXPECT_EQ(copy.Description, QStringLiteral("from file"));
    EXPECT_EQ(events[0].Description(), QStringLiteral("from file")); // the element is not written
}

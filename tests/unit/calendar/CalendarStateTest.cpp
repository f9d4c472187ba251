#include "CalendarState.h"

#include "Dialogs.h"
#include "TestSupport.h"
#include "WinTools.h"
#include "XCalDate.h"

#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace kiv;
using test::TempDir;

namespace {

const char *const kBerlin = "CET-1CEST,M3.5.0,M10.5.0/3";

TDateTime jul(int d, int h = 0, int n = 0)
{
    return encodeDateTime(2011, 7, d, h, n, 0);
}

QString copyToTemp(const TempDir &dir, const char *fixture, const char *name = "KivClock.xml")
{
    const QString path = dir.file(QString::fromUtf8(name));
    test::writeAll(path, test::readAll(test::dataFile(QString::fromUtf8(fixture))));
    return path;
}

bool isKivGuid(const QString &uid)
{
    return QRegularExpression(QStringLiteral("^[0-9A-F]{32}@kivclock\\.invalid$")).match(uid).hasMatch();
}

} // namespace

TEST(CalendarState, NoFileGivesAnEmptyCalendarAndWritesNothing)
{
    const TempDir dir;
    TCalendarState state;
    const QString file = dir.file(QStringLiteral("KivClock.xml"));
    EXPECT_EQ(state.startUp(file).kind, TCalStartResult::Created);
    EXPECT_EQ(state.CalFileName, file);
    ASSERT_TRUE(state.XCalDoc);
    EXPECT_EQ(state.CalList.Count(), 0);
    EXPECT_FALSE(QFile::exists(file));

    TXMLVeventType v = state.XCalDoc->Vcalendar().Vevent().Add();
    v.setSummary(QStringLiteral("new"));
    state.save();
    EXPECT_EQ(test::readAll(file), QByteArray("<icalendar>\r\n  <vcalendar>\r\n    <vevent>\r\n"
                                              "      <summary>new</summary>\r\n    </vevent>\r\n"
                                              "  </vcalendar>\r\n</icalendar>\r\n"));
}

TEST(CalendarState, StartUpUsesTheFileBesideTheExecutable)
{
    const TempDir dir;
    copyToTemp(dir, "xcal/start-corrections.xml", "kivclock.xml");
    TCalendarState state;
    ScriptedDialogs dialogs;
    state.startUp(TAppPaths(dir.file(QStringLiteral("kivclock"))), dialogs);
    EXPECT_EQ(state.CalFileName, dir.file(QStringLiteral("kivclock.xml")));
    EXPECT_EQ(state.CalList.Count(), 4);
    EXPECT_TRUE(dialogs.calls.empty());
    // Once there is a document, start-up only empties the list.
    state.startUp(dir.file(QStringLiteral("other.xml")));
    EXPECT_EQ(state.CalList.Count(), 0);
    EXPECT_EQ(state.CalFileName, dir.file(QStringLiteral("kivclock.xml")));
}

TEST(CalendarState, LoadCalListCorrectsAndCompletes)
{
    const test::ScopedTimeZone tz(kBerlin);
    const TempDir dir;
    const QString file = copyToTemp(dir, "xcal/start-corrections.xml");
    TCalendarState state;
    const TCalStartResult r = state.startUp(file);
    ASSERT_EQ(r.kind, TCalStartResult::Loaded) << r.reason.toStdString();
    ASSERT_EQ(state.CalList.Count(), 4);

    struct { const char *summary; TDateTime start, end; bool wholeDay; } expected[] = {
        {"utc start", jul(9, 14), jul(9, 14), false}, // end before start moved to the start
        {"whole day", jul(10), jul(11), true},
        {"", jul(10, 9), jul(10, 10), false},
        {"reversed", jul(11, 10), jul(11, 10), true}, // whole-day by the times as read
    };
    for (int i = 0; i < 4; ++i) {
        const TCalEntry *e = state.CalList.Get(i);
        EXPECT_EQ(e->Summary, QString::fromUtf8(expected[i].summary)) << i;
        EXPECT_DOUBLE_EQ(e->StartTime, expected[i].start) << i;
        EXPECT_DOUBLE_EQ(e->EndTime, expected[i].end) << i;
        EXPECT_EQ(e->WholeDay, expected[i].wholeDay) << i;
        EXPECT_TRUE(e->xmlEvent.isAttached()) << i;
        EXPECT_EQ(e->VAlarm.Action, QStringLiteral("DISPLAY")) << i; // the alarm is not read here
    }
    const TCalEntry *utc = state.CalList.Get(0);
    EXPECT_EQ(utc->UID, QStringLiteral("UTC@example.com"));
    EXPECT_DOUBLE_EQ(utc->LastModified, encodeDateTime(2011, 7, 5, 18, 15, 0));
    const TCalEntry *noUid = state.CalList.Get(2);
    EXPECT_EQ(noUid->Location, QStringLiteral("Room 3"));
    EXPECT_EQ(noUid->Description, QStringLiteral("no uid, no summary"));
    EXPECT_TRUE(isKivGuid(noUid->UID)) << noUid->UID.toStdString();
    EXPECT_EQ(noUid->xmlEvent.Uid(), noUid->UID);

    // Not written at start; the next save holds the UID and the empty summary.
    EXPECT_EQ(test::readAll(file), test::readAll(test::dataFile(QStringLiteral("xcal/start-corrections.xml"))));
    state.save();
    const QByteArray bytes = test::readAll(file);
    // Created in the order of reading: last_modified, summary, uid.
    EXPECT_TRUE(bytes.contains("      <description>no uid, no summary</description>\r\n"
                               "      <last_modified/>\r\n"
                               "      <summary/>\r\n"
                               "      <uid>" + noUid->UID.toUtf8() + "</uid>\r\n"
                               "    </vevent>\r\n")) << bytes.toStdString();
}

TEST(CalendarState, ReadFromXCalMakesNoCorrection)
{
    const test::ScopedTimeZone tz(kBerlin);
    TXCalDocumentPtr doc = LoadXCal(test::dataFile(QStringLiteral("xcal/start-corrections.xml")));
    TCalList list;
    list.ReadFromXCal(doc.get());
    list.ReadFromXCal(nullptr);
    ASSERT_EQ(list.Count(), 4);
    const TCalEntry *utc = list.Get(0);
    EXPECT_DOUBLE_EQ(utc->EndTime, jul(9)); // the end before the start stays
    EXPECT_EQ(utc->VAlarm.Action, QStringLiteral("AUDIO"));
    EXPECT_EQ(utc->VAlarm.Trigger, QStringLiteral("-PT30M"));
    EXPECT_EQ(utc->VAlarm.Description, QStringLiteral("Ring"));
    const TCalEntry *reversed = list.Get(3);
    EXPECT_DOUBLE_EQ(reversed->EndTime, jul(10, 10));
    EXPECT_TRUE(reversed->WholeDay);
    EXPECT_TRUE(isKivGuid(reversed->UID)); // its own UID, not the file's
    EXPECT_EQ(reversed->xmlEvent.Uid(), QStringLiteral("REVERSED@example.com"));
    EXPECT_EQ(list.Get(1)->VAlarm.Action, QString()); // read from the (created) valarm
}

TEST(CalendarState, DamagedFileStartsEmptyAndIsKeptBeforeTheFirstSave)
{
    for (const char *fixture : {"xcal/broken-not-well-formed.xml", "xcal/broken-invalid-date.xml",
                                "xcal/broken-other-root.xml", "xcal/hostile-billion-laughs.xml"}) {
        SCOPED_TRACE(fixture);
        const TempDir dir;
        const QString file = copyToTemp(dir, fixture);
        const QByteArray original = test::readAll(file);
        TCalendarState state;
        const TCalStartResult r = state.startUp(file);
        ASSERT_EQ(r.kind, TCalStartResult::Damaged);
        EXPECT_FALSE(r.reason.isEmpty());
        EXPECT_EQ(r.keptAs, file + QStringLiteral(".damaged"));
        EXPECT_TRUE(r.message(file).contains(file));
        EXPECT_TRUE(r.message(file).contains(r.keptAs));
        EXPECT_EQ(state.CalList.Count(), 0);
        EXPECT_EQ(test::readAll(file), original);
        EXPECT_FALSE(QFile::exists(r.keptAs));

        state.XCalDoc->Vcalendar().Vevent().Add().setSummary(QStringLiteral("after"));
        state.save();
        EXPECT_EQ(test::readAll(r.keptAs), original);
        EXPECT_TRUE(test::readAll(file).contains("<summary>after</summary>"));
        state.save(); // the second save does not keep the new file
        EXPECT_EQ(test::readAll(r.keptAs), original);
        EXPECT_FALSE(QFile::exists(r.keptAs + QStringLiteral(".1")));
    }
}

TEST(CalendarState, AnEarlierDamagedCopyIsNotReplaced)
{
    const TempDir dir;
    const QString file = copyToTemp(dir, "xcal/broken-invalid-date.xml");
    test::writeAll(file + QStringLiteral(".damaged"), "older copy");
    TCalendarState state;
    ScriptedDialogs dialogs;
    state.startUp(TAppPaths(dir.file(QStringLiteral("KivClock"))), dialogs);
    ASSERT_EQ(dialogs.calls.size(), 1u);
    const QString text = dialogs.calls[0].text;
    EXPECT_TRUE(text.contains(file)) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("20111310T090000"))) << text.toStdString();
    EXPECT_TRUE(text.contains(file + QStringLiteral(".damaged.1"))) << text.toStdString();
    state.save();
    EXPECT_EQ(test::readAll(file + QStringLiteral(".damaged")), QByteArray("older copy"));
    EXPECT_EQ(test::readAll(file + QStringLiteral(".damaged.1")),
              test::readAll(test::dataFile(QStringLiteral("xcal/broken-invalid-date.xml"))));
}

TEST(CalendarState, RemovingAnEntryLeavesNothingBehind)
{
    const TempDir dir;
    const QString file = copyToTemp(dir, "xcal/start-corrections.xml");
    TCalendarState state;
    state.startUp(file);
    TCalEntry *whole = state.CalList.Get(1);
    const TXMLVeventType element = whole->xmlEvent;
    state.removeEntry(whole);
    EXPECT_EQ(state.CalList.Count(), 3);
    EXPECT_FALSE(element.isAttached());
    EXPECT_EQ(state.XCalDoc->Vcalendar().Vevent().Count(), 3);
    for (const TCalEntry *e : state.CalList)
        EXPECT_TRUE(e->xmlEvent.isAttached());
    state.save();
    EXPECT_FALSE(test::readAll(file).contains("whole day"));

    state.reload();
    EXPECT_EQ(state.CalList.Count(), 3);
    for (const TCalEntry *e : state.CalList)
        EXPECT_TRUE(e->xmlEvent.isAttached());
}

TEST(CalendarState, ReloadOfADamagedFileKeepsTheState)
{
    const TempDir dir;
    const QString file = copyToTemp(dir, "xcal/start-corrections.xml");
    TCalendarState state;
    state.startUp(file);
    test::writeAll(file, test::readAll(test::dataFile(QStringLiteral("xcal/broken-invalid-date.xml"))));
    EXPECT_THROW(state.reload(), KivError);
    EXPECT_EQ(state.CalList.Count(), 4);
    EXPECT_TRUE(state.CalList.Get(0)->xmlEvent.isAttached());
}

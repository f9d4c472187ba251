// kivclock-tool cal-list and cal-resave, run as a separate process.

#include "CalendarState.h"
#include "TestSupport.h"

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

using namespace kiv;
using test::TempDir;

namespace {

struct ToolRun
{
    int status;
    QByteArray out, err;
};

ToolRun tool(const QStringList &args)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TZ"), QStringLiteral("UTC0"));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(KIV_TOOL_PATH), args);
    EXPECT_TRUE(p.waitForFinished(30000));
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            p.readAllStandardError()};
}

QString data(const char *name)
{
    return test::dataFile(QStringLiteral("xcal/") + QString::fromUtf8(name));
}

} // namespace

TEST(CalTool, ListPrintsOneLinePerEntryInListOrder)
{
    const TempDir dir;
    const QString file = dir.file(QStringLiteral("cal.xml"));
    test::writeAll(file, "<icalendar><vcalendar>"
                         "<vevent><dtstart>20110712T080000</dtstart><dtend>20110712T090000</dtend>"
                         "<uid>B@x</uid><summary>tab\there\nnew line \\ äé€中</summary>"
                         "<location>Room 3</location><description>d&#13;e</description></vevent>"
                         "<vevent><dtstart>20110710</dtstart><dtend>20110711</dtend><uid>A@x</uid>"
                         "<summary>first</summary></vevent>"
                         "</vcalendar></icalendar>");
    const ToolRun r = tool({QStringLiteral("cal-list"), file});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out.toStdString(),
              "20110710T000000\t20110711T000000\tW\tA@x\tfirst\t\t\n"
              "20110712T080000\t20110712T090000\t-\tB@x\ttab\\there\\nnew line \\\\ äé€中\tRoom 3\td\\re\n");
    EXPECT_TRUE(r.err.isEmpty());
}

TEST(CalTool, ResaveWritesWhatTheFirstSaveAfterStartWrites)
{
    const TempDir dir;
    const QString out = dir.file(QStringLiteral("out.xml"));
    const ToolRun r = tool({QStringLiteral("cal-resave"), data("start-corrections.xml"), out});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QByteArray written = test::readAll(out);

    // The same start-up in this process, then SaveXCal; only the generated UID differs.
    TCalendarState state;
    state.startUp(data("start-corrections.xml"));
    const QString here = dir.file(QStringLiteral("here.xml"));
    SaveXCal(here, state.XCalDoc.get());
    const QByteArray uid = state.CalList.Get(2)->UID.toUtf8();
    const qsizetype at = written.indexOf("@kivclock.invalid");
    ASSERT_GT(at, 32);
    QByteArray expected = test::readAll(here);
    expected.replace(uid, written.mid(at - 32, 32 + 17));
    EXPECT_EQ(written.toStdString(), expected.toStdString());

    // Resaving the result changes nothing.
    const QString out2 = dir.file(QStringLiteral("out2.xml"));
    ASSERT_EQ(tool({QStringLiteral("cal-resave"), out, out2}).status, 0);
    EXPECT_EQ(test::readAll(out2), written);
}

TEST(CalTool, UnloadableFilesGiveOneErrorLine)
{
    const TempDir dir;
    const QString out = dir.file(QStringLiteral("out.xml"));
    for (const char *name : {"broken-not-well-formed.xml", "broken-invalid-date.xml", "broken-other-root.xml",
                             "hostile-billion-laughs.xml", "hostile-external-entity.xml", "broken-bad-utf16.xml",
                             "broken-bad-shift-jis.xml", "missing.xml"}) {
        const QString file = data(name);
        for (const QStringList &args : {QStringList{QStringLiteral("cal-list"), file},
                                        QStringList{QStringLiteral("cal-resave"), file, out}}) {
            const ToolRun r = tool(args);
            EXPECT_EQ(r.status, 1) << name;
            EXPECT_TRUE(r.out.isEmpty()) << name;
            EXPECT_TRUE(r.err.startsWith("kivclock-tool: " + file.toUtf8() + ": ")) << r.err.toStdString();
            EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
        }
    }
    EXPECT_FALSE(QFile::exists(out));
}

TEST(CalTool, WrongArgumentsShowTheUsage)
{
    EXPECT_EQ(tool({}).status, 2);
    EXPECT_EQ(tool({QStringLiteral("cal-list")}).status, 2);
    EXPECT_EQ(tool({QStringLiteral("no-such-command"), QStringLiteral("x")}).status, 2);
}

TEST(CalTool, AnIcsFileIsNoCalendarFile)
{
    const QString ics = test::corpusFile(QStringLiteral("ics/ical4j-groupwise.ics"));
    if (ics.isEmpty())
        GTEST_SKIP() << "../shared/corpus is not there";
    const ToolRun r = tool({QStringLiteral("cal-list"), ics});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.startsWith("kivclock-tool: " + ics.toUtf8() + ": line 1: ")) << r.err.toStdString();
}

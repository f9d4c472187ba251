#include "XCalDocument.h"

#include "CalList.h"
#include "KivError.h"
#include "TestSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include <gtest/gtest.h>

using namespace kiv;
using test::TempDir;

namespace {

QByteArray saved(TXCalDocument &doc, const TempDir &dir, const char *name = "out.xml")
{
    const QString path = dir.file(QString::fromUtf8(name));
    SaveXCal(path, &doc);
    return test::readAll(path);
}

QByteArray crlf(const char *text)
{
    return QByteArray(text).replace("\n", "\r\n");
}

QString errorOf(const QByteArray &data)
{
    try {
        parseXCal(data, QStringLiteral("test"));
    } catch (const KivError &e) {
        return e.message();
    }
    return {};
}

} // namespace

TEST(XCalDocument, SaveLayoutIsExactAndStable)
{
    const TempDir dir;
    TXCalDocumentPtr doc = LoadXCal(test::dataFile(QStringLiteral("xcal/layout-input.xml")));
    const QByteArray expected = test::readAll(test::dataFile(QStringLiteral("xcal/layout-expected.xml")));
    ASSERT_FALSE(expected.isEmpty());
    const QByteArray first = saved(*doc, dir);
    EXPECT_EQ(first.toStdString(), expected.toStdString());
    EXPECT_EQ(saved(*doc, dir), first); // saving again without changes
    // What was written reads back into the same tree.
    TXCalDocumentPtr again = LoadXCal(dir.file(QStringLiteral("out.xml")));
    EXPECT_EQ(saved(*again, dir, "again.xml"), first);
    EXPECT_EQ(again->Vcalendar().Vevent()[0].Description(), QStringLiteral("line one\nline two"));
    EXPECT_EQ(again->Vcalendar().Vevent()[0].Dtstart().TZID(), QStringLiteral("Europe/Berlin"));
}

TEST(XCalDocument, NewDocumentGetsItsRootOnFirstUse)
{
    const TempDir dir;
    TXCalDocumentPtr doc = NewXCal();
    EXPECT_FALSE(doc->hasRoot());
    TXMLVeventTypeList events = doc->Vcalendar().Vevent();
    EXPECT_EQ(events.Count(), 0);
    events.Add().setSummary(QStringLiteral("first"));
    EXPECT_EQ(saved(*doc, dir), crlf("<icalendar>\n  <vcalendar>\n    <vevent>\n"
                                     "      <summary>first</summary>\n"
                                     "    </vevent>\n  </vcalendar>\n</icalendar>\n"));
}

TEST(XCalDocument, NonAsciiSurvivesSaveAndLoad)
{
    const TempDir dir;
    const QString text = QStringLiteral("ä é € 中 \U0001D11E <&> \"q\" 'a'\ttab");
    TXCalDocumentPtr doc = NewXCal();
    TXMLVeventType v = doc->Vcalendar().Vevent().Add();
    v.setSummary(text);
    v.setLocation(text);
    v.Dtstart().setTZID(text);
    const QByteArray bytes = saved(*doc, dir);
    EXPECT_FALSE(bytes.startsWith("\xEF\xBB\xBF"));
    EXPECT_TRUE(bytes.contains(QStringLiteral("ä é € 中").toUtf8()));
    TXCalDocumentPtr back = LoadXCal(dir.file(QStringLiteral("out.xml")));
    const TXMLVeventType r = back->Vcalendar().Vevent()[0];
    EXPECT_EQ(r.Summary(), text);
    EXPECT_EQ(r.Location(), text);
    EXPECT_EQ(r.Dtstart().TZID(), text);
}

TEST(XCalDocument, EncodingFromByteOrderMarkOrDeclaration)
{
    const QString summary = QStringLiteral("Äpfel €");
    const QString xml = QStringLiteral("<icalendar><vcalendar><vevent><summary>Äpfel €</summary>"
                                       "</vevent></vcalendar></icalendar>");
    QByteArray utf16le("\xFF\xFE", 2);
    for (QChar c : xml) {
        utf16le += char(c.unicode() & 0xFF);
        utf16le += char(c.unicode() >> 8);
    }
    struct { const char *name; QByteArray data; QString expected; } cases[] = {
        {"UTF-8 without anything", xml.toUtf8(), summary},
        {"UTF-8 with BOM", QByteArray("\xEF\xBB\xBF") + xml.toUtf8(), summary},
        {"UTF-16 LE with BOM", utf16le, summary},
        {"ISO-8859-1 declared",
         QByteArray("<?xml version=\"1.0\" encoding=\"iso-8859-1\"?><icalendar><vcalendar><vevent>"
                    "<summary>\xC4pfel</summary></vevent></vcalendar></icalendar>"),
         QStringLiteral("Äpfel")},
    };
    for (const auto &c : cases) {
        TXCalDocumentPtr doc = parseXCal(c.data, QStringLiteral("test"));
        EXPECT_EQ(doc->Vcalendar().Vevent()[0].Summary(), c.expected) << c.name;
    }
}

TEST(XCalDocument, ReadingCreatesMissingChildrenInReadOrder)
{
    const TempDir dir;
    TXCalDocumentPtr doc = parseXCal(
        "<icalendar><vcalendar><vevent><dtstart>20110710</dtstart></vevent></vcalendar></icalendar>",
        QStringLiteral("test"));
    const TXMLVeventType v = doc->Vcalendar().Vevent()[0];
    EXPECT_EQ(v.Uid(), QString());
    EXPECT_EQ(v.Summary(), QString());
    EXPECT_EQ(v.Valarm().Trigger(), QString());
    EXPECT_EQ(v.Dtstart().text(), QStringLiteral("20110710"));
    EXPECT_FALSE(v.Dtstart().hasAttribute("TZID"));
    EXPECT_EQ(v.Dtstart().TZID(), QString()); // attributes are not created
    EXPECT_EQ(saved(*doc, dir), crlf("<icalendar>\n  <vcalendar>\n    <vevent>\n"
                                     "      <dtstart>20110710</dtstart>\n"
                                     "      <uid/>\n      <summary/>\n"
                                     "      <valarm>\n        <trigger/>\n      </valarm>\n"
                                     "    </vevent>\n  </vcalendar>\n</icalendar>\n"));
}

TEST(XCalDocument, EventCollectionAppendsAndRemoves)
{
    const TempDir dir;
    TXCalDocumentPtr doc = parseXCal("<icalendar><vcalendar><prodid>p</prodid>"
                                     "<vevent><summary>a</summary></vevent><x/>"
                                     "<vevent><summary>b</summary></vevent></vcalendar></icalendar>",
                                     QStringLiteral("test"));
    TXMLVeventTypeList events = doc->Vcalendar().Vevent();
    ASSERT_EQ(events.Count(), 2);
    const TXMLVeventType a = events[0];
    events.Add().setSummary(QStringLiteral("c"));
    TXCalDocumentPtr other = parseXCal("<icalendar><vcalendar><vevent><summary>foreign</summary>"
                                       "<uid>F@x</uid></vevent></vcalendar></icalendar>",
                                       QStringLiteral("other"));
    events.AddCopy(other->Vcalendar().Vevent()[0]);
    other.reset(); // the copy belongs to this document
    events.Remove(a);
    EXPECT_FALSE(a.isAttached());
    EXPECT_EQ(a.Summary(), QStringLiteral("a")); // a stale handle still reads safely
    a.setSummary(QStringLiteral("changed after removal"));
    const TXMLVeventTypeList now = doc->Vcalendar().Vevent();
    ASSERT_EQ(now.Count(), 3);
    EXPECT_TRUE(now[0].isAttached());
    EXPECT_EQ(now[2].Uid(), QStringLiteral("F@x"));
    EXPECT_EQ(saved(*doc, dir), crlf("<icalendar>\n  <vcalendar>\n    <prodid>p</prodid>\n    <x/>\n"
                                     "    <vevent>\n      <summary>b</summary>\n    </vevent>\n"
                                     "    <vevent>\n      <summary>c</summary>\n    </vevent>\n"
                                     "    <vevent>\n      <summary>foreign</summary>\n"
                                     "      <uid>F@x</uid>\n    </vevent>\n"
                                     "  </vcalendar>\n</icalendar>\n"));
}

TEST(XCalDocument, DamagedFilesGiveTheReason)
{
    struct { const char *file; const char *reasonPart; } cases[] = {
        {"xcal/broken-not-well-formed.xml", "line "},
        {"xcal/broken-other-root.xml", "\"contacts\", not \"icalendar\""},
    };
    for (const auto &c : cases) {
        try {
            LoadXCal(test::dataFile(QString::fromUtf8(c.file)));
            ADD_FAILURE() << c.file << " loaded";
        } catch (const KivError &e) {
            EXPECT_TRUE(e.message().contains(QString::fromUtf8(c.reasonPart))) << e.message().toStdString();
        }
    }
    EXPECT_FALSE(errorOf("").isEmpty());
    EXPECT_THROW(LoadXCal(QStringLiteral("/nonexistent/cal.xml")), KivFileError);
}

TEST(XCalDocument, EntityDeclarationsAreRefusedAtOnce)
{
    // A billion laughs would expand to 3 GB; it must be refused, not expanded.
    QElapsedTimer timer;
    timer.start();
    for (const char *file : {"xcal/hostile-billion-laughs.xml", "xcal/hostile-external-entity.xml"}) {
        try {
            LoadXCal(test::dataFile(QString::fromUtf8(file)));
            ADD_FAILURE() << file << " loaded";
        } catch (const KivError &e) {
            EXPECT_TRUE(e.message().contains(QStringLiteral("entit"))) << e.message().toStdString();
        }
    }
    EXPECT_LT(timer.elapsed(), 5000); // generous: a refusal is immediate
}

TEST(XCalDocument, ExternalDocumentTypesAreNotLoaded)
{
    const TempDir dir;
    test::writeAll(dir.file(QStringLiteral("evil.dtd")), "<!ENTITY e \"SECRET\">\n");
    const QString file = dir.file(QStringLiteral("cal.xml"));
    test::writeAll(file, "<?xml version=\"1.0\"?>\n<!DOCTYPE icalendar SYSTEM \"evil.dtd\">\n"
                         "<icalendar><vcalendar><vevent><summary>x&e;y</summary></vevent></vcalendar>"
                         "</icalendar>\n");
    try {
        TXCalDocumentPtr doc = LoadXCal(file);
        EXPECT_FALSE(doc->Vcalendar().Vevent()[0].Summary().contains(QStringLiteral("SECRET")));
        EXPECT_FALSE(xcalText(*doc).contains("SECRET"));
    } catch (const KivError &) {
        // refusing the file is as good
    }
}

TEST(XCalDocument, CorpusFilesThatAreNotCalendarXmlAreRefusedCleanly)
{
    // The corpus holds no calendar XML; each of its files must give a clear error, never a crash.
    int seen = 0;
    for (const char *folder : {"ics", "vcf", "rtf"}) {
        const QString dir = test::corpusFile(QString::fromUtf8(folder));
        if (dir.isEmpty())
            continue;
        for (const QFileInfo &f : QDir(dir).entryInfoList(QDir::Files)) {
            ++seen;
            try {
                LoadXCal(f.absoluteFilePath());
                ADD_FAILURE() << f.fileName().toStdString() << " loaded";
            } catch (const KivError &e) {
                EXPECT_FALSE(e.message().isEmpty());
            }
        }
    }
    if (seen == 0)
        GTEST_SKIP() << "../shared/corpus is not there";
}

TEST(XCalDocument, ControlCharactersNeverMakeTheFileUnreadable)
{
    const TempDir dir;
    TXCalDocumentPtr doc = NewXCal();
    TXMLVeventType v = doc->Vcalendar().Vevent().Add();
    v.setSummary(QStringLiteral("bell\x07 vtab\x0B nul") + QChar(0) + QStringLiteral(" kept\ttab\nline"));
    v.Dtstart().setTZID(QStringLiteral("a\x01z"));
    const QString path = dir.file(QStringLiteral("out.xml"));
    SaveXCal(path, doc.get());
    TXCalDocumentPtr back = LoadXCal(path);
    EXPECT_EQ(back->Vcalendar().Vevent()[0].Summary(), QStringLiteral("bell vtab nul kept\ttab\nline"));
    EXPECT_EQ(back->Vcalendar().Vevent()[0].Dtstart().TZID(), QStringLiteral("az"));
}

TEST(XCalDocument, TextBesideElementsIsKeptAndReadsBackTheSame)
{
    // Found by fuzzing: text beside elements, and elements created by reading
    // inside such an element, must read back to the same bytes on the next save.
    TXCalDocumentPtr doc = parseXCal("<icalendar>\n  <vcalendar>\n    <vevent>\n </vevent>\n A</vcalendar>#\n"
                                     "</icalendar>\n",
                                     QStringLiteral("test"));
    doc->Vcalendar().Vevent()[0].Summary(); // creates "summary" beside the blank
    const QByteArray first = xcalText(*doc);
    EXPECT_TRUE(first.contains("\r\n A</vcalendar>#\r\n")) << first.toStdString();
    TXCalDocumentPtr back = parseXCal(first, QStringLiteral("saved"));
    EXPECT_EQ(xcalText(*back), first);
}

TEST(XCalDocument, BlanksInTextsSurviveCrLfFiles)
{
    const TempDir dir;
    const QString texts[] = {QStringLiteral("   \n  second\n   \nthird"), QStringLiteral("  "),
                             QStringLiteral("\n"), QStringLiteral(" trailing \n"), QStringLiteral("\t\tx")};
    TXCalDocumentPtr doc = NewXCal();
    TXMLVeventTypeList events = doc->Vcalendar().Vevent();
    for (const QString &t : texts)
        events.Add().setDescription(t);
    const QString path = dir.file(QStringLiteral("out.xml"));
    SaveXCal(path, doc.get());
    TXCalDocumentPtr back = LoadXCal(path);
    const TXMLVeventTypeList read = back->Vcalendar().Vevent();
    ASSERT_EQ(read.Count(), 5);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(read[i].Description(), texts[i]) << i;
    EXPECT_EQ(xcalText(*back), test::readAll(path));
}

TEST(XCalDocument, EveryLoadableFixtureReadsBackToTheSameBytes)
{
    // Read as at start (which creates missing elements), save, load, save again.
    int loaded = 0;
    for (const QFileInfo &f : QDir(test::dataFile(QStringLiteral("xcal"))).entryInfoList({QStringLiteral("*.xml")})) {
        TXCalDocumentPtr doc;
        try {
            doc = LoadXCal(f.absoluteFilePath());
        } catch (const KivError &) {
            continue; // the damaged ones
        }
        ++loaded;
        TCalList list;
        try {
            list.ReadFromXCal(doc.get());
        } catch (const KivError &) {
        }
        list.Clear();
        const QByteArray first = xcalText(*doc);
        TXCalDocumentPtr back = parseXCal(first, f.fileName());
        EXPECT_EQ(xcalText(*back).toStdString(), first.toStdString()) << f.fileName().toStdString();
    }
    EXPECT_GE(loaded, 4);
}

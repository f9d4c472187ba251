#include "CalList.h"

#include "KivError.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

using namespace kiv;

namespace {

TDateTime jul(int d, int h = 0, int n = 0)
{
    return encodeDateTime(2011, 7, d, h, n, 0);
}

TCalEntry *make(TDateTime start, TDateTime end, const char *summary = "x", const char *location = "")
{
    auto *e = new TCalEntry(TCalEntry::Blank{});
    e->StartTime = start;
    e->EndTime = end;
    e->Summary = QString::fromUtf8(summary);
    e->Location = QString::fromUtf8(location);
    return e;
}

std::vector<QString> summaries(const TCalList *list)
{
    std::vector<QString> r;
    if (list) {
        for (const TCalEntry *e : *list)
            r.push_back(e->Summary);
    }
    return r;
}

std::vector<QString> S(std::initializer_list<const char *> names)
{
    std::vector<QString> r;
    for (const char *n : names)
        r.push_back(QString::fromUtf8(n));
    return r;
}

const TRegionalSettings &de()
{
    static const TRegionalSettings rs = TRegionalSettings::german();
    return rs;
}

} // namespace

TEST(CalList, AddKeepsStartOrderAndReturnsPositions)
{
    TCalList list;
    EXPECT_EQ(list.Add(make(jul(10), jul(10), "b")), 0);
    EXPECT_EQ(list.Add(make(jul(12), jul(12), "c")), 1);
    EXPECT_EQ(list.Add(make(jul(1), jul(1), "a")), 0);
    EXPECT_EQ(list.Add(make(jul(11), jul(11), "bc")), 2);
    EXPECT_EQ(summaries(&list), S({"a", "b", "bc", "c"}));
    EXPECT_EQ(list.IndexOf(list.Get(3)), 3);
    EXPECT_THROW(list.Get(4), KivError);
    EXPECT_THROW(list.Get(-1), KivError);
}

TEST(CalList, InPlaceChangeIsSortedAtTheNextAdd)
{
    TCalList list;
    TCalEntry *a = make(jul(1), jul(1), "a");
    list.Add(a);
    list.Add(make(jul(5), jul(5), "b"));
    list.Add(make(jul(9), jul(9), "c"));
    a->StartTime = jul(20); // what the editor does
    EXPECT_EQ(summaries(&list), S({"a", "b", "c"}));
    EXPECT_EQ(list.Add(make(jul(7), jul(7), "n")), 1);
    EXPECT_EQ(summaries(&list), S({"b", "n", "c", "a"}));
    a->StartTime = jul(2);
    EXPECT_EQ(list.Add(a), 0); // already held: only put back in order
    EXPECT_EQ(summaries(&list), S({"a", "b", "n", "c"}));
}

TEST(CalList, AddAllSortsOnce)
{
    TCalList list;
    list.Add(make(jul(3), jul(3), "c"));
    list.AddAll({make(jul(4), jul(4), "d"), make(jul(1), jul(1), "a"), make(jul(2), jul(2), "b")});
    EXPECT_EQ(summaries(&list), S({"a", "b", "c", "d"}));
}

TEST(CalList, RemoveDestroysOnlyInTheMainList)
{
    TCalList list;
    TCalEntry *a = make(jul(1), jul(1), "a");
    TCalEntry *b = make(jul(2), jul(2), "b");
    list.Add(a);
    list.Add(b);
    {
        TCalListPtr day = list.GetDateList(jul(2));
        ASSERT_TRUE(day);
        EXPECT_FALSE(day->ownsEntries());
        EXPECT_EQ(day->Remove(b), 0); // a result list lets go without destroying
        EXPECT_EQ(day->Count(), 0);
    }
    EXPECT_EQ(b->Summary, QStringLiteral("b"));
    EXPECT_EQ(list.Remove(b), 1);
    EXPECT_EQ(summaries(&list), S({"a"}));
    TCalEntry stranger(TCalEntry::Blank{}); // not in the list: left alone
    EXPECT_EQ(list.Remove(&stranger), -1);
    EXPECT_EQ(list.Count(), 1);
}

TEST(CalList, QueriesOnAnEmptyListGiveNone)
{
    const TCalList list;
    TCalEntry probe(TCalEntry::Blank{});
    EXPECT_FALSE(list.GetDateList(jul(1)));
    EXPECT_FALSE(list.MatchDateList(jul(1), jul(1)));
    EXPECT_FALSE(list.MatchSummaryList(QString(), de()));
    EXPECT_FALSE(list.NearestDateList(jul(1)));
    EXPECT_FALSE(list.EntryExists(probe, de()));
    EXPECT_EQ(list.GetHint(de()), QString());
}

TEST(CalList, GetDateListByDaySpan)
{
    TCalList list;
    list.Add(make(jul(10, 10), jul(11, 0), "to midnight"));
    list.Add(make(jul(11, 10), jul(10, 10), "reversed"));
    list.Add(make(jul(9, 8), jul(13, 9), "long"));
    list.Add(make(jul(11, 23, 59), jul(11, 23, 59), "late"));
    struct { TDateTime day; std::vector<QString> expected; } cases[] = {
        {jul(11, 15), S({"long", "to midnight", "late"})},
        {jul(10), S({"long", "to midnight"})},
        {jul(12), S({"long"})},
        {jul(14), {}},
        {jul(8, 23, 59), {}},
    };
    for (const auto &c : cases) {
        const TCalListPtr r = list.GetDateList(c.day);
        EXPECT_EQ(summaries(r.get()), c.expected) << c.day;
        EXPECT_EQ(bool(r), !c.expected.empty());
    }
}

TEST(CalList, MatchDateListIgnoresTimesOfDay)
{
    TCalList list;
    list.Add(make(jul(10, 14), jul(10, 15), "same day"));
    list.Add(make(jul(10, 14), jul(11, 9), "two days"));
    list.Add(make(jul(11, 10), jul(10, 10), "reversed"));
    struct { TDateTime st, en; std::vector<QString> expected; } cases[] = {
        {jul(10, 8), jul(10, 23), S({"same day"})},
        {jul(10, 0), jul(11, 23), S({"two days"})},
        {jul(11, 0), jul(10, 0), S({"reversed"})}, // a reversed range finds a reversed entry
        {jul(11, 0), jul(11, 0), {}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(summaries(list.MatchDateList(c.st, c.en).get()), c.expected);
}

TEST(CalList, MatchSummaryListIgnoresCase)
{
    TCalList list;
    list.Add(make(jul(1), jul(1), "Äpfel kaufen"));
    list.Add(make(jul(2), jul(2), "Meeting"));
    list.Add(make(jul(3), jul(3), "ÄPFEL KAUFEN"));
    EXPECT_EQ(summaries(list.MatchSummaryList(QStringLiteral("äpfel Kaufen"), de()).get()),
              S({"Äpfel kaufen", "ÄPFEL KAUFEN"}));
    EXPECT_FALSE(list.MatchSummaryList(QStringLiteral("Meeting "), de()));
}

TEST(CalList, NearestDateList)
{
    struct Case
    {
        const char *name;
        std::vector<std::pair<TDateTime, TDateTime>> entries; // summaries "0", "1", ... in list order
        TDateTime asked;
        const char *expected;
    } cases[] = {
        {"closest start", {{jul(1, 12), jul(1, 13)}, {jul(20, 12), jul(20, 13)}}, jul(8), "0"},
        {"tie: earlier in list order", {{jul(6, 12), jul(6, 13)}, {jul(10, 12), jul(10, 13)}}, jul(8, 12), "0"},
        {"covering day wins over closer start",
         {{jul(1, 0), jul(9, 0)}, {jul(8, 12), jul(8, 12)}}, jul(8, 11), "0"},
        {"first covering in list order", {{jul(7), jul(9)}, {jul(8), jul(8)}}, jul(8, 18), "0"},
        {"months away", {{jul(1), jul(1)}}, encodeDate(2012, 3, 1), "0"},
        {"later start nearer", {{jul(1), jul(1)}, {jul(9, 1), jul(9, 2)}}, jul(8, 12), "1"},
    };
    for (const Case &c : cases) {
        TCalList list;
        int i = 0;
        for (const auto &[s, e] : c.entries)
            list.Add(make(s, e, QByteArray::number(i++).constData()));
        const TCalListPtr r = list.NearestDateList(c.asked);
        ASSERT_TRUE(r) << c.name;
        EXPECT_EQ(summaries(r.get()), S({c.expected})) << c.name;
    }
}

TEST(CalList, EntryExistsBySummaryLocationAndDays)
{
    TCalList list;
    list.Add(make(jul(10, 9), jul(10, 10), "Meeting", "Room 3"));
    struct { TDateTime s, e; const char *summary, *location; bool exists; } cases[] = {
        {jul(10, 14), jul(10, 18), "MEETING", "room 3", true},
        {jul(10, 9), jul(10, 10), "Meeting", "Room 4", false},
        {jul(10, 9), jul(10, 10), "Meeting", "", false},
        {jul(10, 9), jul(11, 10), "Meeting", "Room 3", false},
        {jul(11, 9), jul(11, 10), "Meeting", "Room 3", false},
    };
    for (const auto &c : cases) {
        std::unique_ptr<TCalEntry> probe(make(c.s, c.e, c.summary, c.location));
        probe->UID = QStringLiteral("other"); // plays no part
        EXPECT_EQ(list.EntryExists(*probe, de()), c.exists) << c.summary << " " << c.location;
    }
}

TEST(CalList, GetHintSeparatesEntries)
{
    TCalList list;
    list.Add(make(jul(10, 9), jul(10, 10), "One"));
    EXPECT_EQ(list.GetHint(de()), QStringLiteral("10.07.2011 09:00 - 10:00\r\nOne"));
    list.Add(make(jul(10, 11), jul(10, 12), "Two", "Hall"));
    EXPECT_EQ(list.GetHint(de()), QStringLiteral("10.07.2011 09:00 - 10:00\r\nOne"
                                                 "\r\n**************************\r\n"
                                                 "10.07.2011 11:00 - 12:00\r\nTwo\r\n@Hall"));
}

TEST(CalList, InPlaceChangesShowInQueriesAtOnce)
{
    TCalList list;
    TCalEntry *a = make(jul(1, 9), jul(1, 10), "a");
    TCalEntry *b = make(jul(5, 9), jul(5, 10), "b");
    list.Add(a);
    list.Add(b);
    list.Add(make(jul(9, 9), jul(9, 10), "c"));
    EXPECT_EQ(summaries(list.GetDateList(jul(5)).get()), S({"b"}));
    b->StartTime = jul(20); // the editor changes entries in place
    b->EndTime = jul(21);
    EXPECT_FALSE(list.GetDateList(jul(5)));
    EXPECT_EQ(summaries(list.GetDateList(jul(20, 12)).get()), S({"b"}));
    EXPECT_EQ(summaries(list.MatchDateList(jul(20), jul(21)).get()), S({"b"}));
    a->EndTime += 40; // now spans into August
    EXPECT_EQ(summaries(list.GetDateList(jul(21)).get()), S({"a", "b"}));
    EXPECT_EQ(summaries(list.NearestDateList(jul(30)).get()), S({"a"}));
}

// The day queries against a plain reading of their rules, on random lists with
// random in-place changes (sorted and unsorted lists, long and reversed entries).
TEST(CalList, QueriesAgreeWithTheirRules)
{
    std::srand(7);
    auto rnd = [](int n) { return std::rand() % n; };
    for (int round = 0; round < 30; ++round) {
        TCalList list;
        std::vector<TCalEntry *> all;
        const int n = 1 + rnd(60);
        for (int i = 0; i < n; ++i) {
            const TDateTime s = jul(1) + rnd(40) + rnd(96) / 96.0;
            const int kind = rnd(10);
            const TDateTime e = kind == 0 ? s - rnd(3) : kind == 1 ? s + rnd(30) : s + rnd(8) / 96.0;
            all.push_back(make(s, e, QByteArray::number(i).constData()));
            list.Add(all.back());
        }
        for (int c = rnd(4); c > 0; --c) // in place, without telling the list
            all[static_cast<size_t>(rnd(n))]->StartTime = jul(1) + rnd(40) + 0.5;
        for (int q = 0; q < 20; ++q) {
            const TDateTime day = jul(1) - 2 + rnd(45) + rnd(4) / 4.0;
            const TDateTime day2 = day + rnd(3) - 1;
            std::vector<QString> covering, matching;
            int nearest = -1;
            double best = 1.7e308;
            for (int i = 0; i < list.Count(); ++i) {
                const TCalEntry *e = list.Get(i);
                const bool covers = std::trunc(e->StartTime) <= std::trunc(day) && std::trunc(e->EndTime) >= std::trunc(day);
                if (covers)
                    covering.push_back(e->Summary);
                if (std::trunc(e->StartTime) == std::trunc(day) && std::trunc(e->EndTime) == std::trunc(day2))
                    matching.push_back(e->Summary);
                if (nearest < 0 || best >= 0) {
                    if (covers && best >= 0) {
                        nearest = i;
                        best = -1; // found by covering: stop looking
                    } else if (best >= 0 && std::fabs(e->StartTime - day) < best) {
                        best = std::fabs(e->StartTime - day);
                        nearest = i;
                    }
                }
            }
            // Result lists are sorted by start; compare as sets where the list itself is out of order.
            auto sorted = [](std::vector<QString> v) { std::sort(v.begin(), v.end()); return v; };
            EXPECT_EQ(sorted(summaries(list.GetDateList(day).get())), sorted(covering));
            EXPECT_EQ(sorted(summaries(list.MatchDateList(day, day2).get())), sorted(matching));
            EXPECT_EQ(summaries(list.NearestDateList(day).get()), std::vector<QString>{list.Get(nearest)->Summary});
        }
    }
}

#include "DateTime.h"
#include "KivError.h"

#include <gtest/gtest.h>

using namespace kiv;

namespace {
QString Q(const char *s) { return QString::fromUtf8(s); }
}

TEST(DateTime, EpochAndKnownDays)
{
    EXPECT_EQ(encodeDate(1899, 12, 30), 0);
    EXPECT_EQ(encodeDate(1900, 1, 1), 2);
    EXPECT_EQ(encodeDate(2011, 7, 10), 40734);
    EXPECT_EQ(encodeDate(1899, 12, 29), -1);
    EXPECT_DOUBLE_EQ(encodeTime(6, 30, 0), 0.2708333333333333);
}

TEST(DateTime, RoundTripsThroughDecode)
{
    struct { int y, m, d, h, n, s, ms; } cases[] = {
        {2000, 2, 29, 0, 0, 0, 0}, {2012, 12, 31, 23, 59, 59, 999}, {1900, 3, 1, 12, 0, 0, 0},
        {2024, 2, 29, 9, 30, 15, 250}, {1, 1, 1, 0, 0, 1, 0}, {9999, 12, 31, 23, 59, 59, 0},
        {1899, 12, 29, 6, 0, 0, 0}, {1850, 6, 15, 18, 45, 0, 0}};
    for (const auto &c : cases) {
        const TDateTime dt = encodeDateTime(c.y, c.m, c.d, c.h, c.n, c.s, c.ms);
        int y, m, d, h, n, s, ms;
        decodeDate(dt, y, m, d);
        decodeTime(dt, h, n, s, ms);
        EXPECT_EQ((std::vector<int>{y, m, d, h, n, s, ms}),
                  (std::vector<int>{c.y, c.m, c.d, c.h, c.n, c.s, c.ms}))
            << c.y << "-" << c.m << "-" << c.d;
    }
}

TEST(DateTime, InvalidDatesAreRefused)
{
    TDateTime out;
    EXPECT_FALSE(tryEncodeDate(2023, 2, 29, out));
    EXPECT_FALSE(tryEncodeDate(1900, 2, 29, out)); // not a leap year
    EXPECT_TRUE(tryEncodeDate(2000, 2, 29, out));
    EXPECT_FALSE(tryEncodeDate(2011, 13, 1, out));
    EXPECT_FALSE(tryEncodeTime(24, 0, 0, 0, out));
    EXPECT_THROW(encodeDate(2011, 4, 31), KivError);
}

TEST(DateTime, DayNumberTruncatesTowardZero)
{
    EXPECT_EQ(dayNumber(40734.75), 40734);
    EXPECT_EQ(dayNumber(-1.25), -1);
    EXPECT_TRUE(isSameDay(40734.0, 40734.99));
    EXPECT_FALSE(isSameDay(40734.99, 40735.0));
    // Negative date-times count their time away from zero: -1.25 is 29 Dec 1899 06:00.
    int h, n, s, ms;
    decodeTime(-1.25, h, n, s, ms);
    EXPECT_EQ(h, 6);
}

TEST(DateTime, IncMonthClampsToMonthEnd)
{
    struct { int y, m, d, by, ey, em, ed; } cases[] = {
        {2011, 1, 31, 1, 2011, 2, 28}, {2012, 1, 31, 1, 2012, 2, 29}, {2011, 3, 31, -1, 2011, 2, 28},
        {2011, 12, 15, 1, 2012, 1, 15}, {2011, 1, 15, -13, 2009, 12, 15}, {2011, 7, 10, 0, 2011, 7, 10}};
    for (const auto &c : cases) {
        const TDateTime r = incMonth(encodeDateTime(c.y, c.m, c.d, 10, 0, 0), c.by);
        EXPECT_EQ(r, encodeDateTime(c.ey, c.em, c.ed, 10, 0, 0)) << c.y << "-" << c.m << "-" << c.d << " " << c.by;
    }
}

TEST(DateTime, IsoWeeks)
{
    int isoYear = 0;
    EXPECT_EQ(weekOfYearIso(encodeDate(2012, 12, 31), &isoYear), 1);
    EXPECT_EQ(isoYear, 2013);
    EXPECT_EQ(weekOfYearIso(encodeDate(2011, 1, 1), &isoYear), 52);
    EXPECT_EQ(isoYear, 2010);
    EXPECT_EQ(weekOfYearIso(encodeDate(2011, 7, 10)), 27);
    EXPECT_EQ(weekOfYearIso(encodeDate(2020, 12, 31)), 53);
    EXPECT_EQ(dayOfWeekIso(encodeDate(2011, 7, 10)), 7); // a Sunday
    EXPECT_EQ(dayOfWeek(encodeDate(2011, 7, 10)), 1);
}

struct FormatCase
{
    const char *format;
    const char *german;
    const char *english;
};

TEST(DateTime, FormatsWithRegionalSettings)
{
    const TRegionalSettings de = TRegionalSettings::german();
    const TRegionalSettings us = TRegionalSettings::usEnglish();
    const TDateTime dt = encodeDateTime(2011, 7, 3, 21, 5, 9, 42);
    const FormatCase cases[] = {
        {"yyyymmdd", "20110703", "20110703"},
        {"ddddd", "03.07.2011", "7/3/2011"},
        {"ddddd h:nn ampm", "03.07.2011 9:05 ", "7/3/2011 9:05 PM"},
        {"hh:nn", "21:05", "21:05"},
        {"tt", "21:05:09", "9:05:09 PM"},
        {"mmmm yyyy", "Juli 2011", "July 2011"},
        {"ddd, d. mmm yy", "So, 3. Jul 11", "Sun, 3. Jul 11"},
        {"dddd", "Sonntag", "Sunday"},
        {"hh:mm", "21:05", "21:05"},          // m after h is minutes
        {"'mm' \"dd\" mm", "mm dd 07", "mm dd 07"},
        {"hh:nn:ss.zzz", "21:05:09.042", "21:05:09.042"},
        {"h am/pm", "9 pm", "9 pm"},
        {"yyyy/mm/dd", "2011.07.03", "2011/07/03"}};
    for (const auto &c : cases) {
        EXPECT_EQ(formatDateTime(Q(c.format), dt, de), Q(c.german)) << c.format;
        EXPECT_EQ(formatDateTime(Q(c.format), dt, us), Q(c.english)) << c.format;
    }
    EXPECT_EQ(formatDateTime(Q("h:nn ampm"), encodeTime(0, 30, 0), us), Q("12:30 AM"));
    EXPECT_EQ(formatDateTime(Q("h:nn ampm"), encodeTime(12, 0, 0), us), Q("12:00 PM"));
}

TEST(DateTime, ParsesTimesInTheLongTimeFormat)
{
    const TRegionalSettings de = TRegionalSettings::german();
    const TRegionalSettings us = TRegionalSettings::usEnglish();
    struct { const char *text; bool usLocale; bool ok; int h, n, s; } cases[] = {
        {"06:30:00", false, true, 6, 30, 0}, {"6:30", false, true, 6, 30, 0},
        {"23:59:59", false, true, 23, 59, 59}, {"24:00:00", false, false, 0, 0, 0},
        {"6:30:00 AM", true, true, 6, 30, 0}, {"6:30:00 PM", true, true, 18, 30, 0},
        {"12:00:00 AM", true, true, 0, 0, 0}, {"12:15:00 pm", true, true, 12, 15, 0},
        {"13:00 PM", true, false, 0, 0, 0}, {"PM 1:00", true, true, 13, 0, 0},
        {"abc", false, false, 0, 0, 0}, {"", false, false, 0, 0, 0}, {"6:3x", false, false, 0, 0, 0}};
    for (const auto &c : cases) {
        TDateTime t = -1;
        const bool ok = tryParseTime(Q(c.text), c.usLocale ? us : de, t);
        EXPECT_EQ(ok, c.ok) << c.text;
        if (c.ok && ok) {
            EXPECT_EQ(t, encodeTime(c.h, c.n, c.s)) << c.text;
        }
    }
    // What formatting writes, parsing reads back.
    const TDateTime t = encodeTime(6, 30, 0);
    TDateTime back;
    ASSERT_TRUE(tryParseTime(formatDateTime(us.longTimeFormat, t, us), us, back));
    EXPECT_EQ(back, t);
}

TEST(DateTime, ParsesDatesInTheShortDateOrder)
{
    TDateTime d;
    ASSERT_TRUE(tryParseDate(Q("10.07.2011"), TRegionalSettings::german(), d));
    EXPECT_EQ(d, encodeDate(2011, 7, 10));
    ASSERT_TRUE(tryParseDate(Q("7/10/2011"), TRegionalSettings::usEnglish(), d));
    EXPECT_EQ(d, encodeDate(2011, 7, 10));
    EXPECT_FALSE(tryParseDate(Q("31.02.2011"), TRegionalSettings::german(), d));
    EXPECT_FALSE(tryParseDate(Q("x"), TRegionalSettings::german(), d));
}

TEST(Regional, FromQtLocales)
{
    const TRegionalSettings de = TRegionalSettings::fromLocale(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(de.shortDateFormat, Q("dd.mm.yyyy"));
    EXPECT_EQ(de.longTimeFormat, Q("hh:nn:ss"));
    EXPECT_EQ(de.decimalSeparator, QLatin1Char(','));
    EXPECT_EQ(de.listSeparator, QLatin1Char(';'));
    EXPECT_EQ(de.longMonthNames.value(6), Q("Juli"));
    const TRegionalSettings us = TRegionalSettings::fromLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(us.shortDateFormat, Q("m/d/yyyy"));
    EXPECT_EQ(us.longTimeFormat, Q("h:nn:ss ampm"));
    EXPECT_EQ(us.timePMString, Q("PM"));
    EXPECT_EQ(us.listSeparator, QLatin1Char(','));
    EXPECT_EQ(us.longDayNames.value(0), Q("Sunday"));
}

TEST(Regional, CaseInsensitiveComparisonFollowsTheLocale)
{
    const TRegionalSettings de = TRegionalSettings::german();
    EXPECT_TRUE(sameTextLocale(Q("ÄRZTIN"), Q("ärztin"), de));
    EXPECT_FALSE(sameTextLocale(Q("Arzt"), Q("Ärzt"), de));
    TRegionalSettings tr = TRegionalSettings::german();
    tr.locale = QLocale(QLocale::Turkish, QLocale::Turkey);
    EXPECT_TRUE(sameTextLocale(Q("İstanbul"), Q("istanbul"), tr));
    EXPECT_LT(compareTextLocale(Q("apfel"), Q("Birne"), de), 0);
}

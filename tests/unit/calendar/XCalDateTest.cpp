#include "XCalDate.h"

#include "KivError.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace kiv;

namespace {

// One hour east of UTC, two with daylight saving (last Sunday of March to last of October).
const char *const kBerlin = "CET-1CEST,M3.5.0,M10.5.0/3";
const char *const kNewYork = "EST5EDT,M3.2.0,M11.1.0";

TDateTime dt(int y, int m, int d, int h = 0, int n = 0, int s = 0, int ms = 0)
{
    return encodeDateTime(y, m, d, h, n, s, ms);
}

} // namespace

TEST(XCalDate, ParsesTheTextForms)
{
    const test::ScopedTimeZone tz(kBerlin);
    struct { const char *text; TDateTime expected; } cases[] = {
        {"20110710", dt(2011, 7, 10)},
        {"20110710T090000", dt(2011, 7, 10, 9)},
        {"20110710T120000Z", dt(2011, 7, 10, 14)}, // daylight saving in force
        {"20110110T120000Z", dt(2011, 1, 10, 13)},
        {"20111231T233000Z", dt(2012, 1, 1, 0, 30)},
        {"20110710T1200", dt(2011, 7, 10, 12)},     // 13 characters: local, seconds 0
        {"20110710T120000X", dt(2011, 7, 10, 12)},  // no "Z": local
        {"20110710X120000Z", dt(2011, 7, 10)},      // no "T": the date alone
        {"20110710T235959", dt(2011, 7, 10, 23, 59, 59)},
        {"", 0},
        {"2011", 0},
        {"abcdefgh", 0},
        {"2011071", dt(2011, 7, 1)}, // the pieces happen to be numbers
    };
    for (const auto &c : cases)
        EXPECT_DOUBLE_EQ(ParseXCalDate(QString::fromUtf8(c.text)), c.expected) << c.text;
}

TEST(XCalDate, LocalTextIgnoresTheZone)
{
    for (const char *zone : {kBerlin, kNewYork, "UTC0"}) {
        const test::ScopedTimeZone tz(zone);
        EXPECT_DOUBLE_EQ(ParseXCalDate(QStringLiteral("20110710T120000")), dt(2011, 7, 10, 12)) << zone;
    }
}

TEST(XCalDate, InvalidTextsAreErrors)
{
    for (const char *text : {"20111310", "20110010", "20110732", "20110230", "20110700",
                             "00000710", "20110710T240000", "20110710T126000", "20110710T120060",
                             "20110710T12ab00", "xxxxxxxxT120000", "20111310T120000"}) {
        EXPECT_THROW(ParseXCalDate(QString::fromUtf8(text)), KivError) << text;
    }
}

TEST(XCalDate, FormatsLocalAndUtc)
{
    const test::ScopedTimeZone tz(kBerlin);
    EXPECT_EQ(FormatXCalDate(false, dt(2011, 7, 10, 9)), QStringLiteral("20110710T090000"));
    EXPECT_EQ(FormatXCalDate(false, dt(2011, 7, 10, 9, 0, 0, 600)), QStringLiteral("20110710T090000"));
    EXPECT_EQ(FormatXCalDate(false, dt(1999, 1, 2, 23, 5, 7)), QStringLiteral("19990102T230507"));
    EXPECT_EQ(FormatXCalDate(false, 0), QStringLiteral("18991230T000000"));
    EXPECT_EQ(FormatXCalDate(true, dt(2011, 7, 10, 14)), QStringLiteral("20110710T120000Z"));
    EXPECT_EQ(FormatXCalDate(true, dt(2011, 1, 10, 14)), QStringLiteral("20110110T130000Z"));
    for (TDateTime v : {dt(2011, 7, 10, 9, 30, 15), dt(2011, 12, 24, 18), dt(2020, 2, 29, 0, 0, 1)})
        EXPECT_DOUBLE_EQ(ParseXCalDate(FormatXCalDate(true, v)), v);
}

TEST(XCalDate, ZoneRulesOfTheGivenDate)
{
    const test::ScopedTimeZone tz(kNewYork);
    struct { TDateTime utc, local; } cases[] = {
        {dt(2011, 7, 10, 12, 0, 0, 250), dt(2011, 7, 10, 8, 0, 0, 250)}, // EDT, milliseconds kept
        {dt(2011, 1, 10, 12), dt(2011, 1, 10, 7)},                       // EST
        {dt(2011, 3, 13, 6, 59), dt(2011, 3, 13, 1, 59)},                // just before the change
        {dt(2011, 3, 13, 7), dt(2011, 3, 13, 3)},                        // just after
        {dt(2011, 1, 1, 3), dt(2010, 12, 31, 22)},                       // across a year
    };
    for (const auto &c : cases) {
        EXPECT_DOUBLE_EQ(UTCToLocal(c.utc), c.local);
        EXPECT_DOUBLE_EQ(LocalToUTC(c.local), c.utc);
    }
    // 02:30 does not exist on that day: read with the offset before the change.
    EXPECT_DOUBLE_EQ(LocalToUTC(dt(2011, 3, 13, 2, 30)), dt(2011, 3, 13, 7, 30));
    // 01:30 on 6 November comes twice; either reading is an hour apart at most.
    const TDateTime twice = LocalToUTC(dt(2011, 11, 6, 1, 30));
    EXPECT_TRUE(twice == dt(2011, 11, 6, 5, 30) || twice == dt(2011, 11, 6, 6, 30)) << twice;
}

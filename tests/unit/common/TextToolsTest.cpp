#include "TextTools.h"

#include <gtest/gtest.h>

using namespace kiv;

namespace {
const QString Q(const char *s) { return QString::fromUtf8(s); }
}

TEST(TextTools, CutTokenTakesTheFrontAndTheSeparator)
{
    QString s = Q("a;b;c");
    EXPECT_EQ(CutToken(s, Q(";")), Q("a"));
    EXPECT_EQ(s, Q("b;c"));
    s = Q("abc");
    EXPECT_EQ(CutToken(s, Q(";")), Q("abc"));
    EXPECT_TRUE(s.isEmpty());
    s = Q("key:=value");
    EXPECT_EQ(CutToken(s, Q(":=")), Q("key"));
    EXPECT_EQ(s, Q("value"));
}

TEST(TextTools, CutUntilAnyAndCutAtFirstOf)
{
    QChar found;
    QString s = Q("DTSTART;TZID=x:2011");
    EXPECT_EQ(CutUntilAny(s, Q(";:"), found), Q("DTSTART"));
    EXPECT_EQ(found, QLatin1Char(';'));
    EXPECT_EQ(s, Q("TZID=x:2011"));
    s = Q("plain");
    EXPECT_EQ(CutUntilAny(s, Q(";:"), found), Q("plain"));
    EXPECT_EQ(found, QLatin1Char(' '));
    EXPECT_TRUE(s.isEmpty());

    s = Q("a:b;c");
    EXPECT_EQ(CutAtFirstOf(s, Q(";:"), found), Q("a"));
    EXPECT_EQ(found, QLatin1Char(':'));
    EXPECT_EQ(s, Q("b;c"));
    s = Q("none");
    EXPECT_EQ(CutAtFirstOf(s, Q(";:"), found), Q("none"));
    EXPECT_EQ(found, QChar(0));
    EXPECT_TRUE(s.isEmpty());
}

TEST(TextTools, PositionsAndBlanks)
{
    EXPECT_EQ(LastPos(Q("ab"), Q("abcab")), 4);
    EXPECT_EQ(LastPos(Q("x"), Q("abc")), 0);
    EXPECT_EQ(ReverseText(Q("abc")), Q("cba"));
    EXPECT_EQ(PosOfAnyWord(Q("see www.x.org or http://y"), {Q("HTTP://"), Q("WWW.")}), 18);
    EXPECT_EQ(PosOfAnyWord(Q("nothing"), {Q("www.")}), 0);
    EXPECT_TRUE(IsBlank(Q(" \t \t")));
    EXPECT_TRUE(IsBlank(QString()));
    EXPECT_FALSE(IsBlank(Q(" x ")));
}

TEST(TextTools, EscapeRoundTripsTabsAndLineBreaks)
{
    const QString text = Q("a\tb\r\nc\\d\\n");
    EXPECT_EQ(EscapeCtrl(text), Q("a\\tb\\r\\nc\\\\d\\\\n"));
    EXPECT_EQ(UnescapeCtrl(EscapeCtrl(text)), text);
    EXPECT_EQ(EscapeCtrl(Q("x\x01y")), Q("xy")); // other control characters are dropped
    EXPECT_EQ(UnescapeCtrl(Q("a\\qb\\")), Q("a\\qb"));  // unknown escape kept, trailing dropped
}

TEST(TextTools, UnescapeToLines)
{
    QStringList lines;
    EXPECT_EQ(UnescapeToLines(Q("a\\nb"), lines), 2);
    EXPECT_EQ(lines, (QStringList{Q("a"), Q("b")}));
    EXPECT_EQ(UnescapeToLines(Q("x\\r\\ny\\\\"), lines), 2);
    EXPECT_EQ(lines, (QStringList{Q("x"), Q("y\\")}));
    EXPECT_EQ(UnescapeToLines(QString(), lines), 1);
    EXPECT_EQ(lines, QStringList{QString()});
}

TEST(TextTools, IntegerTexts)
{
    EXPECT_EQ(IntToBase(255, 4, 16, true), Q("00FF"));
    EXPECT_EQ(IntToBase(255, 4, 16, false), Q("FF"));
    EXPECT_EQ(IntToBase(0, 0, 2, false), Q("0"));
    EXPECT_EQ(IntToBase(5, 8, 2, true), Q("00000101"));
    EXPECT_EQ(IntToStrWidth(42, 5), Q("   42"));
    EXPECT_EQ(IntToStrWidth(-123456, 3), Q("-123456"));
}

TEST(TextTools, StrToFloatReadsPrefixesAndUnits)
{
    struct { const char *text; const char *unit; bool ok; double value; } cases[] = {
        {"U = 2,5 mV", "", true, 0.0025},
        {"12abc", "", true, 12},
        {"k", "", false, 0},
        {"", "", false, 0},
        {"3,3mV", "mV", true, 3.3},
        {"3,3mV", "V", true, 0.0033},
        {"-1,5e3k", "", true, -1.5e6},
        {"4T", "", true, 4}, // T and P are no multipliers
        {"7u", "", true, 7e-6},
        {"5,", "", true, 5},
        {",5", "", true, 0.5},
        {"€ 10", "", false, 0}, // only Latin-1 symbols are skipped
        {"-", "", false, 0}};
    const TRegionalSettings rs = TRegionalSettings::german(); // decimal comma
    for (const auto &c : cases) {
        double v = -99;
        const bool ok = StrToFloatUnit(QString::fromUtf8(c.text), QString::fromUtf8(c.unit), v, rs);
        EXPECT_EQ(ok, c.ok) << c.text;
        if (c.ok) {
            EXPECT_DOUBLE_EQ(v, c.value) << c.text;
        }
    }
}

TEST(TextTools, StrToFloatLeavesValueAloneOnEmptyText)
{
    double v = 7;
    EXPECT_FALSE(StrToFloatPrefixed(QString(), v, TRegionalSettings::usEnglish()));
    EXPECT_EQ(v, 7);
    EXPECT_TRUE(StrToFloatPrefixed(QStringLiteral("1.25"), v, TRegionalSettings::usEnglish()));
    EXPECT_EQ(v, 1.25);
}

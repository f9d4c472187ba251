#include "MonthGrid.h"

#include <gtest/gtest.h>

using namespace kiv;

namespace {

TDateTime d(int y, int m, int day)
{
    return encodeDate(y, m, day);
}

TMonthCellInfo dayCell(int col, int row, TDateTime date, bool appointments = false)
{
    int y, m, day;
    decodeDate(date, y, m, day);
    return TMonthCellInfo{col, row, QString::number(day), date, appointments};
}

} // namespace

TEST(MonthGrid, July2011ColumnsWeekNumbersAndWeekdayNames)
{
    TMonthGrid g;
    g.FillGrid(d(2011, 7, 1), TRegionalSettings::usEnglish());
    EXPECT_EQ(*g.date(1, 0), d(2011, 6, 27));
    EXPECT_EQ(*g.date(1, 6), d(2011, 7, 3));
    EXPECT_EQ(*g.date(6, 0), d(2011, 8, 1));
    EXPECT_EQ(*g.date(6, 6), d(2011, 8, 7));
    const QStringList weeks = {QStringLiteral("26"), QStringLiteral("27"), QStringLiteral("28"),
                               QStringLiteral("29"), QStringLiteral("30"), QStringLiteral("31")};
    for (int c = 1; c <= 6; ++c)
        EXPECT_EQ(g.text(c, TMonthGrid::WeekRow), weeks[c - 1]);
    EXPECT_TRUE(g.text(0, TMonthGrid::WeekRow).isEmpty());
    EXPECT_FALSE(g.date(0, 0));
    EXPECT_FALSE(g.date(3, TMonthGrid::WeekRow));
    EXPECT_EQ(g.text(0, 0), QStringLiteral("Mon"));
    EXPECT_EQ(g.text(0, 6), QStringLiteral("Sun"));
    EXPECT_EQ(g.text(2, 4), QStringLiteral("8"));
    EXPECT_EQ(g.prevCaption, QStringLiteral("Jun"));
    EXPECT_EQ(g.nextCaption, QStringLiteral("Aug"));
}

TEST(MonthGrid, MonthStartingOnMondayStartsInColumnOne)
{
    TMonthGrid g;
    g.FillGrid(d(2011, 8, 1), TRegionalSettings::german());
    EXPECT_EQ(*g.date(1, 0), d(2011, 8, 1));
}

TEST(MonthGrid, TitleIsRightAlignedInEighteenCharacters)
{
    TMonthGrid g;
    g.FillGrid(d(2011, 7, 1), TRegionalSettings::usEnglish());
    EXPECT_EQ(g.caption(), QStringLiteral("         July 2011"));
    g.FillGrid(d(2011, 3, 1), TRegionalSettings::german());
    EXPECT_EQ(g.caption(), QStringLiteral("         März 2011"));
    EXPECT_EQ(g.caption().size(), 18);
    EXPECT_EQ(g.prevCaption, QStringLiteral("Feb"));
}

TEST(MonthGrid, WeekOneColumnOfNewYear)
{
    TMonthGrid g;
    g.FillGrid(d(2013, 1, 1), TRegionalSettings::german());
    EXPECT_EQ(*g.date(1, 0), d(2012, 12, 31));
    EXPECT_EQ(g.text(1, TMonthGrid::WeekRow), QStringLiteral("1"));
}

// The cell colouring rules, one row per case.
struct LookCase
{
    const char *what;
    TMonthCellInfo cell;
    bool gridBackground;
    unsigned background;
    unsigned font;
    bool bold;
};

TEST(MonthGrid, CellLookRules)
{
    // Today is Wednesday 20 July 2011; July 2011 is shown; nothing selected.
    TMonthPaintState st{encodeDateTime(2011, 7, 20, 15, 0, 0), -1, -1, d(2011, 7, 1)};
    const LookCase cases[] = {
        {"today with appointment", dayCell(4, 2, d(2011, 7, 20), true), false, bgr::Grey, bgr::Yellow, true},
        {"today without", dayCell(4, 2, d(2011, 7, 20)), false, bgr::Grey, bgr::White, true},
        {"current week with", dayCell(4, 0, d(2011, 7, 18), true), false, bgr::LightGrey, bgr::Blue, true},
        {"current week without", dayCell(4, 0, d(2011, 7, 18)), false, bgr::LightGrey, bgr::Black, false},
        {"current week Sunday", dayCell(4, 6, d(2011, 7, 24)), false, bgr::LightGrey, bgr::Black, false},
        {"appointment", dayCell(2, 1, d(2011, 7, 5), true), true, 0, bgr::Blue, true},
        {"shown month", dayCell(2, 1, d(2011, 7, 5)), true, 0, bgr::Black, false},
        {"other month", dayCell(1, 0, d(2011, 6, 27)), true, 0, bgr::Grey, false},
        {"Sunday", dayCell(2, 6, d(2011, 7, 10)), true, 0, bgr::Black, true},
        {"Sunday other month", dayCell(6, 6, d(2011, 8, 7)), true, 0, bgr::Grey, true},
        {"weekday name Sunday", {0, 6, QStringLiteral("Sun"), std::nullopt, false}, true, 0, bgr::Black, true},
        {"weekday name", {0, 2, QStringLiteral("Wed"), std::nullopt, false}, true, 0, bgr::Black, false},
        {"week number", {2, 7, QStringLiteral("27"), std::nullopt, false}, true, 0, bgr::Black, true},
    };
    for (const LookCase &c : cases) {
        SCOPED_TRACE(c.what);
        const TCellLook look = sgMonthCellLook(c.cell, st);
        EXPECT_EQ(look.gridBackground, c.gridBackground);
        if (!c.gridBackground) {
            EXPECT_EQ(look.background, c.background);
        }
        EXPECT_EQ(look.font, c.font);
        EXPECT_EQ(look.bold, c.bold);
        EXPECT_EQ(look.weekRule, c.cell.row == TMonthGrid::WeekRow);
    }
}

TEST(MonthGrid, SelectedCellsAreBlueWhateverElseTheyAre)
{
    TMonthPaintState st{encodeDateTime(2011, 7, 20, 15, 0, 0), d(2011, 7, 19), d(2011, 7, 20), d(2011, 7, 1)};
    TCellLook look = sgMonthCellLook(dayCell(4, 2, d(2011, 7, 20), true), st);
    EXPECT_FALSE(look.gridBackground);
    EXPECT_EQ(look.background, bgr::Blue);
    EXPECT_EQ(look.font, bgr::White);
    look = sgMonthCellLook(dayCell(4, 1, d(2011, 7, 19)), st);
    EXPECT_EQ(look.font, bgr::Yellow);
    // A reversed range selects nothing.
    st.stDt = d(2011, 7, 12);
    st.enDt = d(2011, 7, 11);
    EXPECT_TRUE(sgMonthCellLook(dayCell(3, 0, d(2011, 7, 11)), st).gridBackground);
    EXPECT_TRUE(sgMonthCellLook(dayCell(3, 1, d(2011, 7, 12)), st).gridBackground);
}

TEST(MonthGrid, CurrentWeekAcrossTheYearBoundaryKeepsToTheCalendarYear)
{
    const TMonthPaintState st{encodeDateTime(2013, 1, 2, 9, 0, 0), -1, -1, d(2013, 1, 1)};
    EXPECT_TRUE(sgMonthCellLook(dayCell(1, 0, d(2012, 12, 31)), st).gridBackground);
    for (int day = 1; day <= 6; ++day) {
        if (day == 2)
            continue; // today
        const TCellLook look = sgMonthCellLook(dayCell(1, day, d(2013, 1, day)), st);
        EXPECT_EQ(look.background, bgr::LightGrey) << day;
        EXPECT_FALSE(look.gridBackground) << day;
    }
}

TEST(MonthGrid, MouseSelectionRules)
{
    TMonthGrid g;
    g.FillGrid(d(2011, 7, 1), TRegionalSettings::german());
    EXPECT_EQ(g.stDt, 0);
    EXPECT_TRUE(g.mouseDown(2, 1)); // 5 July
    EXPECT_EQ(g.stDt, d(2011, 7, 5));
    EXPECT_TRUE(g.mouseDrag(2, 2));
    EXPECT_FALSE(g.mouseDrag(2, 2)); // same day: no repaint
    EXPECT_TRUE(g.mouseDrag(2, 4));
    EXPECT_EQ(g.enDt, d(2011, 7, 8));
    EXPECT_FALSE(g.mouseDown(2, 3)); // inside keeps
    EXPECT_EQ(g.stDt, d(2011, 7, 5));
    EXPECT_EQ(g.enDt, d(2011, 7, 8));
    EXPECT_TRUE(g.mouseDown(3, 0)); // another day
    EXPECT_EQ(g.stDt, d(2011, 7, 11));
    EXPECT_EQ(g.enDt, d(2011, 7, 11));
    EXPECT_FALSE(g.mouseDown(0, 0)); // weekday names: no selection
    EXPECT_EQ(g.stDt, -1);
    EXPECT_FALSE(g.mouseDrag(2, 2)); // no drag without a selection
    // A drag to the left gives a reversed range, kept; a release there clears the end.
    g.mouseDown(3, 2);
    g.mouseDrag(2, 2);
    EXPECT_LT(g.enDt, g.stDt);
    g.mouseUp(2, 2);
    EXPECT_EQ(g.enDt, 0);
}

TEST(MonthGrid, CellAtFollowsColumnWidthsAndRowHeights)
{
    int c, r;
    ASSERT_TRUE(TMonthGrid::cellAt(21, 15, c, r));
    EXPECT_EQ(c, 0);
    EXPECT_EQ(r, 0);
    ASSERT_TRUE(TMonthGrid::cellAt(22, 16, c, r));
    EXPECT_EQ(c, 1);
    EXPECT_EQ(r, 1);
    ASSERT_TRUE(TMonthGrid::cellAt(117, 131, c, r));
    EXPECT_EQ(c, 6);
    EXPECT_EQ(r, 7);
    EXPECT_FALSE(TMonthGrid::cellAt(118, 10, c, r));
    EXPECT_FALSE(TMonthGrid::cellAt(10, 132, c, r));
}

#pragma once
// The month grid without a display: which day each cell shows, the titles,
// the day selection made with the mouse, and how every cell is coloured.
//
// Layout: column 0 holds the weekday names, columns 1-6 one week each (the
// first holds the week with the first day of the month); rows 0-6 are Monday
// to Sunday, row 7 the ISO week numbers.

#include "CalEntry.h"
#include "DateTime.h"
#include "Regional.h"

#include <QString>
#include <array>
#include <optional>

namespace kiv {

// Colours as 0x00BBGGRR.
namespace bgr {
inline constexpr unsigned Black = 0x000000;
inline constexpr unsigned White = 0xFFFFFF;
inline constexpr unsigned Blue = 0xFF0000;
inline constexpr unsigned Yellow = 0x00FFFF;
inline constexpr unsigned Grey = 0x808080;
inline constexpr unsigned LightGrey = 0xE4E4E4;
} // namespace bgr

// What a cell is when it is painted.
struct TMonthCellInfo
{
    int col = 0;
    int row = 0;
    QString text;
    std::optional<TDateTime> date; // day cells only, at 00:00
    bool hasAppointments = false;  // GetDateList of the date found something
};

// The moment and the selection a paint sees.
struct TMonthPaintState
{
    TDateTime now = 0;
    TDateTime stDt = 0;
    TDateTime enDt = 0;
    TDateTime startDate = 0; // first day of the shown month
};

struct TCellLook
{
    bool gridBackground = true; // the grid's own colour (tooltip background)
    unsigned background = 0;    // when not gridBackground
    unsigned font = bgr::Black;
    bool bold = false;
    bool weekRule = false; // the 2-pixel rule above the week numbers
};

// Whether a day is in the selection stDt..enDt (none while stDt < 0).
bool isDaySelected(TDateTime stDt, TDateTime enDt, std::optional<TDateTime> date);
// Same calendar year and same ISO week number.
bool isInCurrentWeek(TDateTime date, TDateTime now);
// The colours and style of one cell (sgMonthDrawCell).
TCellLook sgMonthCellLook(const TMonthCellInfo &cell, const TMonthPaintState &state);

class TMonthGrid
{
public:
    static constexpr int ColCount = 7;
    static constexpr int RowCount = 8;
    static constexpr int WeekRow = 7;

    static int colWidth(int col) { return col == 0 ? 22 : 16; }
    static int rowHeight(int row) { return row == WeekRow ? 20 : 16; }
    // The cell at a point of the grid, false outside it.
    static bool cellAt(int x, int y, int &col, int &row);
    static int colLeft(int col);
    static int rowTop(int row);

    void FillGrid(TDateTime ADate, const TRegionalSettings &rs);
    // Navigation of the shown month.
    void prevMonth(const TRegionalSettings &rs);
    void nextMonth(const TRegionalSettings &rs);
    void today(const IClockSource &clock, const TRegionalSettings &rs);

    const QString &text(int col, int row) const { return m_text[index(col, row)]; }
    std::optional<TDateTime> date(int col, int row) const;
    const QString &caption() const { return FCaption; }

    // Mouse rules; each answers whether the grid must repaint.
    bool mouseDown(int col, int row);
    bool mouseDrag(int col, int row);
    void mouseUp(int col, int row);
    bool isSelected(int col, int row) const { return isDaySelected(stDt, enDt, date(col, row)); }

    TDateTime StartDate = 0;
    TDateTime ActMonth = 0;
    TDateTime stDt = 0; // -1: no selection
    TDateTime enDt = 0;
    QString FCaption;
    QString prevCaption;
    QString nextCaption;

private:
    static int index(int col, int row) { return row * ColCount + col; }
    std::array<QString, ColCount * RowCount> m_text;
    std::array<std::optional<TDateItem>, ColCount * RowCount> m_items;
};

} // namespace kiv

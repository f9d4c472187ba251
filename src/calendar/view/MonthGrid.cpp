#include "MonthGrid.h"

#include "TextTools.h"

namespace kiv {

bool isDaySelected(TDateTime stDt, TDateTime enDt, std::optional<TDateTime> date)
{
    return stDt >= 0 && date && *date > 0 && stDt <= *date && *date <= enDt;
}

bool isInCurrentWeek(TDateTime date, TDateTime now)
{
    int y1, m1, d1, y2, m2, d2;
    decodeDate(date, y1, m1, d1);
    decodeDate(now, y2, m2, d2);
    return y1 == y2 && weekOfYearIso(date) == weekOfYearIso(now);
}

TCellLook sgMonthCellLook(const TMonthCellInfo &cell, const TMonthPaintState &state)
{
    TCellLook look;
    const bool hasL = cell.hasAppointments;
    if (isDaySelected(state.stDt, state.enDt, cell.date)) {
        look.gridBackground = false;
        look.background = bgr::Blue;
        look.font = hasL ? bgr::White : bgr::Yellow;
    } else if (!IsBlank(cell.text)) {
        const TDateTime dt = cell.date.value_or(0);
        if (cell.date && isSameDay(dt, state.now)) {
            look.gridBackground = false;
            look.background = bgr::Grey;
            look.font = hasL ? bgr::Yellow : bgr::White;
            look.bold = true;
        } else if (cell.date && isInCurrentWeek(dt, state.now)) {
            look.gridBackground = false;
            look.background = bgr::LightGrey;
            if (hasL) {
                look.font = bgr::Blue;
                look.bold = true;
            }
        } else if (hasL) {
            look.font = bgr::Blue;
            look.bold = true;
        } else {
            if (cell.date) {
                int y1, m1, d1, y2, m2, d2;
                decodeDate(dt, y1, m1, d1);
                decodeDate(state.startDate, y2, m2, d2);
                look.font = (y1 == y2 && m1 == m2) ? bgr::Black : bgr::Grey;
            }
            if (cell.row == 6)
                look.bold = true;
        }
    }
    if (cell.row == TMonthGrid::WeekRow) {
        look.bold = true;
        look.weekRule = true;
    }
    return look;
}

bool TMonthGrid::cellAt(int x, int y, int &col, int &row)
{
    if (x < 0 || y < 0)
        return false;
    col = -1;
    for (int c = 0, left = 0; c < ColCount; left += colWidth(c), ++c) {
        if (x < left + colWidth(c)) {
            col = c;
            break;
        }
    }
    row = -1;
    for (int r = 0, top = 0; r < RowCount; top += rowHeight(r), ++r) {
        if (y < top + rowHeight(r)) {
            row = r;
            break;
        }
    }
    return col >= 0 && row >= 0;
}

int TMonthGrid::colLeft(int col)
{
    int left = 0;
    for (int c = 0; c < col; ++c)
        left += colWidth(c);
    return left;
}

int TMonthGrid::rowTop(int row)
{
    int top = 0;
    for (int r = 0; r < row; ++r)
        top += rowHeight(r);
    return top;
}

void TMonthGrid::FillGrid(TDateTime ADate, const TRegionalSettings &rs)
{
    StartDate = ADate;
    const TDateTime first = dateOf(ADate) - (dayOfWeekIso(ADate) - 1);
    FCaption = QStringLiteral("%1").arg(formatDateTime(QStringLiteral("mmmm yyyy"), ADate, rs), 18);
    for (auto &t : m_text)
        t.clear();
    for (auto &item : m_items)
        item.reset();
    TDateTime d = first;
    for (int c = 1; c <= 6; ++c) {
        m_text[index(c, WeekRow)] = QString::number(weekOfYearIso(d));
        for (int r = 0; r <= 6; ++r) {
            m_items[index(c, r)].emplace(d);
            m_text[index(0, r)] = formatDateTime(QStringLiteral("ddd"), d, rs);
            int y, m, day;
            decodeDate(d, y, m, day);
            m_text[index(c, r)] = QString::number(day);
            d += 1;
        }
    }
    prevCaption = formatDateTime(QStringLiteral("mmm"), incMonth(ADate, -1), rs);
    nextCaption = formatDateTime(QStringLiteral("mmm"), incMonth(ADate, 1), rs);
}

void TMonthGrid::prevMonth(const TRegionalSettings &rs)
{
    ActMonth = incMonth(ActMonth, -1);
    FillGrid(ActMonth, rs);
}

void TMonthGrid::nextMonth(const TRegionalSettings &rs)
{
    ActMonth = incMonth(ActMonth, 1);
    FillGrid(ActMonth, rs);
}

void TMonthGrid::today(const IClockSource &clock, const TRegionalSettings &rs)
{
    int y, m, d;
    decodeDate(clock.now(), y, m, d);
    ActMonth = encodeDate(y, m, 1);
    FillGrid(ActMonth, rs);
}

std::optional<TDateTime> TMonthGrid::date(int col, int row) const
{
    if (col < 0 || col >= ColCount || row < 0 || row >= RowCount)
        return std::nullopt;
    const auto &item = m_items[index(col, row)];
    return item ? std::optional<TDateTime>(item->date) : std::nullopt;
}

bool TMonthGrid::mouseDown(int col, int row)
{
    const auto d = date(col, row);
    if (!d) {
        stDt = -1;
        return false;
    }
    if (stDt != -1 && stDt <= *d && *d <= enDt)
        return false;
    stDt = enDt = *d;
    return true;
}

bool TMonthGrid::mouseDrag(int col, int row)
{
    const auto d = date(col, row);
    if (!d || stDt < 0)
        return false;
    const bool otherDay = dayNumber(*d) != dayNumber(enDt);
    enDt = *d;
    return otherDay;
}

void TMonthGrid::mouseUp(int col, int row)
{
    enDt = date(col, row).value_or(0);
    if (enDt < stDt)
        enDt = 0;
}

} // namespace kiv

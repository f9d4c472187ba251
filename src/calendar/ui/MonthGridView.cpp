#include "MonthGridView.h"

#include "CalendarState.h"
#include "QtDialogs.h"

#include <QMouseEvent>
#include <QPainter>

namespace kiv {

TMonthGridView::TMonthGridView(TMonthGrid &grid, const TCalendarState &cal, const IClockSource &clock,
                               QWidget *parent)
    : QWidget(parent), m_grid(grid), m_cal(cal), m_clock(clock)
{
    setObjectName(QStringLiteral("sgMonth"));
    setGeometry(0, 0, 127, 137);
    setFont(QFont(QStringLiteral("Arial"), 8));
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
    setBackgroundRole(QPalette::ToolTipBase);
    setAutoFillBackground(true);
}

QRect TMonthGridView::cellRect(int col, int row)
{
    return QRect(TMonthGrid::colLeft(col), TMonthGrid::rowTop(row), TMonthGrid::colWidth(col),
                 TMonthGrid::rowHeight(row));
}

TCellLook TMonthGridView::lookAt(int col, int row) const
{
    TMonthCellInfo cell;
    cell.col = col;
    cell.row = row;
    cell.text = m_grid.text(col, row);
    cell.date = m_grid.date(col, row);
    cell.hasAppointments = cell.date && m_cal.CalList.GetDateList(*cell.date) != nullptr;
    return sgMonthCellLook(cell, TMonthPaintState{m_clock.now(), m_grid.stDt, m_grid.enDt, m_grid.StartDate});
}

void TMonthGridView::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QColor gridColour = palette().color(QPalette::ToolTipBase);
    for (int row = 0; row < TMonthGrid::RowCount; ++row) {
        for (int col = 0; col < TMonthGrid::ColCount; ++col) {
            const QRect r = cellRect(col, row);
            const TCellLook look = lookAt(col, row);
            p.fillRect(r, look.gridBackground ? gridColour : bgrToColor(look.background));
            QFont f = font();
            f.setBold(look.bold);
            p.setFont(f);
            p.setPen(bgrToColor(look.font));
            const QString s = m_grid.text(col, row);
            const QFontMetrics fm(f);
            const int x = (r.width() - fm.horizontalAdvance(s)) / 2;
            const int y = (r.height() - fm.height()) / 2;
            p.save();
            p.setClipRect(r);
            p.drawText(QRect(r.left() + x, r.top() + y, fm.horizontalAdvance(s), fm.height()), Qt::AlignLeft, s);
            p.restore();
            if (look.weekRule) {
                p.setPen(QPen(Qt::black, 1));
                p.drawLine(r.left(), r.top(), r.right(), r.top());
                p.drawLine(r.left(), r.top() + 1, r.right(), r.top() + 1);
            }
        }
    }
}

namespace {

// The cell under the mouse, (-1, -1) outside the grid's cells.
std::pair<int, int> cellUnder(const QMouseEvent *e)
{
    int col, row;
    const QPoint pt = e->position().toPoint();
    if (!TMonthGrid::cellAt(pt.x(), pt.y(), col, row))
        return {-1, -1};
    return {col, row};
}

} // namespace

void TMonthGridView::mousePressEvent(QMouseEvent *e)
{
    if (!(e->buttons() & Qt::LeftButton))
        return;
    const auto [col, row] = cellUnder(e);
    if (m_grid.mouseDown(col, row))
        update();
}

void TMonthGridView::mouseMoveEvent(QMouseEvent *e)
{
    emit hovered(e->position().toPoint());
    if (!(e->buttons() & Qt::LeftButton))
        return;
    const auto [col, row] = cellUnder(e);
    if (col >= 0 && m_grid.mouseDrag(col, row))
        update();
}

void TMonthGridView::mouseReleaseEvent(QMouseEvent *e)
{
    // Only when the left button is still held (another one was released
    // during a left drag).
    if (!(e->buttons() & Qt::LeftButton))
        return;
    const auto [col, row] = cellUnder(e);
    m_grid.mouseUp(col, row);
    update();
}

void TMonthGridView::mouseDoubleClickEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton)
        emit doubleClicked();
}

void TMonthGridView::leaveEvent(QEvent *)
{
    emit left();
}

void TMonthGridView::focusOutEvent(QFocusEvent *e)
{
    // A popup menu takes the focus too; the frame hides the hint then anyway.
    if (e->reason() != Qt::PopupFocusReason)
        emit focusLost();
}

} // namespace kiv

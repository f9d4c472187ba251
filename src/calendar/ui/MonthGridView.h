#pragma once
// sgMonth: paints the month grid of TMonthGrid and turns mouse input into its
// selection rules. The frame handles hints, the menu and double clicks.

#include "MonthGrid.h"

#include <QWidget>

namespace kiv {

class TCalendarState;

class TMonthGridView : public QWidget
{
    Q_OBJECT
public:
    TMonthGridView(TMonthGrid &grid, const TCalendarState &cal, const IClockSource &clock, QWidget *parent);

    // The cell look as painted now (for tests and the paint).
    TCellLook lookAt(int col, int row) const;
    // The cell's rectangle in the grid.
    static QRect cellRect(int col, int row);

signals:
    // Mouse over a point of the grid (grid coordinates), button state included.
    void hovered(QPoint pos);
    void left();
    void doubleClicked();
    void focusLost();

protected:
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;
    void leaveEvent(QEvent *) override;
    void focusOutEvent(QFocusEvent *e) override;

private:
    TMonthGrid &m_grid;
    const TCalendarState &m_cal;
    const IClockSource &m_clock;
};

} // namespace kiv

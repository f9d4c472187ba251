// The clock's mouse, keys and activation.
#include "Clock.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

namespace kiv {

void TClock::mousePressEvent(QMouseEvent *e)
{
    MovePos = e->position().toPoint();
}

void TClock::mouseMoveEvent(QMouseEvent *e)
{
    if (MovePos.x() < 0)
        return;
    // From the global position: the local one may still refer to where the
    // window was before the last move reached the X server.
    move(e->globalPosition().toPoint() - MovePos);
}

void TClock::mouseReleaseEvent(QMouseEvent *e)
{
    FormMouseUp();
    // The menu opens after the release, so that the press is stored first.
    if (e->button() == Qt::RightButton)
        PopupMenu1->popup(e->globalPosition().toPoint());
}

void TClock::FormMouseUp()
{
    MovePos = QPoint(-1, -1);
    unsetCursor();
    handler([this] { StoreSettings(); });
    if (FTransCalShow)
        callLink(links.showDesktopCalendar, true);
}

void TClock::mouseDoubleClickEvent(QMouseEvent *e)
{
    MovePos = e->position().toPoint();
    if (e->button() == Qt::LeftButton)
        FormClick();
}

void TClock::FormClick()
{
    handler([this] { callLink(links.showCalendar); });
}

void TClock::contextMenuEvent(QContextMenuEvent *e)
{
    // A right click opens the menu on release; the menu key opens it here.
    if (e->reason() != QContextMenuEvent::Mouse)
        PopupMenu1->popup(e->globalPos());
}

void TClock::keyReleaseEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_PageUp) {
        if (const auto size = pageUpSize(width()))
            SetClockSize(*size);
    } else if (e->key() == Qt::Key_PageDown) {
        SetClockSize(pageDownSize(width()));
    } else {
        QWidget::keyReleaseEvent(e);
    }
}

void TClock::changeEvent(QEvent *e)
{
    QWidget::changeEvent(e);
    if (e->type() != QEvent::ActivationChange)
        return;
    if (isActiveWindow())
        FormActivate();
    else
        FormDeactivate();
}

void TClock::FormActivate()
{
    SetAlphaBlendValue(255);
}

void TClock::FormDeactivate()
{
    SetAlphaBlendValue(140);
    MovePos = QPoint(-1, -1);
}

} // namespace kiv

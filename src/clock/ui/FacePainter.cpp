#include "FacePainter.h"

#include "QtDialogs.h"

#include <QApplication>
#include <QPainter>
#include <QPalette>

namespace kiv {

namespace {

void drawLine(QPainter &p, const TFaceLine &l)
{
    p.setPen(QPen(bgrToColor(l.color), l.penWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(l.from, l.to);
}

} // namespace

QColor faceKeyColor()
{
    return QApplication::palette().color(QPalette::Button);
}

void paintClockFace(QImage &surface, const TClockFaceGeometry &g, const QColor &keyColor)
{
    surface.fill(keyColor);
    QPainter p(&surface);
    p.setRenderHint(QPainter::Antialiasing, false);
    for (const TFaceLine &t : g.ticks)
        drawLine(p, t);
    drawLine(p, g.hour);
    drawLine(p, g.minute);
    if (g.second)
        drawLine(p, *g.second);
    if (g.ball) {
        p.setPen(Qt::NoPen);
        p.setBrush(bgrToColor(kSecondHandColor));
        p.drawEllipse(*g.ball);
        p.setBrush(Qt::NoBrush);
    }
    if (g.alarm)
        drawLine(p, *g.alarm);
}

} // namespace kiv

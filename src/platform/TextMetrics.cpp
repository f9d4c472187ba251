#include "TextMetrics.h"

#include <QFontMetrics>
#include <QPainter>

namespace kiv {

QSize AverageCharSize(const QFontMetrics &metrics)
{
    QString letters;
    for (char c = 'A'; c <= 'Z'; ++c)
        letters += QLatin1Char(c);
    for (char c = 'a'; c <= 'z'; ++c)
        letters += QLatin1Char(c);
    return QSize(metrics.horizontalAdvance(letters) / 52, metrics.height());
}

QSize AverageCharSize(const QPainter &painter)
{
    return AverageCharSize(painter.fontMetrics());
}

} // namespace kiv

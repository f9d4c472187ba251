#pragma once
// Measuring text in a drawing surface's font.

#include <QSize>

class QFontMetrics;
class QPainter;

namespace kiv {

// The average letter of "A".."Z" and "a".."z": width = their width div 52,
// height = the font's line height.
QSize AverageCharSize(const QFontMetrics &metrics);
QSize AverageCharSize(const QPainter &painter);

} // namespace kiv

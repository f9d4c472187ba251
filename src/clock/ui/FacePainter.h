#pragma once
// Paints a face geometry into an image: filled with the key colour first, then
// the ticks and hands without antialiasing (the window shape has one bit per pixel).

#include "ClockFace.h"

#include <QColor>
#include <QImage>

namespace kiv {

void paintClockFace(QImage &surface, const TClockFaceGeometry &g, const QColor &keyColor);

// The colour of everything that is not the face: the desktop's button-face colour.
QColor faceKeyColor();

} // namespace kiv

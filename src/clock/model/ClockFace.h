#pragma once
// The geometry of the analog face: where every tick mark and hand goes for a
// given time and size. Pure arithmetic, so it is tested without painting.

#include "DateTime.h"

#include <QPoint>
#include <QRect>
#include <optional>
#include <vector>

namespace kiv {

// Colours as 0x00BBGGRR.
constexpr unsigned kSecondHandColor = 0x0000FF; // red
constexpr unsigned kAlarmHandColor = 0xFF0000;  // blue

struct TFaceLine
{
    QPoint from; // a hand is drawn from its tip...
    QPoint to;   // ...to its tail
    int penWidth = 1;
    unsigned color = 0;
    bool operator==(const TFaceLine &) const = default;
};

struct TClockFaceGeometry
{
    std::vector<TFaceLine> ticks; // 12, starting at 3 o'clock, clockwise
    TFaceLine hour;
    TFaceLine minute;
    std::optional<TFaceLine> second;
    std::optional<QRect> ball;      // filled red circle at the second hand's tip
    std::optional<TFaceLine> alarm; // drawn last, over the other hands
};

struct TClockFaceInput
{
    unsigned color = 0;     // hands and ticks
    bool showSeconds = true;
    TDateTime time = 0;     // only the time of day counts
    int width = 88;
    int height = 88;
    bool alarmActive = false;
    TDateTime alarmTime = 0; // only the time of day counts
};

TClockFaceGeometry clockFaceGeometry(const TClockFaceInput &in);

// Rounds to the nearest integer, halves to the even neighbour.
int roundHalfEven(double v);

} // namespace kiv

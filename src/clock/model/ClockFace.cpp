#include "ClockFace.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kiv {

int roundHalfEven(double v)
{
    const double f = std::floor(v);
    const double diff = v - f;
    double r = f;
    if (diff > 0.5)
        r = f + 1;
    else if (diff == 0.5)
        r = std::fmod(f, 2.0) == 0 ? f : f + 1;
    return static_cast<int>(r);
}

namespace {

constexpr double kPi = std::numbers::pi;

struct Centre
{
    double cx;
    double cy;
    QPoint at(double rx, double ry, double a) const
    {
        return QPoint(roundHalfEven(cx + rx * std::cos(a)), roundHalfEven(cy + ry * std::sin(a)));
    }
};

// Tip at the given radii, tail on the opposite side at `tail`.
TFaceLine hand(const Centre &c, double a, double tipX, double tipY, double tail, int pen,
               unsigned color)
{
    return TFaceLine{c.at(tipX, tipY, a), c.at(tail, tail, a - kPi), pen, color};
}

} // namespace

TClockFaceGeometry clockFaceGeometry(const TClockFaceInput &in)
{
    const int W = in.width;
    const int cxi = W / 2;
    const int cyi = in.height / 2;
    const Centre c{double(cxi), double(cyi)};
    TClockFaceGeometry g;

    const int tickPen = std::max(W / 50, 1);
    for (int k = 0; k < 12; ++k) {
        const double a = k * kPi / 6;
        g.ticks.push_back(TFaceLine{c.at(0.8 * cxi, 0.8 * cyi, a), c.at(cxi, cyi, a), tickPen, in.color});
    }

    int hour = 0, minute = 0, second = 0, msec = 0;
    decodeTime(in.time, hour, minute, second, msec);

    const double h = (hour % 12) + minute / 60.0 + second / 3600.0;
    const double ha = h / 12 * 2 * kPi - kPi / 2;
    g.hour = hand(c, ha, cxi - W / 5, cyi - W / 5, W / 10, std::max(W / 14, 2), in.color);

    const double m = minute + second / 60.0;
    const double ma = m / 60 * 2 * kPi - kPi / 2;
    g.minute = hand(c, ma, cxi - W / 15, cyi - W / 15, W / 8, std::max(W / 20, 2), in.color);

    if (in.showSeconds) {
        const double sa = second / 60.0 * 2 * kPi - kPi / 2;
        const int K = W / 16;
        g.second = hand(c, sa, cxi - (3 * K) / 2, cyi - (3 * K) / 2, W / 12, std::max(W / 50, 1),
                        kSecondHandColor);
        const QPoint tip = g.second->from;
        g.ball = QRect(tip.x() - K, tip.y() - K, 2 * K, 2 * K);
    }

    if (in.alarmActive) {
        const double aa = timeOf(in.alarmTime) * 4 * kPi - kPi / 2;
        g.alarm = hand(c, aa, cxi - W / 5, cyi - W / 5, W / 10, std::max(W / 30, 1), kAlarmHandColor);
    }
    return g;
}

} // namespace kiv

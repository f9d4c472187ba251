#include "ClockRules.h"

#include <QtGlobal>
#include <algorithm>
#include <limits>

namespace kiv {

int entryToInt(const QString &entry)
{
    bool ok = false;
    const int v = entry.trimmed().toInt(&ok);
    return ok ? v : 0;
}

bool acceptOpacity(int value)
{
    return value > 24 && value <= 255;
}

bool acceptClockSize(int value, int workAreaHeight)
{
    return value >= kMinClockSize && value <= workAreaHeight;
}

std::optional<int> pageUpSize(int width)
{
    const int size = static_cast<int>(qint64(width) * 4 / 5);
    if (size < kMinClockSize)
        return std::nullopt;
    return size;
}

int pageDownSize(int width)
{
    // A width read from the file is not bounded: do not let it wrap.
    return static_cast<int>(std::min<qint64>(qint64(width) * 6 / 5, std::numeric_limits<int>::max()));
}

bool TTickCounter::tick()
{
    const bool due = TickCount > 20 && TickCount % 10 == 0;
    ++TickCount;
    return due;
}

} // namespace kiv

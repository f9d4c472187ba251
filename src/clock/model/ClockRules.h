#pragma once
// What the clock accepts from its dialogs and keys, and when its tick asks the
// calendar window to restate its z-order.

#include <QString>
#include <optional>

namespace kiv {

constexpr int kMinClockSize = 24;

// A dialog entry read as an integer; anything that is not a number counts as 0.
int entryToInt(const QString &entry);

// Opacity entries above 24 and up to 255.
bool acceptOpacity(int value);
// Sizes from 24 up to the height of the screen's work area.
bool acceptClockSize(int value, int workAreaHeight);

// Page Up shrinks by a fifth; nothing when that goes below the minimum.
std::optional<int> pageUpSize(int width);
// Page Down grows by a fifth (the size check still applies).
int pageDownSize(int width);

// Counts the clock's ticks. tick() is true on the ticks when the calendar
// window restates its stay-on-top state: counter values 30, 40, 50, ...
class TTickCounter
{
public:
    bool tick();
    int TickCount = 0;
};

} // namespace kiv

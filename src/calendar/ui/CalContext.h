#pragma once
// What the calendar's windows need from outside: the calendar, the questions,
// "now" and the regional settings.

#include "DateTime.h"
#include "Regional.h"

namespace kiv {

class IDialogs;
class TCalendarState;

struct TCalContext
{
    TCalendarState &cal;
    IDialogs &dialogs;
    const IClockSource &clock;
    TRegionalSettings rs;
};

} // namespace kiv

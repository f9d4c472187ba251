#pragma once
// The clock's links to the windows around it. Each is set by whoever builds
// that window; an empty link makes its menu item or key do nothing.

#include "DateTime.h"

#include <functional>

namespace kiv {

struct TClockLinks
{
    // Runs at the end of every face drawing (once per tick) with the time drawn.
    std::function<void(TDateTime now)> alarmCheck;
    // "Day Alarm" (F2).
    std::function<void()> showDayAlarm;
    // "Calendar" (F3) and a double click on the clock.
    std::function<void()> showCalendar;
    // On ticks 30, 40, 50, ...: the calendar window restates its stay-on-top state.
    std::function<void()> reapplyCalendarStayOnTop;
    // Shows or hides the desktop calendar.
    std::function<void(bool visible)> showDesktopCalendar;
    // "Contacts" (F5).
    std::function<void()> showContacts;
    // "Synchronisation" items.
    std::function<void()> ftpSetup;
    std::function<void()> ftpSynchronize;
    std::function<void()> ftpPut;
    std::function<void()> ftpGet;
    std::function<void()> outlookSynchronize;
    // "About...".
    std::function<void()> showAbout;
};

// Calls a link when it is set.
template <typename F, typename... A>
void callLink(const F &link, A &&...args)
{
    if (link)
        link(std::forward<A>(args)...);
}

} // namespace kiv

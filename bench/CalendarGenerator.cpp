#include "CalendarGenerator.h"

#include <QString>

#include <algorithm>
#include <cstdio>
#include <random>

namespace kiv::bench {

namespace {

const char *const kSummaries[] = {
    "Dentist", "Project review with the team", "Lunch with Anna", "Zahnarzt Dr. Müller",
    "Réunion budget", "Call the bank about the mortgage", "Yoga", "Kickoff: new release €",
    "Parents' evening", "Car service", "会议", "Flight to Lisbon",
};
const char *const kLocations[] = {
    "", "Main office", "Conference room 4", "Café Zentral", "Online", "Room 3", "Home",
};
const char *const kWords[] = {
    "agenda", "bring", "the", "slides", "and", "notes", "from", "last", "week", "budget",
    "über", "prüfen", "café", "confirm", "time", "with", "everyone", "before", "Friday", "€",
};

QByteArray stamp(int dayOffset, int minuteOfDay)
{
    // 2010-01-01 plus the offset, built without a date library for speed.
    static const int monthDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    int y = 2010, m = 0, d = dayOffset;
    for (;;) {
        const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
        const int len = monthDays[m] + (m == 1 && leap ? 1 : 0);
        if (d < len)
            break;
        d -= len;
        if (++m == 12) {
            m = 0;
            ++y;
        }
    }
    char buf[64];
    std::snprintf(buf, sizeof buf, "%04d%02d%02dT%02d%02d00", y, m + 1, d + 1, minuteOfDay / 60,
                  minuteOfDay % 60);
    return buf;
}

} // namespace

QByteArray generateXCal(int events, unsigned seed)
{
    std::mt19937 rng(seed);
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    QByteArray out;
    out.reserve(static_cast<qsizetype>(events) * 760 + 100);
    out += "<icalendar>\r\n  <vcalendar>\r\n";
    for (int i = 0; i < events; ++i) {
        const int day = pick(3650);
        const int start = pick(24 * 4) * 15;
        const bool multiDay = pick(20) == 0;
        const int endDay = multiDay ? day + 1 + pick(5) : day;
        const int end = multiDay ? start : std::min(start + 30 + pick(6) * 30, 23 * 60 + 59);
        out += "    <vevent>\r\n";
        const char *location = kLocations[pick(7)];
        if (*location) {
            out += "      <location>";
            out += location;
            out += "</location>\r\n";
        } else {
            out += "      <location/>\r\n";
        }
        out += "      <dtstart>" + stamp(day, start) + "</dtstart>\r\n";
        out += "      <dtend>" + stamp(endDay, end) + "</dtend>\r\n";
        out += "      <summary>";
        out += kSummaries[pick(12)];
        out += "</summary>\r\n";
        out += "      <last_modified>" + stamp(std::max(0, day - pick(30)), pick(1440)) +
               "</last_modified>\r\n";
        out += "      <valarm>\r\n        <trigger>-PT15M</trigger>\r\n        <action>DISPLAY</action>\r\n"
               "        <description>Reminder</description>\r\n      </valarm>\r\n";
        out += "      <description>";
        const int words = 25 + pick(25);
        for (int w = 0; w < words; ++w) {
            if (w)
                out += ' ';
            out += kWords[pick(20)];
        }
        out += "</description>\r\n";
        char uid[80];
        std::snprintf(uid, sizeof uid, "%08X%08X%08X%08X@kivclock.invalid", static_cast<unsigned>(rng()),
                      static_cast<unsigned>(rng()), static_cast<unsigned>(rng()), static_cast<unsigned>(i));
        out += "      <uid>";
        out += uid;
        out += "</uid>\r\n    </vevent>\r\n";
    }
    out += "  </vcalendar>\r\n</icalendar>\r\n";
    return out;
}

} // namespace kiv::bench

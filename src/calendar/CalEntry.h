#pragma once
// One appointment of the calendar and the small day tag of the month grid.
// Date-times are local days since 30 December 1899 (DateTime.h).

#include "DateTime.h"
#include "Regional.h"
#include "XCalTypes.h"

#include <QString>
#include <cstdint>

namespace kiv {

// The domain after "@" in every UID this program makes.
inline constexpr const char *kKivGuidDomain = "kivclock.invalid";

// The alarm as read from a calendar file. Stored and exchanged, never acted on.
struct TVAlarm
{
    QString Action;
    QString Trigger;
    QString Description;
};

// Day number of B <= A < day number of B + 1. Decides whether an appointment
// read from a file is whole-day (start and end not on the same day).
bool IsSameDay(TDateTime a, TDateTime b);

class TCalEntry
{
public:
    // Create: starts now, ends 15 minutes later, summary "Your Date", the
    // default alarm and a fresh UID; no event element.
    TCalEntry();
    explicit TCalEntry(const IClockSource &clock);
    // Every field empty or 0 and no UID: for readers that fill all of it.
    struct Blank {};
    explicit TCalEntry(Blank) {}

    // Copies the times, the event element, WholeDay, Location, Summary and
    // the alarm; LastModified, Description, UID and the reminder stay.
    void Assign(const TCalEntry &AEntry);

    // "10.07.2011 09:00 - 10:30\r\nDentist\r\n@Main office"; the date form
    // "10.07.2011 - 11.07.2011\r\n..." when start and end are on other days.
    QString Text(const TRegionalSettings &rs) const;

    // 32 uppercase hexadecimal digits, "@", kKivGuidDomain.
    static QString CreateKivGuid();

    TDateTime StartTime = 0;
    TDateTime EndTime = 0;     // may lie before StartTime
    TDateTime LastModified = 0;
    bool WholeDay = false;
    QString Location;
    QString Description;
    QString Summary;
    QString UID;
    bool Reminder = false;
    std::uint32_t ReminderMinutes = 0;
    TVAlarm VAlarm;
    // The entry's vevent element, owned by the calendar document; null when
    // the entry has none.
    TXMLVeventType xmlEvent;
};

// The date a day cell of the month grid shows.
class TDateItem
{
public:
    explicit TDateItem(TDateTime ADate) : date(ADate) {}
    TDateTime date;
};

} // namespace kiv

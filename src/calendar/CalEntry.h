#pragma once
// One appointment of the calendar and the small day tag of the month grid.
// Date-times are local days since 30 December 1899 (DateTime.h).

#include "DateTime.h"
#include "Regional.h"
#include "XCalTypes.h"

#include <QString>
#include <atomic>
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

// StartTime and EndTime of an entry: read and written like a TDateTime. Every
// write counts as a change, so entry lists know their cached day keys are
// stale (the editor changes entries in place, without telling any list).
class TEntryTime
{
public:
    TEntryTime(TDateTime v = 0) : m_value(v) {} // implicit, like the number it holds
    TEntryTime(const TEntryTime &other) : m_value(other.m_value) {}
    TEntryTime &operator=(TDateTime v)
    {
        m_value = v;
        s_changes.fetch_add(1, std::memory_order_relaxed);
        return *this;
    }
    TEntryTime &operator=(const TEntryTime &other) { return *this = other.m_value; }
    TEntryTime &operator+=(TDateTime d) { return *this = m_value + d; }
    TEntryTime &operator-=(TDateTime d) { return *this = m_value - d; }
    operator TDateTime() const { return m_value; }
    TDateTime value() const { return m_value; }

    // Grows with every write to any entry time.
    static std::uint64_t changeCount() { return s_changes.load(std::memory_order_relaxed); }

private:
    TDateTime m_value;
    static inline std::atomic<std::uint64_t> s_changes{0};
};

// A text of an entry that the calendar only carries (Description): until it is
// set, it is read from the event element it came from, so a big calendar does
// not hold every description twice. Reads and writes like a QString.
class TEventText
{
public:
    TEventText() = default;
    TEventText(const QString &text) : m_text(text) {}
    TEventText &operator=(const QString &text)
    {
        m_text = text;
        m_source = TXMLElement();
        return *this;
    }
    // Read from `element` from now on (until the next assignment).
    void readFrom(const TXMLElement &element)
    {
        m_text.clear();
        m_source = element;
    }
    QString text() const { return m_source ? m_source.text() : m_text; }
    operator QString() const { return text(); }
    bool isEmpty() const { return text().isEmpty(); }
    friend bool operator==(const TEventText &a, const QString &b) { return a.text() == b; }

private:
    QString m_text;
    TXMLElement m_source;
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

    TEntryTime StartTime = 0;
    TEntryTime EndTime = 0;    // may lie before StartTime
    TDateTime LastModified = 0;
    bool WholeDay = false;
    QString Location;
    TEventText Description;    // carried from and to files, not shown
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

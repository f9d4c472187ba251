#pragma once
// Date-times as the program stores them: a double counting days since
// 30 December 1899, the fraction being the time of day (local time unless
// said otherwise). The day of a date-time is its value truncated toward zero.

#include "Regional.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <cstdint>

namespace kiv {

using TDateTime = double;

constexpr std::int64_t kMSecsPerDay = 86400000;

bool isLeapYear(int year);
int daysInMonth(int year, int month);

bool tryEncodeDate(int year, int month, int day, TDateTime &out);
bool tryEncodeTime(int hour, int min, int sec, int msec, TDateTime &out);
// Throw KivError for an invalid date or time.
TDateTime encodeDate(int year, int month, int day);
TDateTime encodeTime(int hour, int min, int sec, int msec = 0);
// A date plus a time of day (for days before 1899-12-30 the time counts away from zero).
TDateTime combineDateTime(TDateTime date, TDateTime time);
TDateTime encodeDateTime(int year, int month, int day, int hour, int min, int sec, int msec = 0);

void decodeDate(TDateTime dt, int &year, int &month, int &day);
void decodeTime(TDateTime dt, int &hour, int &min, int &sec, int &msec);

std::int64_t dayNumber(TDateTime dt);  // truncation toward zero
TDateTime dateOf(TDateTime dt);        // the day as a date-time at 00:00
TDateTime timeOf(TDateTime dt);        // the time of day, 0 <= t < 1
bool isSameDay(TDateTime a, TDateTime b);

// Month arithmetic: the day is kept, or clamped to the end of the target month.
TDateTime incMonth(TDateTime dt, int months = 1);

int dayOfWeek(TDateTime dt);    // 1 = Sunday .. 7 = Saturday
int dayOfWeekIso(TDateTime dt); // 1 = Monday .. 7 = Sunday
int weekOfYearIso(TDateTime dt, int *isoYear = nullptr);

QDate toQDate(TDateTime dt);
TDateTime fromQDate(const QDate &date);
QTime toQTime(TDateTime dt);
TDateTime fromQTime(const QTime &time);
QDateTime toQDateTime(TDateTime dt); // local time
TDateTime fromQDateTime(const QDateTime &dt); // the date-time's local date and time

// Formats with the letters of the program's format strings: y yy yyyy, m mm mmm mmmm
// (m after h means minutes), d dd ddd dddd, ddddd (short date), dddddd (long date),
// h hh, n nn, s ss, z zzz, t (short time), tt (long time), c, am/pm, a/p, ampm,
// "/" and ":" (the separators) and text in single or double quotes.
QString formatDateTime(const QString &format, TDateTime dt, const TRegionalSettings &rs);

// Reads a time of day as the user types it in the long time format: hours,
// optional minutes, seconds and milliseconds with the time separator, and an
// optional AM/PM designator before or after.
bool tryParseTime(const QString &text, const TRegionalSettings &rs, TDateTime &out);
// Reads a date in the order of the short date format.
bool tryParseDate(const QString &text, const TRegionalSettings &rs, TDateTime &out);

// "Now", injectable for tests.
class IClockSource
{
public:
    virtual ~IClockSource() = default;
    virtual TDateTime now() const = 0;
};

class SystemClock : public IClockSource
{
public:
    TDateTime now() const override;
};

class FixedClock : public IClockSource
{
public:
    explicit FixedClock(TDateTime t = 0) : m_now(t) {}
    TDateTime now() const override { return m_now; }
    void set(TDateTime t) { m_now = t; }

private:
    TDateTime m_now;
};

} // namespace kiv

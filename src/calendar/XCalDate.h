#pragma once
// The date-time text of the calendar file: "yyyymmdd", "T", "hhnnss" and an
// optional "Z" for UTC; and the machine's time-zone conversion.

#include "DateTime.h"

#include <QString>

namespace kiv {

// "20110710" (00:00), "20110710T090000" (local) and "20110710T120000Z" (UTC,
// returned as local time). Empty or short texts whose pieces are not numbers
// read as 0. Throws KivError for a date or time that does not exist (month 13,
// 30 February, hour 24) or a time piece that is not a number. Time pieces cut
// off by the end of the text read as 0 ("20110710T1200" is 12:00).
TDateTime ParseXCalDate(const QString &text);

// "yyyymmddThhnnss", with "Z" after converting to UTC when asUTC; fractions of
// a second are dropped.
QString FormatXCalDate(bool asUTC, TDateTime value);

// Conversion by the machine's time-zone rules (TZ) that are in force on the
// given date, daylight saving included; milliseconds are kept. A local time
// skipped by the change to daylight saving is read with the offset in force
// before the change (02:30 counts as 03:30 daylight time).
TDateTime UTCToLocal(TDateTime utc);
TDateTime LocalToUTC(TDateTime local);

} // namespace kiv

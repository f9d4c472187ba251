#include "CalEntry.h"

#include "TextTools.h"
#include "WinTools.h"

#include <cmath>

namespace kiv {

bool IsSameDay(TDateTime a, TDateTime b)
{
    const double day = std::trunc(b);
    return day <= a && a < day + 1;
}

TCalEntry::TCalEntry() : TCalEntry(SystemClock())
{
}

TCalEntry::TCalEntry(const IClockSource &clock)
{
    StartTime = clock.now();
    EndTime = clock.now() + 15.0 / (24 * 60);
    WholeDay = false;
    Summary = QStringLiteral("Your Date");
    VAlarm = {QStringLiteral("DISPLAY"), QStringLiteral("-PT15M"), QStringLiteral("Reminder")};
    UID = CreateKivGuid();
}

void TCalEntry::Assign(const TCalEntry &AEntry)
{
    StartTime = AEntry.StartTime;
    EndTime = AEntry.EndTime;
    xmlEvent = AEntry.xmlEvent;
    WholeDay = AEntry.WholeDay;
    Location = AEntry.Location;
    Summary = AEntry.Summary;
    VAlarm = AEntry.VAlarm;
}

QString TCalEntry::Text(const TRegionalSettings &rs) const
{
    const QString shortDate = QStringLiteral("ddddd");
    // Always a colon, whatever the regional time separator.
    const QString hhnn = QStringLiteral("hh':'nn");
    QString text;
    if (isSameDay(StartTime, EndTime)) {
        text = formatDateTime(shortDate, StartTime, rs) + QLatin1Char(' ') +
               formatDateTime(hhnn, StartTime, rs) + QStringLiteral(" - ") +
               formatDateTime(hhnn, EndTime, rs);
    } else {
        text = formatDateTime(shortDate, StartTime, rs) + QStringLiteral(" - ") +
               formatDateTime(shortDate, EndTime, rs);
    }
    text += QStringLiteral("\r\n") + Summary;
    if (!IsBlank(Location))
        text += QStringLiteral("\r\n@") + Location;
    return text;
}

QString TCalEntry::CreateKivGuid()
{
    return NewGuid().toString(QUuid::Id128).toUpper() + QLatin1Char('@') +
           QLatin1String(kKivGuidDomain);
}

} // namespace kiv

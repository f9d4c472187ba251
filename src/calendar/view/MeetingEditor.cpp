#include "MeetingEditor.h"

#include "CalendarState.h"
#include "Dialogs.h"
#include "XCalDate.h"

#include <algorithm>

namespace kiv {

const QStringList &reminderCaptions()
{
    static const QStringList captions = {
        QStringLiteral("15 min"), QStringLiteral("30 min"), QStringLiteral("45 min"), QStringLiteral("1 h"),
        QStringLiteral("2 h"),    QStringLiteral("3 h"),    QStringLiteral("4 h"),    QStringLiteral("5 h"),
        QStringLiteral("1 day"),  QStringLiteral("2 days"), QStringLiteral("3 days"), QStringLiteral("1 week"),
        QStringLiteral("2 weeks")};
    return captions;
}

const QStringList &reminderTriggers()
{
    static const QStringList triggers = {
        QStringLiteral("-PT15M"), QStringLiteral("-PT30M"), QStringLiteral("-PT45M"), QStringLiteral("-PT1H"),
        QStringLiteral("-PT2H"),  QStringLiteral("-PT3H"),  QStringLiteral("-PT4H"),  QStringLiteral("-PT5H"),
        QStringLiteral("-P1D"),   QStringLiteral("-P2D"),   QStringLiteral("-P3D"),   QStringLiteral("-P1W"),
        QStringLiteral("-P2W")};
    return triggers;
}

int reminderIndex(const QString &trigger)
{
    if (trigger == QLatin1String("P1W"))
        return static_cast<int>(reminderTriggers().indexOf(QStringLiteral("-P1W")));
    return static_cast<int>(reminderTriggers().indexOf(trigger));
}

THourRows hourRowsFor(TDateTime start, TDateTime end)
{
    int h1, h2, n, s, ms;
    decodeTime(start, h1, n, s, ms);
    decodeTime(end, h2, n, s, ms);
    THourRows rows;
    rows.first = h1;
    rows.last = std::max(h1, h2 - 1);
    rows.top = std::max(0, h1 - 3);
    return rows;
}

std::optional<THourTimes> hourTimesFor(int firstRow, int lastRow)
{
    if (firstRow < 1 || lastRow < 1)
        return std::nullopt;
    return THourTimes{encodeTime(firstRow, 0, 0), encodeTime(std::min(lastRow + 1, 23), 0, 0)};
}

TMeetingValues valuesOf(const TCalEntry &entry, int previousReminderIndex)
{
    TMeetingValues v;
    v.memo = entry.Summary;
    v.location = entry.Location;
    v.startDate = entry.StartTime;
    v.startTime = entry.StartTime;
    v.endDate = entry.EndTime;
    v.endTime = entry.EndTime;
    v.wholeDay = entry.WholeDay;
    // Reading the trigger adds empty "valarm" and "trigger" elements when missing.
    const QString trigger = entry.xmlEvent ? entry.xmlEvent.Valarm().Trigger() : QString();
    v.reminder = !trigger.isEmpty();
    v.reminderIndex = v.reminder ? reminderIndex(trigger) : previousReminderIndex;
    return v;
}

void writeMeeting(TCalendarState &cal, TCalEntry &entry, const TMeetingValues &values, TDateTime now)
{
    entry.Summary = values.memo;
    entry.StartTime = combineDateTime(dateOf(values.startDate), timeOf(values.startTime));
    entry.EndTime = combineDateTime(dateOf(values.endDate), timeOf(values.endTime));
    entry.LastModified = now;
    entry.WholeDay = values.wholeDay;
    entry.Location = values.location;
    if (!entry.xmlEvent || !entry.xmlEvent.isAttached())
        entry.xmlEvent = cal.XCalDoc->Vcalendar().Vevent().Add();
    const TXMLVeventType &ev = entry.xmlEvent;
    ev.setLocation(values.location);
    ev.Dtstart().setText(FormatXCalDate(false, entry.StartTime));
    ev.Dtend().setText(FormatXCalDate(false, entry.EndTime));
    ev.setSummary(values.memo);
    ev.setLast_modified(FormatXCalDate(false, entry.LastModified));
    const TXMLValarmType alarm = ev.Valarm();
    if (!values.reminder) {
        alarm.setTrigger(QString());
        entry.VAlarm.Trigger.clear();
    } else if (values.reminderIndex >= 0 && values.reminderIndex < reminderTriggers().size()) {
        alarm.setTrigger(reminderTriggers().at(values.reminderIndex));
        alarm.setAction(QStringLiteral("DISPLAY"));
        alarm.setDescription(QStringLiteral("Reminder"));
        entry.VAlarm = {alarm.Action(), alarm.Trigger(), alarm.Description()};
    }
    // A reminder read from a file whose lead time is not one of ours stays as it was.
    cal.save();
}

QString deleteQuestion(const TCalEntry &entry, const TRegionalSettings &rs)
{
    return QStringLiteral("Do you want to delete following item\r\n\r\n%1?\r\n").arg(entry.Text(rs));
}

bool deleteMeeting(TCalendarState &cal, IDialogs &dialogs, const TRegionalSettings &rs, TCalEntry *entry,
                   TCalEntry *&next)
{
    const int i = entry ? cal.CalList.IndexOf(entry) : -1;
    if (i < 0)
        return false;
    if (dialogs.MessageDlg(deleteQuestion(*entry, rs), TMsgDlgType::mtConfirmation, mbOK | mbCancel) != mrOk)
        return false;
    cal.removeEntry(entry);
    const int count = cal.CalList.Count();
    next = count == 0 ? nullptr : cal.CalList.Get(std::min(i, count - 1));
    cal.save();
    return true;
}

TCalEntry *neighbourEntry(const TCalList &list, const TCalEntry *entry, int step)
{
    const int i = entry ? list.IndexOf(entry) : -1;
    const int j = i + step;
    if (step > 0 && i < list.Count() - 1)
        return list.Get(j);
    if (step < 0 && i > 0)
        return list.Get(j);
    return nullptr;
}

} // namespace kiv

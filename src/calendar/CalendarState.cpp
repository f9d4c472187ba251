#include "CalendarState.h"

#include "Dialogs.h"
#include "KivError.h"
#include "WinTools.h"
#include "XCalDate.h"

#include <QFileInfo>

#include <algorithm>
#include <memory>

namespace kiv {

namespace {

QString freeKeepName(const QString &fileName)
{
    const QString base = fileName + QStringLiteral(".damaged");
    QString name = base;
    for (int i = 1; QFileInfo::exists(name); ++i)
        name = base + QLatin1Char('.') + QString::number(i);
    return name;
}

// An invalid date text names its event, so the user can find it in the file.
TDateTime eventDate(const TXMLElement &element, const TXMLVeventType &event, int index)
{
    try {
        return ParseXCalDate(element.text());
    } catch (const KivError &e) {
        const int line = event.lineNumber();
        throw KivError(QStringLiteral("event %1%2, \"%3\": %4")
                           .arg(index + 1)
                           .arg(line > 0 ? QStringLiteral(" (line %1)").arg(line) : QString())
                           .arg(element.name(), e.message()));
    }
}

// The events of a document as entries in start order, each made by `fill`
// from its event and dates. The dates of all events are read first (an invalid
// one throws before anything is made); the entries are then allocated one
// after another in list order, so walks over the list read memory in order.
struct EventDates
{
    TDateTime start, end, modified;
    TXMLVeventType event;
};

template <typename Fill>
std::vector<TCalEntry *> entriesOf(TXCalDocument &doc, Fill fill)
{
    const TXMLVeventTypeList events = doc.Vcalendar().Vevent();
    std::vector<EventDates> dates;
    dates.reserve(static_cast<size_t>(events.Count()));
    int index = 0;
    for (const TXMLVeventType &v : events) {
        dates.push_back({eventDate(v.Dtstart(), v, index), eventDate(v.Dtend(), v, index),
                         eventDate(v.child("last_modified"), v, index), v});
        ++index;
    }
    std::stable_sort(dates.begin(), dates.end(),
                     [](const EventDates &a, const EventDates &b) { return a.start < b.start; });
    std::vector<std::unique_ptr<TCalEntry>> made;
    made.reserve(dates.size());
    for (size_t i = 0; i < dates.size(); ++i)
        made.push_back(std::make_unique<TCalEntry>(TCalEntry::Blank{}));
    for (size_t i = 0; i < dates.size(); ++i)
        fill(*made[i], dates[i]);
    std::vector<TCalEntry *> entries;
    entries.reserve(made.size());
    for (auto &e : made)
        entries.push_back(e.release());
    return entries;
}

} // namespace

QString TCalStartResult::message(const QString &fileName) const
{
    return QStringLiteral("The calendar file \"%1\" cannot be loaded: %2.\r\n\r\n"
                          "The calendar starts empty. Before anything is saved, the file is kept as \"%3\".")
        .arg(fileName, reason, keptAs);
}

void TCalList::ReadFromXCal(TXCalDocument *XCal)
{
    if (!XCal)
        return;
    AddAll(entriesOf(*XCal, [](TCalEntry &entry, const EventDates &d) {
        const TXMLVeventType &v = d.event;
        entry.UID = TCalEntry::CreateKivGuid();
        entry.StartTime = d.start;
        entry.EndTime = d.end; // no correction here
        entry.LastModified = d.modified;
        entry.WholeDay = !IsSameDay(d.start, d.end);
        entry.Summary = v.Summary();
        entry.Location = v.Location();
        entry.Description.readFrom(v.child("description"));
        entry.xmlEvent = v;
        const TXMLValarmType alarm = v.Valarm();
        entry.VAlarm.Action = alarm.Action();
        entry.VAlarm.Trigger = alarm.Trigger();
        entry.VAlarm.Description = alarm.Description();
    }));
}

void TCalendarState::LoadCalList()
{
    CalList.Clear();
    if (!XCalDoc)
        return;
    CalList.AddAll(entriesOf(*XCalDoc, [](TCalEntry &entry, const EventDates &d) {
        const TXMLVeventType &v = d.event;
        // What Create gives, without its clock and UID, which are replaced anyway.
        entry.VAlarm = {QStringLiteral("DISPLAY"), QStringLiteral("-PT15M"), QStringLiteral("Reminder")};
        entry.StartTime = d.start;
        entry.EndTime = d.start > d.end ? d.start : d.end;
        entry.LastModified = d.modified;
        entry.WholeDay = !IsSameDay(d.start, d.end); // from the times as read
        entry.Summary = v.Summary();
        entry.Location = v.Location();
        entry.Description.readFrom(v.child("description"));
        entry.xmlEvent = v;
        entry.UID = v.Uid();
        if (entry.UID.isEmpty()) {
            entry.UID = TCalEntry::CreateKivGuid();
            v.setUid(entry.UID);
        }
    }));
}

TCalStartResult TCalendarState::startUp(const QString &calFileName)
{
    CalList.Clear();
    if (XCalDoc)
        return {TCalStartResult::Loaded, {}, {}};
    CalFileName = calFileName;
    if (!QFileInfo::exists(CalFileName)) {
        XCalDoc = NewXCal();
        LoadCalList();
        return {TCalStartResult::Created, {}, {}};
    }
    TCalStartResult result;
    try {
        XCalDoc = LoadXCal(CalFileName);
        LoadCalList();
        return {TCalStartResult::Loaded, {}, {}};
    } catch (const KivError &e) {
        CalList.Clear();
        XCalDoc.reset();
        result.kind = TCalStartResult::Damaged;
        result.reason = e.message();
        result.keptAs = freeKeepName(CalFileName);
    }
    XCalDoc = NewXCal();
    XCalDoc->keepBeforeFirstSave(CalFileName, result.keptAs);
    LoadCalList();
    return result;
}

void TCalendarState::startUp(const TAppPaths &paths, IDialogs &dialogs)
{
    const TCalStartResult r = startUp(paths.withExtension(QStringLiteral(".xml")));
    if (r.kind == TCalStartResult::Damaged)
        dialogs.MessageDlg(r.message(CalFileName), TMsgDlgType::mtError, mbOK);
}

void TCalendarState::save()
{
    SaveXCal(CalFileName, XCalDoc.get());
}

void TCalendarState::removeEntry(TCalEntry *entry)
{
    if (!entry)
        return;
    if (XCalDoc && entry->xmlEvent) {
        TXMLVeventTypeList events = XCalDoc->Vcalendar().Vevent();
        events.Remove(entry->xmlEvent);
    }
    CalList.Remove(entry);
}

void TCalendarState::reload()
{
    TXCalDocumentPtr fresh = LoadXCal(CalFileName);
    // Entries refer to elements of the old document: they go before it does.
    TXCalDocumentPtr old = std::exchange(XCalDoc, std::move(fresh));
    CalList.Clear();
    try {
        LoadCalList();
    } catch (...) {
        CalList.Clear();
        XCalDoc = std::move(old);
        LoadCalList();
        throw;
    }
}

} // namespace kiv

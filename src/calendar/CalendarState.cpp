#include "CalendarState.h"

#include "Dialogs.h"
#include "KivError.h"
#include "WinTools.h"
#include "XCalDate.h"

#include <QFileInfo>

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

// Reads the three date-times of an event: start, end, last change.
void readDates(const TXMLVeventType &v, int index, TDateTime &s, TDateTime &e, TDateTime &m)
{
    s = eventDate(v.Dtstart(), v, index);
    e = eventDate(v.Dtend(), v, index);
    m = eventDate(v.child("last_modified"), v, index);
}

// Owns entries until they are handed to a list, so a throw loses nothing.
struct PendingEntries
{
    std::vector<TCalEntry *> items;
    ~PendingEntries()
    {
        for (TCalEntry *e : items)
            delete e;
    }
    std::vector<TCalEntry *> release() { return std::exchange(items, {}); }
};

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
    const TXMLVeventTypeList events = XCal->Vcalendar().Vevent();
    PendingEntries pending;
    pending.items.reserve(static_cast<size_t>(events.Count()));
    int index = 0;
    for (const TXMLVeventType &v : events) {
        TDateTime s, e, m;
        readDates(v, index++, s, e, m);
        auto *entry = new TCalEntry(TCalEntry::Blank{});
        pending.items.push_back(entry);
        entry->UID = TCalEntry::CreateKivGuid();
        entry->StartTime = s;
        entry->EndTime = e;
        entry->LastModified = m;
        entry->WholeDay = !IsSameDay(s, e);
        entry->Summary = v.Summary();
        entry->Location = v.Location();
        entry->Description = v.Description();
        entry->xmlEvent = v;
        const TXMLValarmType alarm = v.Valarm();
        entry->VAlarm.Action = alarm.Action();
        entry->VAlarm.Trigger = alarm.Trigger();
        entry->VAlarm.Description = alarm.Description();
    }
    AddAll(pending.release());
}

void TCalendarState::LoadCalList()
{
    CalList.Clear();
    if (!XCalDoc)
        return;
    const TXMLVeventTypeList events = XCalDoc->Vcalendar().Vevent();
    PendingEntries pending;
    pending.items.reserve(static_cast<size_t>(events.Count()));
    int index = 0;
    for (const TXMLVeventType &v : events) {
        TDateTime s, e, m;
        readDates(v, index++, s, e, m);
        // What Create gives, without its clock and UID, which are replaced anyway.
        auto *entry = new TCalEntry(TCalEntry::Blank{});
        pending.items.push_back(entry);
        entry->VAlarm = {QStringLiteral("DISPLAY"), QStringLiteral("-PT15M"), QStringLiteral("Reminder")};
        entry->StartTime = s;
        entry->EndTime = s > e ? s : e;
        entry->LastModified = m;
        entry->WholeDay = !IsSameDay(s, e);
        entry->Summary = v.Summary();
        entry->Location = v.Location();
        entry->Description = v.Description();
        entry->xmlEvent = v;
        entry->UID = v.Uid();
        if (entry->UID.isEmpty()) {
            entry->UID = TCalEntry::CreateKivGuid();
            v.setUid(entry->UID);
        }
    }
    CalList.AddAll(pending.release());
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

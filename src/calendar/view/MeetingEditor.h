#pragma once
// The appointment editor's rules without a display: the reminder lead times,
// the hour grid, what OK writes and in which order, Delete, << and >>.

#include "CalEntry.h"
#include "DateTime.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace kiv {

class IDialogs;
class TCalendarState;
class TCalList;

// Reminder lead times: every caption has exactly one trigger value.
const QStringList &reminderCaptions();
const QStringList &reminderTriggers();
// The position of a stored trigger text, -1 when it is not one of ours.
// "P1W" (without the minus, found in existing files) is "1 week".
int reminderIndex(const QString &trigger);

// The hour rows to select for an appointment and the first visible row.
struct THourRows
{
    int first = 0;
    int last = 0;
    int top = 0;
};
// Rows from the start hour to the end hour minus one; a reversed range (end
// hour 0 or not after the start hour) selects only the start row.
THourRows hourRowsFor(TDateTime start, TDateTime end);
// What a selection of rows first..last in the hour grid sets the time pickers
// to; none when the row "0" is part of it.
struct THourTimes
{
    TDateTime start = 0;
    TDateTime end = 0;
};
std::optional<THourTimes> hourTimesFor(int firstRow, int lastRow);

// The dialog's values as OK reads them.
struct TMeetingValues
{
    QString memo;
    QString location;
    TDateTime startDate = 0;
    TDateTime startTime = 0;
    TDateTime endDate = 0;
    TDateTime endTime = 0;
    bool wholeDay = false;
    bool reminder = false;
    int reminderIndex = -1; // position in reminderCaptions(), -1: none
};

// What the dialog shows for an entry (SetCalEntry).
TMeetingValues valuesOf(const TCalEntry &entry, int previousReminderIndex);

// OK: writes the values into the entry and its event element (appending one
// to the document when the entry has none), in the order location, dtstart,
// dtend, summary, last_modified, valarm, and saves the calendar file.
void writeMeeting(TCalendarState &cal, TCalEntry &entry, const TMeetingValues &values, TDateTime now);

// "Do you want to delete following item ..." with the entry's text.
QString deleteQuestion(const TCalEntry &entry, const TRegionalSettings &rs);

// Delete in the editor. Does nothing (returns false) when the entry is not in
// the calendar or the user does not confirm. Otherwise removes it, saves the
// file and sets `next` to the entry to show now (the one at its position, the
// last when it was the last, none when the calendar is empty).
bool deleteMeeting(TCalendarState &cal, IDialogs &dialogs, const TRegionalSettings &rs, TCalEntry *entry,
                   TCalEntry *&next);

// << and >>: the neighbour of the entry in the list, none at either end.
// An entry not in the list has the first entry as its next and no previous.
TCalEntry *neighbourEntry(const TCalList &list, const TCalEntry *entry, int step);

} // namespace kiv

#pragma once
// A calendar in a temporary folder, with helpers to add appointments the way
// the editor does, for the tests of the calendar's commands and windows.

#include "CalFrameCommands.h"
#include "CalendarState.h"
#include "Dialogs.h"
#include "MeetingEditor.h"
#include "TestSupport.h"
#include "WinTools.h"
#include "XCalDate.h"

#include <QFile>
#include <functional>
#include <vector>

namespace kiv::test {

struct TCalRig
{
    TCalRig() : paths(dir.file(QStringLiteral("kivclock"))) { cal.startUp(paths.withExtension(QStringLiteral(".xml"))); }

    // An appointment written into the document and the file, then listed.
    TCalEntry *add(TDateTime start, TDateTime end, const QString &summary, const QString &location = {})
    {
        auto *e = new TCalEntry(clock);
        TMeetingValues v;
        v.memo = summary;
        v.location = location;
        v.startDate = v.startTime = start;
        v.endDate = v.endTime = end;
        writeMeeting(cal, *e, v, clock.now());
        cal.CalList.Add(e);
        return e;
    }
    QString fileText() const { return QString::fromUtf8(readAll(cal.CalFileName)); }
    // The calendar file loaded afresh.
    int eventsInFile() const
    {
        TCalendarState again;
        again.startUp(cal.CalFileName);
        return again.CalList.Count();
    }

    TempDir dir;
    TAppPaths paths;
    FixedClock clock{encodeDateTime(2011, 7, 20, 15, 0, 0)};
    ScriptedDialogs dialogs;
    TRegionalSettings rs = TRegionalSettings::german();
    TCalendarState cal;
};

// Plays the user in the editor: records what it was given and answers.
struct ScriptedEditor : IMeetingEditor
{
    Result runModal(TCalEntry *entry) override
    {
        shown.push_back(entry);
        if (onRun)
            return onRun(entry);
        return Result{ok, entry};
    }
    std::vector<TCalEntry *> shown;
    bool ok = false;
    std::function<Result(TCalEntry *)> onRun;
};

inline TDateTime jul(int day, int h = 0, int n = 0)
{
    return encodeDateTime(2011, 7, day, h, n, 0);
}

} // namespace kiv::test

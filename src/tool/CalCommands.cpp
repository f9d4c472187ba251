// Calendar commands: the calendar file read exactly as the program reads it at start.

#include "ToolCommand.h"

#include "CalendarState.h"
#include "KivError.h"
#include "TextTools.h"
#include "XCalDate.h"

#include <QFileInfo>

namespace kiv::tool {

namespace {

// Start-up on FILE; returns false (after the error line) when it cannot be loaded.
bool startUp(TCalendarState &state, const QString &file, int &status)
{
    if (!QFileInfo(file).isFile()) {
        status = fail(file, QStringLiteral("no such file"));
        return false;
    }
    const TCalStartResult r = state.startUp(file);
    if (r.kind == TCalStartResult::Damaged) {
        status = fail(file, r.reason);
        return false;
    }
    return true;
}

} // namespace

int calList(const QStringList &arguments)
{
    const QString &file = arguments.at(0);
    TCalendarState state;
    int status = 0;
    if (!startUp(state, file, status))
        return status;
    QByteArray text;
    const QChar tab = QLatin1Char('\t');
    for (const TCalEntry *e : state.CalList) {
        const QString line = FormatXCalDate(false, e->StartTime) + tab + FormatXCalDate(false, e->EndTime) +
                             tab + (e->WholeDay ? QLatin1Char('W') : QLatin1Char('-')) + tab + e->UID + tab +
                             EscapeCtrl(e->Summary) + tab + EscapeCtrl(e->Location) + tab +
                             EscapeCtrl(e->Description) + QLatin1Char('\n');
        text += line.toUtf8();
        if (text.size() > (1 << 16)) {
            out(text);
            text.clear();
        }
    }
    out(text);
    return 0;
}

int calResave(const QStringList &arguments)
{
    const QString &file = arguments.at(0);
    const QString &target = arguments.at(1);
    TCalendarState state;
    int status = 0;
    if (!startUp(state, file, status))
        return status;
    try {
        SaveXCal(target, state.XCalDoc.get());
    } catch (const KivError &e) {
        return fail(target, e.message());
    }
    return 0;
}

} // namespace kiv::tool

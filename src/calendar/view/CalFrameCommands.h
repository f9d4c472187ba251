#pragma once
// The month view's appointment commands without a display: New, Edit, Delete
// and the one-entry clipboard (Copy, Cut, Paste). The editor is reached
// through IMeetingEditor, so tests script it.

#include "CalEntry.h"

#include <memory>

namespace kiv {

class IClockSource;
class IDialogs;
class TCalendarState;
class TMonthGrid;
struct TRegionalSettings;

class IMeetingEditor
{
public:
    virtual ~IMeetingEditor() = default;
    struct Result
    {
        bool ok = false;
        // The entry the dialog showed when it closed: another one when the
        // user moved with << or >>, none after deleting the last one.
        TCalEntry *shown = nullptr;
    };
    // Shows the entry (CalEntry) and runs the editor modally.
    virtual Result runModal(TCalEntry *entry) = 0;
};

class TCalFrameCommands
{
public:
    TCalFrameCommands(TCalendarState &cal, IDialogs &dialogs, const IClockSource &clock,
                      const TRegionalSettings &rs, TMonthGrid &grid, IMeetingEditor &editor);
    ~TCalFrameCommands();

    // New: an appointment for the selected range.
    void Add1Click();
    // Edit: the first appointment covering the selected day, else the nearest
    // one; a new one only when the calendar is empty.
    void Edit2Click();
    // Delete: the first appointment starting on the selection's first day and
    // ending on its last. True when one was deleted and the
    // file written (the caller refills the grid).
    bool Edit1Click();
    void Copy1Click();
    // As Copy, then the appointment leaves the document and the list; the file
    // is not written until the next save.
    void Cut1Click();
    void Paste1Click();

    const TCalEntry *clipEntry() const { return ClipEntry.get(); }

private:
    std::unique_ptr<TCalEntry> newEntryForSelection() const;
    std::unique_ptr<TCalEntry> copyOf(const TCalEntry &e) const;
    // Runs the editor on an entry the calendar does not hold yet; true when it
    // was confirmed on that entry (it then belongs in CalList).
    bool runOnNew(TCalEntry *entry);

    TCalendarState &m_cal;
    IDialogs &m_dialogs;
    const IClockSource &m_clock;
    const TRegionalSettings &m_rs;
    TMonthGrid &m_grid;
    IMeetingEditor &m_editor;
    std::unique_ptr<TCalEntry> ClipEntry;
};

} // namespace kiv

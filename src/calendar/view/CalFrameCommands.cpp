#include "CalFrameCommands.h"

#include "CalendarState.h"
#include "Dialogs.h"
#include "MeetingEditor.h"
#include "MonthGrid.h"

namespace kiv {

TCalFrameCommands::TCalFrameCommands(TCalendarState &cal, IDialogs &dialogs, const IClockSource &clock,
                                     const TRegionalSettings &rs, TMonthGrid &grid, IMeetingEditor &editor)
    : m_cal(cal), m_dialogs(dialogs), m_clock(clock), m_rs(rs), m_grid(grid), m_editor(editor)
{
}

TCalFrameCommands::~TCalFrameCommands() = default;

std::unique_ptr<TCalEntry> TCalFrameCommands::newEntryForSelection() const
{
    auto e = std::make_unique<TCalEntry>(m_clock);
    e->StartTime = m_grid.stDt;
    e->EndTime = m_grid.enDt;
    e->WholeDay = !IsSameDay(m_grid.stDt, m_grid.enDt);
    return e;
}

std::unique_ptr<TCalEntry> TCalFrameCommands::copyOf(const TCalEntry &e) const
{
    auto copy = std::make_unique<TCalEntry>(m_clock);
    copy->Assign(e);
    copy->xmlEvent = TXMLVeventType();
    return copy;
}

bool TCalFrameCommands::runOnNew(TCalEntry *entry)
{
    const IMeetingEditor::Result r = m_editor.runModal(entry);
    // Confirmed on another appointment after << or >>: this one was never edited.
    return r.ok && r.shown == entry;
}

void TCalFrameCommands::Add1Click()
{
    std::unique_ptr<TCalEntry> entry = newEntryForSelection();
    if (runOnNew(entry.get()))
        m_cal.CalList.Add(entry.release());
}

void TCalFrameCommands::Edit2Click()
{
    TCalEntry *existing = nullptr;
    if (TCalListPtr r = m_cal.CalList.NearestDateList(m_grid.stDt))
        existing = r->Get(0);
    if (existing) {
        existing->WholeDay = !IsSameDay(existing->StartTime, existing->EndTime);
        m_editor.runModal(existing);
        return;
    }
    std::unique_ptr<TCalEntry> entry = newEntryForSelection();
    if (runOnNew(entry.get()))
        m_cal.CalList.Add(entry.release());
}

bool TCalFrameCommands::Edit1Click()
{
    TCalEntry *e = nullptr;
    if (TCalListPtr r = m_cal.CalList.MatchDateList(m_grid.stDt, m_grid.enDt); r && r->Count() > 0)
        e = r->Get(0);
    if (!e)
        return false;
    if (m_dialogs.MessageDlg(deleteQuestion(*e, m_rs), TMsgDlgType::mtConfirmation, mbOK | mbCancel) != mrOk)
        return false;
    m_cal.removeEntry(e);
    m_cal.save();
    return true;
}

void TCalFrameCommands::Copy1Click()
{
    ClipEntry.reset();
    if (TCalListPtr r = m_cal.CalList.MatchDateList(m_grid.stDt, m_grid.enDt); r && r->Count() > 0)
        ClipEntry = copyOf(*r->Get(0));
}

void TCalFrameCommands::Cut1Click()
{
    ClipEntry.reset();
    TCalEntry *e = nullptr;
    if (TCalListPtr r = m_cal.CalList.MatchDateList(m_grid.stDt, m_grid.enDt); r && r->Count() > 0)
        e = r->Get(0);
    if (!e)
        return;
    ClipEntry = copyOf(*e);
    m_cal.removeEntry(e);
}

void TCalFrameCommands::Paste1Click()
{
    if (!ClipEntry)
        return;
    ClipEntry->StartTime = combineDateTime(dateOf(m_grid.stDt), timeOf(ClipEntry->StartTime));
    ClipEntry->EndTime = combineDateTime(dateOf(m_grid.enDt), timeOf(ClipEntry->EndTime));
    if (!runOnNew(ClipEntry.get()))
        return;
    std::unique_ptr<TCalEntry> again = copyOf(*ClipEntry);
    m_cal.CalList.Add(ClipEntry.release());
    ClipEntry = std::move(again);
}

} // namespace kiv

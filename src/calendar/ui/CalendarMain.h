#pragma once
// TCalendarMain: the small tool window holding the month view. It owns the
// calendar of the running program and the appointment editor, keeps its
// position and its stay-on-top option in section "Calendar" of the settings
// file, and takes the month title as its caption.
//
// What the clock uses: showCalendar() (double click, "Calendar" / F3) and
// FormDeactivate() (re-asserts the z-order; the clock's tick calls it).

#include "CalContext.h"
#include "CalendarState.h"
#include "IniFile.h"

#include <QWidget>
#include <memory>

namespace kiv {

class TAppPaths;
class TCalFrame;
class TMeetingForm;

class TCalendarMain : public QWidget
{
    Q_OBJECT
public:
    // Loads the calendar file beside the executable (a damaged one is
    // reported through `dialogs`) and the window's settings.
    TCalendarMain(const TAppPaths &paths, IDialogs &dialogs, const IClockSource &clock,
                  const TRegionalSettings &rs, QWidget *parent = nullptr);
    ~TCalendarMain() override;

    TCalFrame *CalFrame1() const { return m_frame; }
    TMeetingForm *MeetingForm() const { return m_editor.get(); }
    TCalendarState &calendar() { return m_cal; }

    bool StayOnTop() const { return FStayOnTop; }
    void SetStayOnTop(bool Value);
    void LoadSettings();
    void StoreSettings();
    // Shows the window (or brings it to the front when it is shown).
    void showCalendar();
    // Re-asserts stay-on-top without moving, resizing or activating the window.
    void FormDeactivate();

protected:
    void closeEvent(QCloseEvent *e) override;
    bool event(QEvent *e) override;

private:
    Qt::WindowFlags windowFlagsFor(bool onTop) const;
    void applyStayOnTop(bool Value);
    void OnCalFrameChange();

    TCalendarState m_cal;
    TIniFile m_ini;
    std::unique_ptr<TCalContext> m_ctx;
    std::unique_ptr<TMeetingForm> m_editor;
    TCalFrame *m_frame = nullptr;
    bool FStayOnTop = false;
    bool m_activated = false; // FormActivate ran: it holds the application's deactivation handler
};

} // namespace kiv

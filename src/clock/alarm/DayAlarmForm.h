#pragma once
// The day alarm window: the alarm time and its two boxes, and the current time
// in the caption. It reads and sets the alarm through the host (the clock).

#include "AlarmHost.h"
#include "Regional.h"

#include <QWidget>

class QCheckBox;
class QLabel;
class QTimeEdit;
class QTimer;

namespace kiv {

class TDayAlarmForm : public QWidget
{
    Q_OBJECT
public:
    TDayAlarmForm(IAlarmHost &host, const IClockSource &clock, const TRegionalSettings &rs,
                  QWidget *owner = nullptr);

    // Takes the alarm fields into the controls. Nothing is written back: the
    // controls only show the host's state.
    void FormShow();
    // Writes the controls to the host, only while the window is showing.
    void dtAlarmChange();
    // The caption with the current time.
    void Timer1Timer();
    // Shows the window above the others; when it is showing already, its
    // controls take the fields again.
    void showOnTop();
    // Toggles the window manager's attention request (the flashing caption).
    void FlashWindow();

    QLabel *Label1 = nullptr;
    QTimeEdit *dtAlarm = nullptr;
    QCheckBox *cbAlarmActive = nullptr;
    QCheckBox *cbDaily = nullptr;
    QTimer *Timer1 = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void FormCreate();

    IAlarmHost &m_host;
    const IClockSource &m_clock;
    TRegionalSettings m_rs;
    bool m_loading = false;
};

} // namespace kiv

#pragma once
// The clock's day alarm: the clock's alarm fields seen through IAlarmHost, the
// sound worker and the alarm window. Owned by the clock; it keeps no alarm
// state of its own (FAlarmActive, FAlarmTime, FAlarmDaily and IsPlaying stay
// on TClock).

#include "AlarmHost.h"
#include "BeepThread.h"
#include "DayAlarmForm.h"

#include <memory>

namespace kiv {

class TClock;

class TClockAlarm : public IAlarmHost
{
public:
    // Starts the worker; create it on the user-interface thread. `player` must
    // outlive the alarm.
    TClockAlarm(TClock &clock, ITonePlayer &player);
    ~TClockAlarm() override;
    TClockAlarm(const TClockAlarm &) = delete;
    TClockAlarm &operator=(const TClockAlarm &) = delete;

    // The check of one tick, with the current time read again.
    void check();
    // The alarm window, created on first use as a tool window of the clock.
    TDayAlarmForm &alarmForm();
    // Null until the window was first needed.
    TDayAlarmForm *existingForm() const { return DayAlarmForm.get(); }
    TBeepThread &worker() { return *BeepThread; }

    bool AlarmActive() const override;
    TDateTime AlarmTime() const override;
    bool AlarmDaily() const override;
    void SetAlarmActive(bool value) override;
    void SetAlarmTime(TDateTime value) override;
    void SetAlarmDaily(bool value) override;
    void StoreSettings() override;
    void ShowAlarmWindow() override;
    void ProcessMessages() override;
    void Beep() override;
    void StopBeep() override;

private:
    TClock &m_clock;
    bool m_checking = false;
    std::unique_ptr<TDayAlarmForm> DayAlarmForm;
    // Last: destroyed first, it ends the thread before the window goes.
    std::unique_ptr<TBeepThread> BeepThread;
};

} // namespace kiv

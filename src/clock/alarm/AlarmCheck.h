#pragma once
// The day alarm's trigger check, run once per clock tick on the user-interface
// thread (at the end of every face drawing). It compares times of day only.

#include "AlarmHost.h"

namespace kiv {

// The window after the alarm time in which a tick fires the alarm:
// 0 < d < 30 s, strict on both sides.
constexpr int kAlarmWindowMs = 30000;

struct TAlarmCheckResult
{
    bool fire = false;
    bool isPlaying = false; // the new value of IsPlaying
    bool operator==(const TAlarmCheckResult &) const = default;
};

// Milliseconds from the alarm's time of day to now's, negative before it.
// Whole milliseconds, so the 30-second bounds compare exactly.
int alarmDistanceMs(TDateTime alarmTime, TDateTime now);

// The decision alone: whether this tick fires, and what IsPlaying becomes.
TAlarmCheckResult alarmCheckStep(TDateTime alarmTime, TDateTime now, bool isPlaying, bool active);

// The check with its effects on the host. When it fires: IsPlaying := true,
// host.Beep(); a non-daily alarm disarms itself (SetAlarmActive(false), then
// the settings are stored once more); then the alarm window is shown, so it
// shows the state the alarm is left in, and pending events are handled once.
// Returns true when the alarm fired.
bool CheckDayAlarm(IAlarmHost &host, TDateTime now, bool &IsPlaying);

} // namespace kiv

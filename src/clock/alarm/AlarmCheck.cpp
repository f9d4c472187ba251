#include "AlarmCheck.h"

#include <cmath>

namespace kiv {

int alarmDistanceMs(TDateTime alarmTime, TDateTime now)
{
    const auto ms = [](TDateTime t) { return std::llround(timeOf(t) * kMSecsPerDay) % kMSecsPerDay; };
    return static_cast<int>(ms(now) - ms(alarmTime));
}

TAlarmCheckResult alarmCheckStep(TDateTime alarmTime, TDateTime now, bool isPlaying, bool active)
{
    const int d = alarmDistanceMs(alarmTime, now);
    if (!isPlaying && active && d > 0 && d < kAlarmWindowMs)
        return {true, true};
    if (isPlaying)
        return {false, d <= kAlarmWindowMs};
    return {false, false};
}

bool CheckDayAlarm(IAlarmHost &host, TDateTime now, bool &IsPlaying)
{
    const TAlarmCheckResult step = alarmCheckStep(host.AlarmTime(), now, IsPlaying, host.AlarmActive());
    IsPlaying = step.isPlaying;
    if (!step.fire)
        return false;
    // IsPlaying is already set, so a tick handled while the window is shown
    // cannot fire a second time.
    host.Beep();
    if (!host.AlarmDaily()) {
        // Disarm before the window takes the fields, so its "Active" box shows
        // the disarmed state and closing it does not arm the alarm again.
        host.SetAlarmActive(false);
        host.StoreSettings();
    }
    host.ShowAlarmWindow();
    host.ProcessMessages();
    return true;
}

} // namespace kiv

#pragma once
// What the day alarm needs from the window that owns the alarm state (the
// clock): its three alarm fields, their setters (each stores the settings),
// the alarm window and the sound worker. The alarm check and the alarm window
// work only through this, so tests drive them with a small host of their own.

#include "DateTime.h"

namespace kiv {

class IAlarmHost
{
public:
    virtual ~IAlarmHost() = default;

    virtual bool AlarmActive() const = 0;
    virtual TDateTime AlarmTime() const = 0; // only the time of day counts
    virtual bool AlarmDaily() const = 0;

    // Each sets its field, then writes the settings file once.
    virtual void SetAlarmActive(bool value) = 0;
    virtual void SetAlarmTime(TDateTime value) = 0;
    virtual void SetAlarmDaily(bool value) = 0;
    virtual void StoreSettings() = 0;

    // Creates the alarm window if it does not exist yet, puts it above all
    // windows and shows it (its boxes then take the fields of this moment).
    virtual void ShowAlarmWindow() = 0;
    // Lets the user-interface thread handle its pending events once.
    virtual void ProcessMessages() = 0;

    // The sound worker: start the tune / ask it to stop after the current cycle.
    virtual void Beep() = 0;
    virtual void StopBeep() = 0;
};

} // namespace kiv

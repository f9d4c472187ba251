#pragma once
// A stand-in for the clock: holds the alarm fields, stores them in section
// "DayAlarm" of a settings file as the clock does, and logs every call the
// alarm makes on it.

#include "AlarmHost.h"
#include "IniFile.h"
#include "Regional.h"

#include <QStringList>
#include <atomic>
#include <functional>

namespace kiv::test {

class TAlarmHarness : public IAlarmHost
{
public:
    explicit TAlarmHarness(const QString &iniFile, TRegionalSettings rs = TRegionalSettings::german());

    bool AlarmActive() const override { return FAlarmActive; }
    TDateTime AlarmTime() const override { return FAlarmTime; }
    bool AlarmDaily() const override { return FAlarmDaily; }
    void SetAlarmActive(bool value) override;
    void SetAlarmTime(TDateTime value) override;
    void SetAlarmDaily(bool value) override;
    void StoreSettings() override;
    void ShowAlarmWindow() override;
    void ProcessMessages() override;
    void Beep() override;
    void StopBeep() override;

    // The section as written; empty while the file does not exist.
    QString storedActive() const { return ini.ReadString(section(), QStringLiteral("Active"), {}); }
    QString storedDaily() const { return ini.ReadString(section(), QStringLiteral("Daily"), {}); }
    QString storedTime() const { return ini.ReadString(section(), QStringLiteral("Time"), {}); }
    static QString section() { return QStringLiteral("DayAlarm"); }

    std::atomic<bool> FAlarmActive{true};
    TDateTime FAlarmTime = 0;
    bool FAlarmDaily = false;

    TIniFile ini;
    TRegionalSettings rs;
    int stores = 0;
    QStringList log;                 // "beep", "active 0", "store", "show", ...
    std::function<void()> onShow;    // e.g. shows a real alarm window
    std::function<void()> onBeep;
    std::function<void()> onStopBeep;
};

} // namespace kiv::test

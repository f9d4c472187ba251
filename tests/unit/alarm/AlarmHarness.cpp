#include "AlarmHarness.h"

#include <QCoreApplication>

namespace kiv::test {

TAlarmHarness::TAlarmHarness(const QString &iniFile, TRegionalSettings settings)
    : FAlarmTime(encodeTime(6, 30, 0)), ini(iniFile), rs(std::move(settings))
{
}

void TAlarmHarness::SetAlarmActive(bool value)
{
    log << QStringLiteral("active %1").arg(int(value));
    FAlarmActive = value;
    StoreSettings();
}

void TAlarmHarness::SetAlarmTime(TDateTime value)
{
    log << QStringLiteral("time %1").arg(formatDateTime(QStringLiteral("hh:nn:ss"), value, rs));
    FAlarmTime = value;
    StoreSettings();
}

void TAlarmHarness::SetAlarmDaily(bool value)
{
    log << QStringLiteral("daily %1").arg(int(value));
    FAlarmDaily = value;
    StoreSettings();
}

void TAlarmHarness::StoreSettings()
{
    log << QStringLiteral("store");
    ++stores;
    ini.update([&](IniDocument &doc) {
        doc.setValue(section(), QStringLiteral("Active"), FAlarmActive ? QStringLiteral("1") : QStringLiteral("0"));
        doc.setValue(section(), QStringLiteral("Daily"), FAlarmDaily ? QStringLiteral("1") : QStringLiteral("0"));
        doc.setValue(section(), QStringLiteral("Time"), formatDateTime(rs.longTimeFormat, FAlarmTime, rs));
    });
}

void TAlarmHarness::ShowAlarmWindow()
{
    log << QStringLiteral("show");
    if (onShow)
        onShow();
}

void TAlarmHarness::ProcessMessages()
{
    log << QStringLiteral("process");
    QCoreApplication::processEvents();
}

void TAlarmHarness::Beep()
{
    log << QStringLiteral("beep");
    if (onBeep)
        onBeep();
}

void TAlarmHarness::StopBeep()
{
    log << QStringLiteral("stop");
    if (onStopBeep)
        onStopBeep();
}

} // namespace kiv::test

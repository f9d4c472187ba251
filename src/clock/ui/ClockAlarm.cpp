#include "ClockAlarm.h"

#include "AlarmCheck.h"
#include "Clock.h"

#include <QCoreApplication>
#include <QScopeGuard>

namespace kiv {

TClockAlarm::TClockAlarm(TClock &clock, ITonePlayer &player) : m_clock(clock)
{
    BeepThread = std::make_unique<TBeepThread>(player, m_clock.FAlarmActive, [this] { alarmForm().FlashWindow(); });
}

TClockAlarm::~TClockAlarm() = default;

void TClockAlarm::check()
{
    // The check handles events once when it fires; a tick handled then must
    // not run a second check before IsPlaying is back on the clock.
    if (m_checking)
        return;
    m_checking = true;
    bool playing = m_clock.IsPlaying;
    const auto done = qScopeGuard([&] {
        m_clock.IsPlaying = playing;
        m_checking = false;
    });
    CheckDayAlarm(*this, m_clock.environment().clock->now(), playing);
}

TDayAlarmForm &TClockAlarm::alarmForm()
{
    if (!DayAlarmForm) {
        const TClockEnvironment &env = m_clock.environment();
        DayAlarmForm = std::make_unique<TDayAlarmForm>(*this, *env.clock, env.regional, &m_clock);
        env.effects->setToolWindow(DayAlarmForm.get());
    }
    return *DayAlarmForm;
}

bool TClockAlarm::AlarmActive() const { return m_clock.FAlarmActive; }
TDateTime TClockAlarm::AlarmTime() const { return m_clock.FAlarmTime; }
bool TClockAlarm::AlarmDaily() const { return m_clock.FAlarmDaily; }
void TClockAlarm::SetAlarmActive(bool value) { m_clock.SetAlarmActive(value); }
void TClockAlarm::SetAlarmTime(TDateTime value) { m_clock.SetAlarmTime(value); }
void TClockAlarm::SetAlarmDaily(bool value) { m_clock.SetAlarmDaily(value); }
void TClockAlarm::StoreSettings() { m_clock.StoreSettings(); }
void TClockAlarm::ShowAlarmWindow() { alarmForm().showOnTop(); }
void TClockAlarm::ProcessMessages() { QCoreApplication::processEvents(); }
void TClockAlarm::Beep() { BeepThread->Beep(); }
void TClockAlarm::StopBeep() { BeepThread->StopBeep = true; }

} // namespace kiv

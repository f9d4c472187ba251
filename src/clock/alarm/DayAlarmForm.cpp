#include "DayAlarmForm.h"

#include "WindowEffects.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QShowEvent>
#include <QTimeEdit>
#include <QTimer>

namespace kiv {

namespace {

// A check box with its text left of the box.
QCheckBox *makeBox(const QString &text, const QString &name, const QRect &geometry, QWidget *parent)
{
    auto *box = new QCheckBox(text, parent);
    box->setObjectName(name);
    box->setLayoutDirection(Qt::RightToLeft);
    box->setGeometry(geometry);
    return box;
}

} // namespace

TDayAlarmForm::TDayAlarmForm(IAlarmHost &host, const IClockSource &clock, const TRegionalSettings &rs,
                             QWidget *owner)
    : QWidget(owner, Qt::Tool | Qt::WindowStaysOnTopHint), m_host(host), m_clock(clock), m_rs(rs)
{
    setObjectName(QStringLiteral("DayAlarmForm"));
    setWindowTitle(QStringLiteral("Day Timer"));
    setFixedSize(158, 82);
    move(484, 319);

    Label1 = new QLabel(QStringLiteral("Day Alarm:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->move(8, 14);
    Label1->adjustSize();

    dtAlarm = new QTimeEdit(this);
    dtAlarm->setObjectName(QStringLiteral("dtAlarm"));
    dtAlarm->setDisplayFormat(QStringLiteral("HH:mm"));
    dtAlarm->setGeometry(80, 6, 73, 31);
    QFont font(QStringLiteral("Comic Sans MS"));
    font.setPixelSize(16);
    dtAlarm->setFont(font);

    cbAlarmActive = makeBox(QStringLiteral("Active"), QStringLiteral("cbAlarmActive"), {8, 41, 85, 17}, this);
    cbDaily = makeBox(QStringLiteral("Daily"), QStringLiteral("cbDaily"), {8, 61, 85, 17}, this);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);

    connect(dtAlarm, &QTimeEdit::timeChanged, this, &TDayAlarmForm::dtAlarmChange);
    connect(cbAlarmActive, &QCheckBox::toggled, this, &TDayAlarmForm::dtAlarmChange);
    connect(cbDaily, &QCheckBox::toggled, this, &TDayAlarmForm::dtAlarmChange);
    connect(Timer1, &QTimer::timeout, this, &TDayAlarmForm::Timer1Timer);
    Timer1->start();

    FormCreate();
}

void TDayAlarmForm::FormCreate()
{
    FormShow();
}

void TDayAlarmForm::FormShow()
{
    // Setting a control fires its change signal; while the window shows, a
    // write-back from here would store a half-updated state (the new "Active"
    // with the old time), so the controls are filled without it.
    m_loading = true;
    cbAlarmActive->setChecked(m_host.AlarmActive());
    cbDaily->setChecked(m_host.AlarmDaily());
    dtAlarm->setTime(toQTime(timeOf(m_host.AlarmTime())));
    m_loading = false;
}

void TDayAlarmForm::dtAlarmChange()
{
    if (m_loading || !isVisible())
        return;
    m_host.SetAlarmDaily(cbDaily->isChecked());
    m_host.SetAlarmActive(cbAlarmActive->isChecked());
    m_host.SetAlarmTime(fromQTime(dtAlarm->time()));
}

void TDayAlarmForm::Timer1Timer()
{
    setWindowTitle(QStringLiteral("Day Time - %1").arg(formatDateTime(QStringLiteral("tt"), m_clock.now(), m_rs)));
}

void TDayAlarmForm::showOnTop()
{
    if (isVisible())
        FormShow();
    show();
    raise();
    activateWindow();
}

void TDayAlarmForm::FlashWindow()
{
    // A hidden window has no caption to flash; it would keep the request
    // until it is shown again.
    if (isVisible())
        toggleDemandsAttention(this);
}

void TDayAlarmForm::showEvent(QShowEvent *event)
{
    // Shown by the program (not restored by the window manager).
    if (!event->spontaneous())
        FormShow();
    QWidget::showEvent(event);
}

void TDayAlarmForm::closeEvent(QCloseEvent *event)
{
    dtAlarmChange();
    m_host.StopBeep();
    setDemandsAttention(this, false);
    event->accept();
}

} // namespace kiv

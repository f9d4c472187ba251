#include "Clock.h"

#include "ApplicationActivation.h"
#include "ClockAlarm.h"
#include "ClockFace.h"
#include "FacePainter.h"

#include <QCloseEvent>
#include <QMenu>
#include <QPainter>
#include <QTimer>

namespace kiv {

const QString kShortcutName = QStringLiteral("KivClock");
const QString kShortcutDescription = QStringLiteral("Kiv Clock\r\nhttps://example.org/kivclock");

TClock::TClock(TClockEnvironment env, QWidget *parent)
    : QWidget(parent, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool), m_env(std::move(env))
{
    setObjectName(QStringLiteral("Clock"));
    setWindowTitle(QStringLiteral("KivClock"));
    setFocusPolicy(Qt::StrongFocus);
    // The alarm sound worker is created and started here.
    if (m_env.tonePlayer) {
        m_alarm = std::make_unique<TClockAlarm>(*this, *m_env.tonePlayer);
        links.alarmCheck = [this](TDateTime) { m_alarm->check(); };
        links.showDayAlarm = [this] { m_alarm->alarmForm().showOnTop(); };
    }
    CFGFileName = m_env.paths.withExtension(QStringLiteral(".ini"));
    buildMenu();
    applySize(88);
    move(738, 188);
    LoadSettings();
    m_env.effects->setToolWindow(this);
    m_env.effects->setTopmost(this, true);
    if (onX11())
        setRepaintsItself(this); // every tick repaints it whole

    // The application-wide handlers until another window takes them.
    TApplicationActivation::instance().setOnActivate([this] { FormActivate(); });
    TApplicationActivation::instance().setOnDeactivate([this] { FormDeactivate(); });

    Timer1 = new QTimer(this);
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
    Timer1->start();
}

TClock::~TClock()
{
    // Nothing may call back into a clock that is gone.
    TApplicationActivation::instance().setOnActivate({});
    TApplicationActivation::instance().setOnDeactivate({});
}

TClockSettings TClock::currentSettings() const
{
    TClockSettings s;
    s.Left = x();
    s.Top = y();
    s.Width = width();
    s.AlphaBlendValue = AlphaBlendValue;
    s.Color = ZeigerCol;
    s.AlarmActive = FAlarmActive;
    s.AlarmTime = FAlarmTime;
    s.AlarmDaily = FAlarmDaily;
    s.TransCalShow = FTransCalShow;
    s.ftp = FtpAccount();
    return s;
}

void TClock::LoadSettings()
{
    TClockSettings s = currentSettings();
    const TIniFile ini(CFGFileName, kSettingsFileMode);
    loadClockSettings(ini, m_env.regional, s);
    move(s.Left, s.Top);
    SetAlphaBlendValue(s.AlphaBlendValue);
    ZeigerCol = s.Color;
    FAlarmActive = s.AlarmActive;
    FAlarmDaily = s.AlarmDaily;
    FAlarmTime = s.AlarmTime;
    FTransCalShow = s.TransCalShow;
    mnDesktop->setChecked(shortcutExists(TShortcutFolder::Desktop));
    mnStartup->setChecked(shortcutExists(TShortcutFolder::Startup));
    FtpAccount() = s.ftp;
    applySize(s.Width); // as read: the bounds of SetClockSize do not apply here
}

void TClock::StoreSettings()
{
    TIniFile ini(CFGFileName, kSettingsFileMode);
    storeClockSettings(ini, m_env.regional, currentSettings());
}

void TClock::applySize(int size)
{
    setFixedSize(size, size);
    m_face = QImage(size, size, QImage::Format_RGB32);
    FFormregion = QRegion(0, 0, size, size, QRegion::Ellipse);
    refreshFace();
}

void TClock::SetClockSize(int value)
{
    if (!acceptClockSize(value, m_env.effects->workAreaHeight(this)))
        return;
    applySize(value);
}

void TClock::SetAlarmActive(bool value)
{
    FAlarmActive = value;
    StoreSettings();
}

void TClock::SetAlarmTime(TDateTime value)
{
    FAlarmTime = value;
    StoreSettings();
}

void TClock::SetAlarmDaily(bool value)
{
    FAlarmDaily = value;
    StoreSettings();
}

void TClock::SetTransCalShow(bool value)
{
    FTransCalShow = value;
    mnTransCal->setChecked(value);
    callLink(links.showDesktopCalendar, value);
}

void TClock::SetAlphaBlendValue(int value)
{
    AlphaBlendValue = value;
    m_env.effects->setOpacity(this, value);
}

void TClock::paintFace(QImage &surface, unsigned color, bool showSeconds, TDateTime time, int w, int h)
{
    TClockFaceInput in;
    in.color = color;
    in.showSeconds = showSeconds;
    in.time = time;
    in.width = w;
    in.height = h;
    in.alarmActive = FAlarmActive;
    in.alarmTime = FAlarmTime;
    paintClockFace(surface, clockFaceGeometry(in), faceKeyColor());
}

void TClock::DrawClockFace(QImage &surface, unsigned color, bool showSeconds, TDateTime time, int w, int h)
{
    paintFace(surface, color, showSeconds, time, w, h);
    callLink(links.alarmCheck, time);
}

void TClock::refreshFace()
{
    paintFace(m_face, ZeigerCol, true, m_env.clock->now(), m_face.width(), m_face.height());
    updateShape();
    update();
}

void TClock::updateShape()
{
    // See-through: the face's key colour (its bottom-left pixel) and the
    // window's white background.
    const QRgb key = m_face.pixel(0, m_face.height() - 1);
    m_env.effects->setShape(this, shapeFromImage(m_face, {key, qRgb(255, 255, 255)}, FFormregion));
}

void TClock::Timer1Timer()
{
    update(); // the paint also sends the new shape to the X server
    DrawClockFace(m_face, ZeigerCol, true, m_env.clock->now(), width(), height());
    updateShape();
    if (Ticks.tick())
        callLink(links.reapplyCalendarStayOnTop);
}

void TClock::paintEvent(QPaintEvent *)
{
    // The face image covers the whole window; what it leaves in its key
    // colour is outside the window's shape.
    QPainter p(this);
    p.drawImage(0, 0, m_face);
}

void TClock::FormShow()
{
    for (TWindowId id : m_env.effects->findWindowsByClass(QStringLiteral("Kivclock")))
        m_env.effects->hideWindow(id);
    SetTransCalShow(FTransCalShow);
}

void TClock::showEvent(QShowEvent *e)
{
    QWidget::showEvent(e);
    if (!e->spontaneous())
        handler([this] { FormShow(); });
}

void TClock::closeEvent(QCloseEvent *e)
{
    // Closing asks nothing and stores nothing.
    e->accept();
    emit closed();
}

} // namespace kiv

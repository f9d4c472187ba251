#include "CalendarMain.h"

#include "ApplicationActivation.h"
#include "CalFrame.h"
#include "MeetingForm.h"
#include "WinTools.h"
#include "WindowEffects.h"

#include <QAction>
#include <QCloseEvent>
#include <QFrame>
#include <QWindow>

namespace kiv {

namespace {

const QString kSection = QStringLiteral("Calendar");
// The settings file is shared and holds the FTP password: only the user reads it.
constexpr unsigned kSettingsFileMode = 0600;

} // namespace

TCalendarMain::TCalendarMain(const TAppPaths &paths, IDialogs &dialogs, const IClockSource &clock,
                             const TRegionalSettings &rs, QWidget *parent)
    : QWidget(parent), m_ini(paths.withExtension(QStringLiteral(".ini")), kSettingsFileMode)
{
    setObjectName(QStringLiteral("CalendarMain"));
    setWindowFlags(windowFlagsFor(false));
    setFixedSize(130, 157);
    move(606, 258);
    m_cal.startUp(paths, dialogs);
    m_ctx = std::make_unique<TCalContext>(TCalContext{m_cal, dialogs, clock, rs});
    m_editor = std::make_unique<TMeetingForm>(*m_ctx);
    m_frame = new TCalFrame(*m_ctx, *m_editor, this);
    m_frame->move(0, 0);
    // In this window the button panel is flat, in the month view's colour.
    m_frame->panel()->setFrameStyle(QFrame::NoFrame);

    // FormCreate
    LoadSettings();
    connect(m_frame, &TCalFrame::OnChange, this, &TCalendarMain::OnCalFrameChange);
    setWindowTitle(m_frame->Caption());
    connect(m_frame->mnStayOnTop, &QAction::triggered, this, [this] { SetStayOnTop(!FStayOnTop); });
    // No taskbar or pager entry.
    setToolWindow(this);
}

TCalendarMain::~TCalendarMain()
{
    // Nothing may call back into a window that is gone.
    if (m_activated)
        TApplicationActivation::instance().setOnDeactivate({});
    // The frame refers to the editor and the calendar: it goes first.
    delete m_frame;
    m_frame = nullptr;
}

Qt::WindowFlags TCalendarMain::windowFlagsFor(bool onTop) const
{
    Qt::WindowFlags f = Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint;
    if (onTop)
        f |= Qt::WindowStaysOnTopHint;
    return f;
}

void TCalendarMain::LoadSettings()
{
    const int top = static_cast<int>(m_ini.ReadInteger(kSection, QStringLiteral("Top"), y()));
    const int left = static_cast<int>(m_ini.ReadInteger(kSection, QStringLiteral("Left"), x()));
    move(left, top);
    // Applied without writing: the file already says so, or holds nothing yet.
    applyStayOnTop(m_ini.ReadBool(kSection, QStringLiteral("StayOnTop"), FStayOnTop));
}

void TCalendarMain::StoreSettings()
{
    const QPoint p = pos();
    const bool onTop = FStayOnTop;
    m_ini.update([&](IniDocument &doc) {
        doc.setValue(kSection, QStringLiteral("Top"), QString::number(p.y()));
        doc.setValue(kSection, QStringLiteral("Left"), QString::number(p.x()));
        doc.setValue(kSection, QStringLiteral("StayOnTop"), onTop ? QStringLiteral("1") : QStringLiteral("0"));
    });
}

void TCalendarMain::SetStayOnTop(bool Value)
{
    applyStayOnTop(Value);
    StoreSettings();
}

void TCalendarMain::applyStayOnTop(bool Value)
{
    FStayOnTop = Value;
    // Keeps the X window, its position and the focus.
    setTopmost(this, Value);
    flushWindowRequests();
    m_frame->mnStayOnTop->setChecked(FStayOnTop);
}

void TCalendarMain::FormDeactivate()
{
    QWindow *w = windowHandle();
    if (!w)
        return;
    setTopmost(this, FStayOnTop);
    // Like the top of the topmost windows: above the clock too.
    if (FStayOnTop && isVisible())
        w->raise();
    flushWindowRequests();
}

void TCalendarMain::showCalendar()
{
    // Closing through the window manager destroys the X window; a new one
    // needs the taskbar and pager states again, before it is mapped.
    setToolWindow(this);
    show();
    raise();
    activateWindow();
}

void TCalendarMain::OnCalFrameChange()
{
    setWindowTitle(m_frame->Caption());
}

void TCalendarMain::closeEvent(QCloseEvent *e)
{
    // FormClose: the window only hides; the clock shows it again.
    StoreSettings();
    m_frame->HideHint();
    e->accept();
}

bool TCalendarMain::event(QEvent *e)
{
    if (e->type() == QEvent::WindowActivate) {
        // FormActivate: losing the application's focus re-asserts this window's z-order.
        m_activated = true;
        TApplicationActivation::instance().setOnDeactivate([this] { FormDeactivate(); });
    }
    return QWidget::event(e);
}

} // namespace kiv

#include "CalendarMain.h"

#include "CalFrame.h"
#include "MeetingForm.h"
#include "WinTools.h"

#include <QAction>
#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QWindow>

#include <xcb/xcb.h>

namespace kiv {

namespace {

const QString kSection = QStringLiteral("Calendar");

// Qt's event loop may hold X requests made from a timer for seconds.
void flushX()
{
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (xcb_connection_t *c = x11 ? x11->connection() : nullptr)
        xcb_flush(c);
}

} // namespace

TCalendarMain::TCalendarMain(const TAppPaths &paths, IDialogs &dialogs, const IClockSource &clock,
                             const TRegionalSettings &rs, QWidget *parent)
    : QWidget(parent), m_ini(paths.withExtension(QStringLiteral(".ini")))
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
    connect(qGuiApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState s) {
        if (m_activated && s != Qt::ApplicationActive)
            FormDeactivate();
    });
}

TCalendarMain::~TCalendarMain()
{
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
    SetStayOnTop(m_ini.ReadBool(kSection, QStringLiteral("StayOnTop"), FStayOnTop));
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
    FStayOnTop = Value;
    const Qt::WindowFlags f = windowFlagsFor(Value);
    if (QWindow *w = windowHandle()) {
        // Keeps the X window, its position and the focus (setWindowFlags would
        // re-create it).
        overrideWindowFlags(f);
        w->setFlags(f);
        flushX();
    } else {
        setWindowFlags(f);
    }
    StoreSettings();
    m_frame->mnStayOnTop->setChecked(FStayOnTop);
}

void TCalendarMain::FormDeactivate()
{
    QWindow *w = windowHandle();
    if (!w)
        return;
    w->setFlags(windowFlagsFor(FStayOnTop));
    if (FStayOnTop && isVisible())
        w->raise();
    flushX();
}

void TCalendarMain::showCalendar()
{
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
    if (e->type() == QEvent::WindowActivate)
        m_activated = true; // FormActivate
    return QWidget::event(e);
}

} // namespace kiv

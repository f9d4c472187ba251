#include "CalFrame.h"

#include "CalendarState.h"
#include "Dialogs.h"
#include "HintWindow.h"
#include "MonthGridView.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QFrame>
#include <QMenu>
#include <QPushButton>

namespace kiv {

TCalFrame::TCalFrame(const TCalContext &ctx, IMeetingEditor &editor, QWidget *parent)
    : QWidget(parent), m_ctx(ctx), m_commands(ctx.cal, ctx.dialogs, ctx.clock, m_ctx.rs, m_grid, editor)
{
    setObjectName(QStringLiteral("CalFrame1"));
    resize(130, 157);
    setFont(QFont(QStringLiteral("Arial"), 8));
    setBackgroundRole(QPalette::ToolTipBase);
    setAutoFillBackground(true);

    m_sgMonth = new TMonthGridView(m_grid, ctx.cal, ctx.clock, this);
    connect(m_sgMonth, &TMonthGridView::hovered, this, &TCalFrame::sgMonthMouseMove);
    connect(m_sgMonth, &TMonthGridView::left, this, &TCalFrame::HideHint);
    connect(m_sgMonth, &TMonthGridView::focusLost, this, &TCalFrame::HideHint);
    connect(m_sgMonth, &TMonthGridView::doubleClicked, this, &TCalFrame::Edit2Click);

    m_panel = new QFrame(this);
    m_panel->setObjectName(QStringLiteral("Panel1"));
    m_panel->setGeometry(3, 137, 127, 20);
    m_panel->setBackgroundRole(QPalette::ToolTipBase);
    m_panel->setAutoFillBackground(true);
    m_panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    auto button = [this](const char *name, int left, int width, void (TCalFrame::*click)()) {
        auto *b = new QPushButton(m_panel);
        b->setObjectName(QLatin1String(name));
        b->setGeometry(left, 2, width, 17);
        b->setFocusPolicy(Qt::NoFocus);
        connect(b, &QPushButton::clicked, this, [this, click] { run([&] { (this->*click)(); }); });
        return b;
    };
    m_bnPrev = button("bnPrev", 2, 33, &TCalFrame::bnPrevClick);
    m_bnToday = button("bnToday", 42, 41, &TCalFrame::bnTodayClick);
    m_bnToday->setText(QStringLiteral("Today"));
    m_bnNext = button("bnNext", 92, 33, &TCalFrame::bnNextClick);

    buildMenu();
    // The entry clipboard has no menu entry; the usual keys reach it on the grid.
    const struct
    {
        QKeySequence::StandardKey key;
        void (TCalFrame::*handler)();
    } keys[] = {{QKeySequence::Copy, &TCalFrame::Copy1Click},
                {QKeySequence::Cut, &TCalFrame::Cut1Click},
                {QKeySequence::Paste, &TCalFrame::Paste1Click}};
    for (const auto &k : keys) {
        auto *a = new QAction(m_sgMonth);
        a->setShortcut(k.key);
        a->setShortcutContext(Qt::WidgetShortcut);
        connect(a, &QAction::triggered, this, [this, h = k.handler] { run([&] { (this->*h)(); }); });
        m_sgMonth->addAction(a);
    }
    m_hint = std::make_unique<THintWindow>(this);
    bnTodayClick();
}

TCalFrame::~TCalFrame()
{
    // The grid loses the focus while Qt destroys it, after the hint is gone.
    disconnect(m_sgMonth, nullptr, this, nullptr);
}

template <typename F>
void TCalFrame::run(F &&handler)
{
    guarded(m_ctx.dialogs, std::forward<F>(handler));
    m_sgMonth->update();
}

void TCalFrame::buildMenu()
{
    m_menu = new QMenu(this);
    m_menu->setObjectName(QStringLiteral("PopupMenu1"));
    auto item = [this](QMenu *menu, const char *text, void (TCalFrame::*click)() = nullptr) {
        QAction *a = menu->addAction(QString::fromUtf8(text));
        if (click)
            connect(a, &QAction::triggered, this, [this, click] { run([&] { (this->*click)(); }); });
        return a;
    };
    item(m_menu, "New", &TCalFrame::Add1Click)->setObjectName(QStringLiteral("Add1"));
    item(m_menu, "Delete", &TCalFrame::Edit1Click)->setObjectName(QStringLiteral("Edit1"));
    item(m_menu, "Edit", &TCalFrame::Edit2Click)->setObjectName(QStringLiteral("Edit2"));
    m_menu->addSeparator();
    item(m_menu->addMenu(QStringLiteral("E Mail")), "Add ...");
    QMenu *ftp = m_menu->addMenu(QStringLiteral("FTP"));
    FTPSetup1 = item(ftp, "Setup");
    FTPSynchronize1 = item(ftp, "Synchronize...");
    FTPPut1 = item(ftp, "Put ...");
    FTPGet1 = item(ftp, "Get ..");
    Outlook1 = item(m_menu->addMenu(QStringLiteral("Outlook")), "Synchronize");
    m_menu->addSeparator();
    QMenu *import = m_menu->addMenu(QStringLiteral("Import"));
    ICS1 = item(import, "ICS ...");
    XMLImport1 = item(import, "XML ...");
    item(m_menu->addMenu(QStringLiteral("Export")), "ICS..");
    m_menu->addSeparator();
    mnStayOnTop = item(m_menu, "Stay On Top");
    mnStayOnTop->setObjectName(QStringLiteral("mnStayOnTop"));
    mnStayOnTop->setCheckable(true);
    connect(m_menu, &QMenu::aboutToShow, this, &TCalFrame::HideHint); // PopupMenu1Popup
}

void TCalFrame::contextMenuEvent(QContextMenuEvent *e)
{
    m_menu->popup(e->globalPos());
}

void TCalFrame::FillGrid(TDateTime ADate)
{
    m_grid.FillGrid(ADate, m_ctx.rs);
    m_bnPrev->setText(m_grid.prevCaption);
    m_bnNext->setText(m_grid.nextCaption);
    m_sgMonth->update();
    emit OnChange(this);
}

void TCalFrame::HideHint()
{
    m_hint->hide();
}

void TCalFrame::bnPrevClick()
{
    m_grid.ActMonth = incMonth(m_grid.ActMonth, -1);
    FillGrid(m_grid.ActMonth);
}

void TCalFrame::bnNextClick()
{
    m_grid.ActMonth = incMonth(m_grid.ActMonth, 1);
    FillGrid(m_grid.ActMonth);
}

void TCalFrame::bnTodayClick()
{
    int y, m, d;
    decodeDate(m_ctx.clock.now(), y, m, d);
    m_grid.ActMonth = encodeDate(y, m, 1);
    FillGrid(m_grid.ActMonth);
}

void TCalFrame::sgMonthMouseMove(QPoint gridPos)
{
    int col, row;
    std::optional<TDateTime> d;
    if (TMonthGrid::cellAt(gridPos.x(), gridPos.y(), col, row))
        d = m_grid.date(col, row);
    TCalListPtr L = d ? m_ctx.cal.CalList.GetDateList(*d) : nullptr;
    if (!L) {
        HideHint();
        return;
    }
    m_hint->ActivateHint(m_sgMonth->mapToGlobal(gridPos + QPoint(10, 10)), L->GetHint(m_ctx.rs), 150);
}

void TCalFrame::Add1Click()
{
    m_commands.Add1Click();
}

void TCalFrame::Edit2Click()
{
    HideHint();
    run([&] { m_commands.Edit2Click(); });
}

void TCalFrame::Edit1Click()
{
    if (m_commands.Edit1Click())
        FillGrid(m_grid.ActMonth);
}

void TCalFrame::Cut1Click()
{
    m_commands.Cut1Click();
}

void TCalFrame::Paste1Click()
{
    m_commands.Paste1Click();
}

} // namespace kiv

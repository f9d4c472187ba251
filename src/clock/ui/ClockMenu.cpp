// The clock's popup menu and its handlers.
#include "Clock.h"

#include <QMenu>

namespace kiv {

void TClock::buildMenu()
{
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    PopupMenu1->setToolTipsVisible(true);

    const auto item = [this](QMenu *menu, const char *name, const QString &caption, auto &&run,
                             const QKeySequence &key = {}) {
        QAction *a = menu->addAction(caption);
        a->setObjectName(QLatin1String(name));
        if (!key.isEmpty()) {
            a->setShortcut(key);
            a->setShortcutContext(Qt::WindowShortcut);
            addAction(a); // the key works while the clock has the focus
        }
        connect(a, &QAction::triggered, this, [this, run] { handler(run); });
        return a;
    };
    const auto link = [this](std::function<void()> TClockLinks::*member) {
        return [this, member] { callLink(links.*member); };
    };

    item(PopupMenu1, "Transparence1", QStringLiteral("Opacity"), [this] { Transparence1Click(); });
    item(PopupMenu1, "Resize1", QStringLiteral("Resize"), [this] { Resize1Click(); });
    item(PopupMenu1, "Color1", QStringLiteral("Color"), [this] { Color1Click(); });
    mnDesktop = item(PopupMenu1, "mnDesktop", QStringLiteral("Desktop"), [this] { mnDesktopClick(); });
    mnDesktop->setCheckable(true);
    mnStartup = item(PopupMenu1, "mnStartup", QStringLiteral("Startup"), [this] { mnStartupClick(); });
    mnStartup->setCheckable(true);
    mnStartup->setToolTip(QStringLiteral("KivClock at startup"));
    mnStartup->setStatusTip(QStringLiteral("KivClock at startup"));
    PopupMenu1->addSeparator();

    QMenu *sync = PopupMenu1->addMenu(QStringLiteral("Synchronisation"));
    sync->setObjectName(QStringLiteral("Synchronisation1"));
    QMenu *ftp = sync->addMenu(QStringLiteral("FTP"));
    ftp->setObjectName(QStringLiteral("FTP1"));
    item(ftp, "Setup1", QStringLiteral("Setup"), link(&TClockLinks::ftpSetup));
    item(ftp, "Synchronize2", QStringLiteral("Synchronize..."), link(&TClockLinks::ftpSynchronize));
    item(ftp, "Put2", QStringLiteral("Put ..."), link(&TClockLinks::ftpPut));
    item(ftp, "Get1", QStringLiteral("Get .."), link(&TClockLinks::ftpGet));
    QMenu *outlook = sync->addMenu(QStringLiteral("Outlook"));
    outlook->setObjectName(QStringLiteral("Outlook1"));
    item(outlook, "Synchronize1", QStringLiteral("Synchronize"), link(&TClockLinks::outlookSynchronize));
    PopupMenu1->addSeparator();

    item(PopupMenu1, "DayAlarm1", QStringLiteral("Day Alarm"), link(&TClockLinks::showDayAlarm),
         QKeySequence(Qt::Key_F2));
    item(PopupMenu1, "Calendar1", QStringLiteral("Calendar"), link(&TClockLinks::showCalendar),
         QKeySequence(Qt::Key_F3));
    mnTransCal = item(PopupMenu1, "mnTransCal", QStringLiteral("Desktop Calendar"),
                      [this] { mnTransCalClick(); }, QKeySequence(Qt::Key_F4));
    mnTransCal->setCheckable(true);
    mnTransCal->setChecked(FTransCalShow);
    item(PopupMenu1, "Contacts1", QStringLiteral("Contacts"), link(&TClockLinks::showContacts),
         QKeySequence(Qt::Key_F5));
    PopupMenu1->addSeparator();
    item(PopupMenu1, "About1", QStringLiteral("About..."), link(&TClockLinks::showAbout));
    PopupMenu1->addSeparator();
    item(PopupMenu1, "Close1", QStringLiteral("Close"), [this] { Close1Click(); });
}

void TClock::Transparence1Click()
{
    const QString entry = InputBox(*m_env.dialogs, QStringLiteral("Transparence"),
                                   QStringLiteral("Please enter new val [25, 255]"),
                                   QString::number(AlphaBlendValue));
    const int value = entryToInt(entry);
    if (acceptOpacity(value))
        SetAlphaBlendValue(value);
}

void TClock::Resize1Click()
{
    const int limit = m_env.effects->workAreaHeight(this);
    const QString entry = InputBox(*m_env.dialogs, QStringLiteral("Resize"),
                                   QStringLiteral("Please enter new size [24, %1]").arg(limit),
                                   QString::number(width()));
    SetClockSize(entryToInt(entry));
}

void TClock::Color1Click()
{
    unsigned color = ZeigerCol;
    if (!m_env.dialogs->chooseColor(color))
        return;
    ZeigerCol = color;
    refreshFace();
}

bool TClock::shortcutExists(TShortcutFolder folder) const
{
    return ShortcutExists(kShortcutName, m_env.shortcutFolders.path(folder));
}

void TClock::toggleShortcut(TShortcutFolder folder, QAction *menuItem)
{
    ToggleShortcut(m_env.paths.exeFile(), kShortcutName, kShortcutDescription,
                   m_env.shortcutFolders.path(folder));
    menuItem->setChecked(shortcutExists(folder));
}

void TClock::mnDesktopClick()
{
    toggleShortcut(TShortcutFolder::Desktop, mnDesktop);
}

void TClock::mnStartupClick()
{
    toggleShortcut(TShortcutFolder::Startup, mnStartup);
}

void TClock::mnTransCalClick()
{
    SetTransCalShow(!FTransCalShow);
    StoreSettings();
}

void TClock::Close1Click()
{
    close();
}

} // namespace kiv

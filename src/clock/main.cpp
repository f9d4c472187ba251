#include "AboutBox.h"
#include "AlsaTonePlayer.h"
#include "CalendarMain.h"
#include "Clock.h"
#include "KivApplication.h"
#include "QtDialogs.h"
#include "WindowEffects.h"

int main(int argc, char **argv)
{
    kiv::KivApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("KivClock"));
    // No display name: Qt would append it to every window's caption.
    app.setApplicationVersion(QStringLiteral(KIV_VERSION));
    // The program ends when the clock closes, whatever else is open.
    app.setQuitOnLastWindowClosed(false);

    kiv::QtDialogs dialogs;
    app.setDialogs(&dialogs);
    kiv::X11WindowEffects effects;
    kiv::SystemClock systemClock;
    kiv::AlsaTonePlayer tonePlayer;

    kiv::TClockEnvironment env;
    env.dialogs = &dialogs;
    env.effects = &effects;
    env.clock = &systemClock;
    env.tonePlayer = &tonePlayer;
    env.regional = kiv::TRegionalSettings::system();
    env.paths = kiv::TAppPaths::current();
    env.shortcutFolders = kiv::TShortcutFolders::fromEnvironment();

    // The windows in their order of creation; each lives until the program ends.
    kiv::TClock clock(env);
    dialogs.setParent(&clock);
    QObject::connect(&clock, &kiv::TClock::closed, &app, &QCoreApplication::quit, Qt::QueuedConnection);

    // The calendar window (hidden until the clock opens it) loads the calendar file.
    kiv::TCalendarMain calendar(env.paths, dialogs, systemClock, env.regional);
    clock.links.showCalendar = [&calendar] { calendar.showCalendar(); };
    clock.links.reapplyCalendarStayOnTop = [&calendar] { calendar.FormDeactivate(); };

    kiv::TAboutBox about(&clock);
    clock.links.showAbout = [&about] { about.exec(); };

    clock.show();
    return app.exec();
}

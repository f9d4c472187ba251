#include "KivApplication.h"
#include "QtDialogs.h"

#include <QLabel>

int main(int argc, char **argv)
{
    kiv::KivApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("KivClock"));
    app.setApplicationDisplayName(QStringLiteral("KivClock"));
    app.setApplicationVersion(QStringLiteral(KIV_VERSION));
    kiv::QtDialogs dialogs;
    app.setDialogs(&dialogs);

    QLabel window(QStringLiteral("KivClock"));
    window.setWindowTitle(QStringLiteral("KivClock"));
    window.setAlignment(Qt::AlignCenter);
    window.resize(88, 88);
    window.move(738, 188);
    window.show();
    return app.exec();
}

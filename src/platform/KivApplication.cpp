#include "KivApplication.h"

#include "Dialogs.h"
#include "KivError.h"

#include <cstdio>

namespace kiv {

KivApplication::KivApplication(int &argc, char **argv) : QApplication(argc, argv) {}

bool KivApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &e) {
        if (m_dialogs)
            m_dialogs->reportError(errorText(e));
        else
            std::fprintf(stderr, "%s\n", e.what());
    }
    return false;
}

} // namespace kiv

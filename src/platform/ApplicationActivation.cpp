#include "ApplicationActivation.h"

#include <QGuiApplication>

namespace kiv {

TApplicationActivation &TApplicationActivation::instance()
{
    static TApplicationActivation *self = new TApplicationActivation; // lives as long as the app
    return *self;
}

TApplicationActivation::TApplicationActivation() : QObject(qGuiApp)
{
    connect(qGuiApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState s) {
        if (s == Qt::ApplicationActive)
            activated();
        else if (s == Qt::ApplicationInactive)
            deactivated();
    });
}

void TApplicationActivation::activated()
{
    if (m_onActivate)
        m_onActivate();
}

void TApplicationActivation::deactivated()
{
    if (m_onDeactivate)
        m_onDeactivate();
}

} // namespace kiv

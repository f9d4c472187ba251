#pragma once
// The application's one pair of handlers for the application as a whole
// gaining and losing the focus. Whoever installs a handler last owns the
// slot: windows that want their own behaviour install it when activated.

#include <QObject>
#include <functional>

namespace kiv {

class TApplicationActivation : public QObject
{
public:
    using Handler = std::function<void()>;
    // Needs a QGuiApplication.
    static TApplicationActivation &instance();

    void setOnActivate(Handler h) { m_onActivate = std::move(h); }
    void setOnDeactivate(Handler h) { m_onDeactivate = std::move(h); }

    // What the application's state changes call; tests call them directly.
    void activated();
    void deactivated();

private:
    TApplicationActivation();
    Handler m_onActivate;
    Handler m_onDeactivate;
};

} // namespace kiv

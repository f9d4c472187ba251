#pragma once
// The application object: no exception ever escapes into Qt's event loop; one
// that a handler did not catch reaches the default error report.

#include <QApplication>

namespace kiv {

class IDialogs;

class KivApplication : public QApplication
{
public:
    KivApplication(int &argc, char **argv);
    void setDialogs(IDialogs *dialogs) { m_dialogs = dialogs; }
    bool notify(QObject *receiver, QEvent *event) override;

private:
    IDialogs *m_dialogs = nullptr;
};

} // namespace kiv

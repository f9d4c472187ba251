#pragma once
// IDialogs with real Qt boxes and dialogs.

#include "Dialogs.h"

#include <QColor>

class QWidget;

namespace kiv {

class QtDialogs : public IDialogs
{
public:
    explicit QtDialogs(QWidget *parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget *parent) { m_parent = parent; }

    void ShowMessage(const QString &text) override;
    int MessageDlg(const QString &text, TMsgDlgType type, unsigned buttons) override;
    int askButtons(const QString &caption, const QString &text, const QStringList &buttons) override;
    bool InputQuery(const QString &caption, const QString &prompt, QString &value) override;
    bool chooseColor(unsigned &color) override;
    QString openFileName(const QString &title, const QString &filter, const QString &dir) override;
    QString saveFileName(const QString &title, const QString &filter, const QString &dir) override;
    void reportError(const QString &text) override;

private:
    QWidget *m_parent;
};

// 0x00BBGGRR <-> QColor
unsigned colorToBgr(const QColor &c);
QColor bgrToColor(unsigned bgr);

} // namespace kiv

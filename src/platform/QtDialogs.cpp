#include "QtDialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace kiv {

unsigned colorToBgr(const QColor &c)
{
    return static_cast<unsigned>(c.red()) | static_cast<unsigned>(c.green()) << 8 |
           static_cast<unsigned>(c.blue()) << 16;
}

QColor bgrToColor(unsigned bgr)
{
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

namespace {

QString appTitle()
{
    const QString t = QApplication::applicationDisplayName();
    return t.isEmpty() ? QStringLiteral("KivClock") : t;
}

} // namespace

void QtDialogs::ShowMessage(const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, appTitle(), text, QMessageBox::NoButton, m_parent);
    box.addButton(buttonText(mbOK), QMessageBox::AcceptRole);
    box.exec();
}

int QtDialogs::MessageDlg(const QString &text, TMsgDlgType type, unsigned buttons)
{
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    switch (type) {
    case TMsgDlgType::mtWarning: icon = QMessageBox::Warning; break;
    case TMsgDlgType::mtError: icon = QMessageBox::Critical; break;
    case TMsgDlgType::mtInformation: icon = QMessageBox::Information; break;
    case TMsgDlgType::mtConfirmation: icon = QMessageBox::Question; break;
    case TMsgDlgType::mtCustom: break;
    }
    QMessageBox box(icon, dialogCaption(type), text, QMessageBox::NoButton, m_parent);
    struct { TMsgDlgBtn b; int result; QMessageBox::ButtonRole role; } table[] = {
        {mbYes, mrYes, QMessageBox::YesRole}, {mbNo, mrNo, QMessageBox::NoRole},
        {mbOK, mrOk, QMessageBox::AcceptRole}, {mbCancel, mrCancel, QMessageBox::RejectRole}};
    QList<QPair<QAbstractButton *, int>> map;
    for (const auto &t : table)
        if (buttons & t.b)
            map.append({box.addButton(buttonText(t.b), t.role), t.result});
    if (map.isEmpty())
        map.append({box.addButton(buttonText(mbOK), QMessageBox::AcceptRole), mrOk});
    box.exec();
    for (const auto &m : map)
        if (box.clickedButton() == m.first)
            return m.second;
    return (buttons & mbCancel) ? mrCancel : (buttons & mbNo) ? mrNo : mrCancel;
}

int QtDialogs::askButtons(const QString &caption, const QString &text, const QStringList &buttons)
{
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::NoButton, m_parent);
    QList<QAbstractButton *> list;
    for (const QString &b : buttons)
        list << box.addButton(b, QMessageBox::ActionRole);
    box.exec();
    return static_cast<int>(list.indexOf(box.clickedButton()));
}

bool QtDialogs::InputQuery(const QString &caption, const QString &prompt, QString &value)
{
    QInputDialog dlg(m_parent);
    dlg.setWindowTitle(caption);
    dlg.setLabelText(prompt);
    dlg.setTextValue(value);
    dlg.setOkButtonText(buttonText(mbOK));
    dlg.setCancelButtonText(buttonText(mbCancel));
    if (dlg.exec() != QDialog::Accepted)
        return false;
    value = dlg.textValue();
    return true;
}

bool QtDialogs::chooseColor(unsigned &color)
{
    const QColor c = QColorDialog::getColor(bgrToColor(color), m_parent);
    if (!c.isValid())
        return false;
    color = colorToBgr(c);
    return true;
}

QString QtDialogs::openFileName(const QString &title, const QString &filter, const QString &dir)
{
    return QFileDialog::getOpenFileName(m_parent, title, dir, filter);
}

QString QtDialogs::saveFileName(const QString &title, const QString &filter, const QString &dir)
{
    return QFileDialog::getSaveFileName(m_parent, title, dir, filter);
}

void QtDialogs::reportError(const QString &text)
{
    QMessageBox box(QMessageBox::Critical, appTitle(), text, QMessageBox::NoButton, m_parent);
    box.addButton(buttonText(mbOK), QMessageBox::AcceptRole);
    box.exec();
}

} // namespace kiv

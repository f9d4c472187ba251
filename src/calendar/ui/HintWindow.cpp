#include "HintWindow.h"

namespace kiv {

THintWindow::THintWindow(QWidget *owner)
    : QLabel(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus), m_owner(owner)
{
    setObjectName(QStringLiteral("HintWindow"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setForegroundRole(QPalette::ToolTipText);
    setBackgroundRole(QPalette::ToolTipBase);
    setAutoFillBackground(true);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setMargin(2);
    setWordWrap(true);
    setTextFormat(Qt::PlainText);
}

void THintWindow::ActivateHint(const QPoint &screenPos, const QString &text, int maxWidth)
{
    QString plain = text;
    plain.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    if (m_owner)
        setFont(m_owner->font());
    setText(plain);
    setMaximumWidth(maxWidth);
    adjustSize();
    move(screenPos);
    show();
    raise();
}

} // namespace kiv

#pragma once
// A small borderless popup that shows text in the tooltip colours.

#include <QLabel>

namespace kiv {

class THintWindow : public QLabel
{
public:
    explicit THintWindow(QWidget *owner);
    // Shows the text (lines separated by CR LF) with its top left at the
    // screen point, at most maxWidth pixels wide.
    void ActivateHint(const QPoint &screenPos, const QString &text, int maxWidth = 150);
    void ReleaseHandle() { hide(); }

private:
    QWidget *m_owner;
};

} // namespace kiv

#pragma once
// The about box: the program's name and version.

#include <QDialog>

namespace kiv {

class TAboutBox : public QDialog
{
    Q_OBJECT
public:
    explicit TAboutBox(QWidget *parent = nullptr);
};

} // namespace kiv

#include "AboutBox.h"

#include "Dialogs.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kiv {

TAboutBox::TAboutBox(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About KivClock"));
    auto *layout = new QVBoxLayout(this);
    auto *name = new QLabel(QStringLiteral("KivClock"), this);
    name->setObjectName(QStringLiteral("ProductName"));
    QFont f = name->font();
    f.setPointSize(f.pointSize() * 3 / 2);
    f.setBold(true);
    name->setFont(f);
    auto *version = new QLabel(QStringLiteral("Version %1").arg(QStringLiteral(KIV_VERSION)), this);
    version->setObjectName(QStringLiteral("Version"));
    auto *ok = new QPushButton(buttonText(mbOK), this);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(name, 0, Qt::AlignHCenter);
    layout->addWidget(version, 0, Qt::AlignHCenter);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
}

} // namespace kiv

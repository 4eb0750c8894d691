#include "screens/AboutDialog.h"

#include "app/Contacts.h"
#include "screens/Pictures.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace orvane {

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About"));
    auto* logo = new QLabel(this);
    logo->setPixmap(drawPicture(Picture::Logo, 48));
    auto* name = new QLabel(QString::fromUtf8(productName.data(), qsizetype(productName.size())), this);
    name->setObjectName(QStringLiteral("ProductName"));
    QFont big = name->font();
    big.setPointSize(16);
    big.setBold(true);
    name->setFont(big);
    auto* version = new QLabel(QString::fromUtf8(productVersion.data(), qsizetype(productVersion.size())), this);
    version->setObjectName(QStringLiteral("Version"));
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("OKButton"));
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto* texts = new QVBoxLayout;
    texts->addWidget(name);
    texts->addWidget(version);
    auto* top = new QHBoxLayout;
    top->addWidget(logo);
    top->addLayout(texts);
    top->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(close, 0, Qt::AlignRight);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void AboutDialog::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1) {
        emit helpRequested();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace orvane

#include "ui/about.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

QPixmap korvelPicture(const QSize &size)
{
    QPixmap pix(size);
    QPainter p(&pix);
    QLinearGradient g(0, 0, size.width(), size.height());
    g.setColorAt(0, QColor(0x1f, 0x4e, 0x79));
    g.setColorAt(1, QColor(0x2e, 0x86, 0x8c));
    p.fillRect(pix.rect(), g);
    p.setPen(Qt::white);
    QFont title(QStringLiteral("Liberation Sans"));
    title.setPixelSize(size.height() / 4);
    title.setBold(true);
    p.setFont(title);
    p.drawText(QRect(0, 0, size.width(), size.height() * 2 / 3), Qt::AlignCenter, QStringLiteral("Korvel"));
    QFont sub(QStringLiteral("Liberation Sans"));
    sub.setPixelSize(size.height() / 11);
    p.setFont(sub);
    p.drawText(QRect(0, size.height() / 2, size.width(), size.height() / 2), Qt::AlignCenter,
               QStringLiteral("Version 3.0"));
    return pix;
}

TAbout::TAbout(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("A propos"));
    auto *layout = new QVBoxLayout(this);
    auto *picture = new QLabel(this);
    picture->setPixmap(korvelPicture(QSize(320, 160)));
    layout->addWidget(picture);
    auto *name = new QLabel(QStringLiteral("Korvel\nVersion 3.0\nLogiciel de paie pour les petites entreprises"), this);
    name->setAlignment(Qt::AlignCenter);
    layout->addWidget(name);
    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}

TSplash::TSplash() : QSplashScreen(korvelPicture(QSize(420, 210)), Qt::WindowStaysOnTopHint)
{
}

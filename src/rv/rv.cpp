#include "rv/rv.h"

#include "app/colors.h"

RV::RV()
{
    setObjectName(QStringLiteral("RV"));
    setWindowTitle(QStringLiteral("Orbiquest9 - Screen3"));
    auto *client = new QWidget(this);
    setCentralWidget(client);
    Picture1 = new PictureBox(client);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setTwipsGeometry(840, 720, 7575, 5175);
    Picture1->setBackColor(Colors::rgb(0, 0, 0));
    RVC = new PictureBox(Picture1);
    RVC->setObjectName(QStringLiteral("RVC"));
    RVC->setTwipsGeometry(0, 0, 7335, 4935);
    RVC->setBackColor(Colors::rgb(0, 0, 128));
}

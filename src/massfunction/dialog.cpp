#include "massfunction/dialog.h"

#include "ground/fonts.h"
#include "ground/formregistry.h"
#include "ground/pictures.h"
#include "ground/platform.h"
#include "ground/twips.h"
#include "massfunction/formulapicture.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QToolButton>

Dialog::Dialog()
{
    setObjectName(QStringLiteral("Dialog"));
    setWindowTitle(QStringLiteral("Orbiquest9 - Mass Function -"));
    setWindowIcon(Pictures::programIcon());
    setFixedSize(Twips::size(8505, 4185));

    Text1 = new QPlainTextEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setGeometry(Twips::rect(2160, 240, 6135, 2655));
    Text1->setFont(Fonts::gothic(14.25));
    Text1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Text1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setGeometry(Twips::rect(5760, 3240, 1455, 495));
    connect(OKButton, &QPushButton::clicked, this, &Dialog::OKButton_Click);

    OLE1 = new QToolButton(this);
    OLE1->setObjectName(QStringLiteral("OLE1"));
    OLE1->setGeometry(Twips::rect(240, 360, 1695, 855));
    OLE1->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    OLE1->setAutoRaise(true);
    OLE1->setIcon(FormulaPicture::documentIcon());
    OLE1->setIconSize(QSize(32, 32));
    OLE1->setText(QStringLiteral("MassFunction"));
    connect(OLE1, &QToolButton::clicked, this, &Dialog::OLE1_Activate);

    // Like an image control without stretching, the label takes the
    // picture's own size.
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    const QPixmap formula = QPixmap::fromImage(FormulaPicture::minimumMass());
    Image1->setPixmap(formula);
    Image1->setGeometry(QRect(Twips::rect(240, 3120, 0, 0).topLeft(), formula.size()));
}

void Dialog::formLoad()
{
    const QString equals(20, QChar(0xFF1D)); // twenty full-width equals signs
    Lines = {
        QStringLiteral("m = (Nsin i)^3 / (M + N)^2") + QStringLiteral("=")
            + QStringLiteral("K^3 * P^2{(1 - e^2)^3}^(1/2) / 2πG"),
        equals,
        QStringLiteral("Nz = Nsin(i) ～ {K(1 - e^2)^(1/2)} * {P^2(M)^2 / 2πG}^(1/3)"),
        equals,
        QStringLiteral("　This is a important equation to calculate minimum mass of the planets "
                       "which is called 'Mass Function'."),
        QStringLiteral("If we know the dates of the exoplanets when newly astronomers which is "
                       "called 'Orbiquest' have discovered the exoplanets, "),
        QStringLiteral("this would be able to calculate if actually you don't observe the "
                       "exoplanetary system. If you calculated with this equation, you would get "
                       "near the observational result in CNE."),
        QStringLiteral("Orbiquests judge mass size of the heavenlybody to know with Mass "
                       "Function. In the end of right side equation is makes up of the two "
                       "observational volumes that are P and K ."),
    };
    Text1->setPlainText(Lines.join(QStringLiteral("\r\n")));
}

QString Dialog::massFunctionPictureFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::CacheLocation)
           + QStringLiteral("/massfunction01.png");
}

void Dialog::OKButton_Click()
{
    FormRegistry::instance().unload(this);
}

void Dialog::OLE1_Activate()
{
    const QString file = massFunctionPictureFile();
    QDir().mkpath(QFileInfo(file).absolutePath());
    // Like every file command, nothing is said when the picture cannot be written.
    if (FormulaPicture::massFunction().save(file, "PNG"))
        Platform::current().shellOpen(file);
}

void Dialog::closeEvent(QCloseEvent *event)
{
    unloadOnClose(this, event);
}

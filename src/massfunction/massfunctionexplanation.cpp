#include "massfunction/massfunctionexplanation.h"

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

MassFunctionExplanation::MassFunctionExplanation()
{
    setObjectName(QStringLiteral("Dialog"));
    setWindowTitle(QStringLiteral("Orbiquest9 - Mass Function -"));
    setWindowIcon(Pictures::programIcon());
    setFixedSize(Twips::size(8505, 4185));

    m_explanationBox = new QPlainTextEdit(this);
    m_explanationBox->setObjectName(QStringLiteral("Text1"));
    m_explanationBox->setGeometry(Twips::rect(2160, 240, 6135, 2655));
    m_explanationBox->setFont(Fonts::gothic(14.25));
    m_explanationBox->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_explanationBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_explanationBox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setGeometry(Twips::rect(5760, 3240, 1455, 495));
    connect(ok, &QPushButton::clicked, this, [this] { FormRegistry::instance().unload(this); });

    auto *pictureIcon = new QToolButton(this);
    pictureIcon->setObjectName(QStringLiteral("OLE1"));
    pictureIcon->setGeometry(Twips::rect(240, 360, 1695, 855));
    pictureIcon->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    pictureIcon->setAutoRaise(true);
    pictureIcon->setIcon(FormulaPicture::documentIcon());
    pictureIcon->setIconSize(QSize(32, 32));
    pictureIcon->setText(QStringLiteral("MassFunction"));
    connect(pictureIcon, &QToolButton::clicked, this, &MassFunctionExplanation::openFormulaPicture);

    // Like an image control without stretching, the label takes the
    // picture's own size.
    auto *formulaLabel = new QLabel(this);
    formulaLabel->setObjectName(QStringLiteral("Image1"));
    const QPixmap formula = QPixmap::fromImage(FormulaPicture::minimumMass());
    formulaLabel->setPixmap(formula);
    formulaLabel->setGeometry(QRect(Twips::rect(240, 3120, 0, 0).topLeft(), formula.size()));
}

void MassFunctionExplanation::formLoad()
{
    const QString equals(20, QChar(0xFF1D)); // twenty full-width equals signs
    const QStringList lines = {
        QStringLiteral("m = (Nsin i)^3 / (M + N)^2") + QStringLiteral("=")
            + QStringLiteral("K^3 * P{(1 - e^2)^3}^(1/2) / 2πG"),
        equals,
        QStringLiteral("Nz = Nsin(i) ～ {K(1 - e^2)^(1/2)} * {P(M)^2 / 2πG}^(1/3)"),
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
    m_explanationBox->setPlainText(lines.join(QStringLiteral("\r\n")));
}

QString MassFunctionExplanation::massFunctionPictureFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + QStringLiteral("/massfunction01.png");
}

void MassFunctionExplanation::openFormulaPicture()
{
    const QString file = massFunctionPictureFile();
    QDir().mkpath(QFileInfo(file).absolutePath());
    // Like every file command, nothing is said when the picture cannot be written.
    if (FormulaPicture::massFunction().save(file, "PNG"))
        Platform::current().shellOpen(file);
}

void MassFunctionExplanation::closeEvent(QCloseEvent *event)
{
    unloadOnClose(this, event);
}

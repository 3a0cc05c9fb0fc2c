#include "about/frmabout1.h"

#include "ground/appinfo.h"
#include "ground/controls.h"
#include "ground/fonts.h"
#include "ground/formregistry.h"
#include "ground/pictures.h"
#include "ground/platform.h"
#include "ground/twips.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace {

QLabel *colouredLabel(QWidget *parent, const char *name, const QColor &color)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    Controls::setForeColor(label, color);
    return label;
}

} // namespace

frmAbout1::frmAbout1()
{
    setObjectName(QStringLiteral("frmAbout1"));
    setWindowIcon(Pictures::programIcon());
    setFixedSize(Twips::size(6390, 4155));

    lblTitle = colouredLabel(this, "lblTitle", QColor(0, 128, 0));
    lblTitle->setGeometry(Twips::rect(2280, 240, 3885, 480));
    lblTitle->setFont(Fonts::gothic(26.25, true));

    const QFont versionFont = Fonts::gothic(14.25, true);
    lblVersion = colouredLabel(this, "lblVersion", palette().color(QPalette::WindowText));
    lblVersion2 = colouredLabel(this, "lblVersion2", QColor(255, 128, 0));
    lblVersion3 = colouredLabel(this, "lblVersion3", QColor(255, 0, 0));
    int left = 3120;
    for (QLabel *label : {lblVersion, lblVersion2, lblVersion3}) {
        label->setFont(versionFont);
        label->setGeometry(Twips::rect(left, 960, 1800, 375));
        left += 600;
    }
    lblVersion3->setGeometry(Twips::rect(4320, 960, 1995, 375));

    lblDescription = new QLabel(AppInfo::copyrightNotice(), this);
    lblDescription->setObjectName(QStringLiteral("lblDescription"));
    lblDescription->setGeometry(Twips::rect(360, 1920, 4965, 450));
    lblDescription->setWordWrap(true);

    Command1 = new QPushButton(AppInfo::homePage().toString(), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(Twips::rect(360, 2400, 5175, 495));
    QFont linkFont = Fonts::gothic(12, true);
    linkFont.setUnderline(true);
    Command1->setFont(linkFont);
    Command1->setFlat(true);
    Controls::fitText(Command1, Command1->text(), width() - 2 * Command1->x());
    Command1->setCursor(Qt::PointingHandCursor);

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(Twips::rect(2280, 3480, 1380, 345));
    cmdOK->setDefault(true);

    picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setPixmap(Pictures::programPicture(64));
    picIcon->setGeometry(Twips::rect(600, 240, 960, 960));

    connect(cmdOK, &QPushButton::clicked, this, &frmAbout1::cmdOK_Click);
    connect(Command1, &QPushButton::clicked, this, &frmAbout1::Command1_Click);
}

void frmAbout1::formLoad()
{
    const AppVersion version = AppInfo::version();
    setWindowTitle(QStringLiteral("About ") + AppInfo::title());
    lblVersion->setText(QStringLiteral("Ver. "));
    lblVersion2->setText(version.shortText());
    lblVersion3->setText(QLatin1Char('(') + version.text() + QLatin1Char(')'));
    lblTitle->setText(AppInfo::title());
    Controls::fitText(lblTitle, lblTitle->text(), width() - lblTitle->x());
}

void frmAbout1::cmdOK_Click()
{
    FormRegistry::instance().unload(this);
}

void frmAbout1::Command1_Click()
{
    Platform::current().shellOpen(AppInfo::homePage().toString(),
                                  QCoreApplication::applicationDirPath());
}

void frmAbout1::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    // The etched separator above the OK button.
    QPainter painter(this);
    painter.setPen(QColor(128, 128, 128));
    painter.drawLine(Twips::rect(90, 3240, 0, 0).topLeft(), Twips::rect(5654, 3240, 0, 0).topLeft());
    painter.setPen(Qt::white);
    painter.drawLine(Twips::rect(105, 3255, 0, 0).topLeft(), Twips::rect(5654, 3255, 0, 0).topLeft());
}

void frmAbout1::closeEvent(QCloseEvent *event)
{
    unloadOnClose(this, event);
}

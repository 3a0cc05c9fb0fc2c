#include "about/aboutwindow.h"

#include "ground/appinfo.h"
#include "ground/controls.h"
#include "ground/fonts.h"
#include "ground/formregistry.h"
#include "ground/pictures.h"
#include "ground/platform.h"
#include "ground/twips.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QEvent>
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

AboutWindow::AboutWindow()
{
    setObjectName(QStringLiteral("frmAbout1"));
    setWindowIcon(Pictures::programIcon());
    setFixedSize(Twips::size(6390, 4155));

    m_title = colouredLabel(this, "lblTitle", QColor(0, 128, 0));
    m_title->setGeometry(Twips::rect(2280, 240, 3885, 480));
    m_title->setFont(Fonts::gothic(26.25, true));

    const QFont versionFont = Fonts::gothic(14.25, true);
    m_versionPrefix = colouredLabel(this, "lblVersion", palette().color(QPalette::WindowText));
    m_shortVersion = colouredLabel(this, "lblVersion2", QColor(255, 128, 0));
    m_fullVersion = colouredLabel(this, "lblVersion3", QColor(255, 0, 0));
    int left = 3120;
    for (QLabel *label : {m_versionPrefix, m_shortVersion, m_fullVersion}) {
        label->setFont(versionFont);
        label->setGeometry(Twips::rect(left, 960, 1800, 375));
        left += 600;
    }
    m_fullVersion->setGeometry(Twips::rect(4320, 960, 1995, 375));

    auto *description = new QLabel(AppInfo::copyrightNotice(), this);
    description->setObjectName(QStringLiteral("lblDescription"));
    description->setGeometry(Twips::rect(360, 1920, 4965, 450));
    description->setWordWrap(true);
    m_licence = new QLabel(this);
    m_licence->setObjectName(QStringLiteral("lblLicence"));
    m_licence->setGeometry(Twips::rect(360, 1500, 4965, 375));
    retranslate();

    auto *link = new QPushButton(AppInfo::homePage().toString(), this);
    link->setObjectName(QStringLiteral("Command1"));
    link->setGeometry(Twips::rect(360, 2400, 5175, 495));
    QFont linkFont = Fonts::gothic(12, true);
    linkFont.setUnderline(true);
    link->setFont(linkFont);
    link->setFlat(true);
    Controls::fitText(link, link->text(), width() - 2 * link->x());
    link->setCursor(Qt::PointingHandCursor);

    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setGeometry(Twips::rect(2280, 3480, 1380, 345));
    ok->setDefault(true);

    auto *icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("picIcon"));
    icon->setPixmap(Pictures::programPicture(64));
    icon->setGeometry(Twips::rect(600, 240, 960, 960));

    connect(ok, &QPushButton::clicked, this, [this] { FormRegistry::instance().unload(this); });
    connect(link, &QPushButton::clicked, this, [] {
        Platform::current().shellOpen(AppInfo::homePage().toString(), QCoreApplication::applicationDirPath());
    });
}

void AboutWindow::formLoad()
{
    const AppVersion version = AppInfo::version();
    setWindowTitle(QStringLiteral("About ") + AppInfo::title());
    m_versionPrefix->setText(QStringLiteral("Ver. "));
    m_shortVersion->setText(version.shortText());
    m_fullVersion->setText(QLatin1Char('(') + version.text() + QLatin1Char(')'));
    m_title->setText(AppInfo::title());
    Controls::fitText(m_title, m_title->text(), width() - m_title->x());
}

void AboutWindow::retranslate()
{
    m_licence->setText(tr("Licence: GPL-3.0-or-later"));
}

void AboutWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

void AboutWindow::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    // The etched separator above the OK button.
    QPainter painter(this);
    painter.setPen(QColor(128, 128, 128));
    painter.drawLine(Twips::rect(90, 3240, 0, 0).topLeft(), Twips::rect(5654, 3240, 0, 0).topLeft());
    painter.setPen(Qt::white);
    painter.drawLine(Twips::rect(105, 3255, 0, 0).topLeft(), Twips::rect(5654, 3255, 0, 0).topLeft());
}

void AboutWindow::closeEvent(QCloseEvent *event)
{
    unloadOnClose(this, event);
}

#include "register/registrationwindow.h"

#include "ground/appinfo.h"
#include "ground/colors.h"
#include "ground/fonts.h"
#include "ground/formregistry.h"
#include "ground/platform.h"
#include "ground/twips.h"
#include "register/catalogdocument.h"
#include "register/droplist.h"
#include "register/registrationdialogue.h"

#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QPushButton>

namespace {

constexpr double FontPoints = 14.25;

/// The document as the user should look for it. The name alone when the
/// current folder has gone (deleted under the program), since Qt would then
/// make it "/planet_catalog.doc".
QString documentShownAs()
{
    const QString name = CatalogDocument::fileName();
    if (QDir::currentPath().isEmpty())
        return name;
    return QDir::toNativeSeparators(QDir::current().absoluteFilePath(name));
}

QLabel *heading(QWidget *parent, const char *name, const QString &caption, QRect place)
{
    auto *label = new QLabel(caption, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(Fonts::gothic(FontPoints, true));
    label->setGeometry(place);
    return label;
}

QPushButton *button(QWidget *parent, const char *name, const QString &caption, QRect place)
{
    auto *pushButton = new QPushButton(caption, parent);
    pushButton->setObjectName(QString::fromLatin1(name));
    pushButton->setFont(Fonts::gothic(FontPoints, true));
    pushButton->setGeometry(place);
    return pushButton;
}

} // namespace

RegistrationWindow::RegistrationWindow()
{
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Orbiquest9 - Screen4"));
    createControls();
}

void RegistrationWindow::createControls()
{
    QLabel *title = heading(this, "Label8", QStringLiteral("Planet Catalog"), Twips::rect(3960, 120, 2895, 495));
    title->setAlignment(Qt::AlignCenter);
    QPalette catalogColours = title->palette();
    catalogColours.setColor(QPalette::Window, Colors::rgb(255, 255, 0));
    catalogColours.setColor(QPalette::WindowText, Colors::rgb(128, 0, 0));
    title->setPalette(catalogColours);
    title->setAutoFillBackground(true);

    // The column headings of a list row, in the order of its fields.
    heading(this, "Label1", QStringLiteral("Name"), Twips::rect(600, 840, 1455, 375));
    heading(this, "Label2", QStringLiteral("P(d)"), Twips::rect(2280, 840, 1215, 375));
    heading(this, "Label3", QStringLiteral("K(m/s)"), Twips::rect(3720, 840, 1575, 375));
    heading(this, "Label4", QStringLiteral("e"), Twips::rect(5520, 840, 1095, 375));
    heading(this, "Label5", QStringLiteral("ω"), Twips::rect(6840, 840, 975, 375));
    heading(this, "Label6", QStringLiteral("a(AU)"), Twips::rect(8040, 840, 1335, 375));
    heading(this, "Label7", QStringLiteral("M"), Twips::rect(9600, 840, 615, 375));

    m_planetList = new DropList(this);
    m_planetList->setObjectName(QStringLiteral("List1"));
    m_planetList->setFont(Fonts::gothic(FontPoints));
    m_planetList->setGeometry(Twips::rect(240, 1320, 10095, 1485));
    connect(m_planetList, &DropList::textDropped, this, &RegistrationWindow::addDroppedText);

    m_registerButton = button(this, "Register", QStringLiteral("Register"), Twips::rect(1920, 3360, 1815, 735));
    QPushButton *deleteButton = button(this, "Delete", QStringLiteral("Delete"), Twips::rect(4440, 3360, 1815, 735));
    QPushButton *clearButton = button(this, "Clear", QStringLiteral("Clear"), Twips::rect(7080, 3360, 1695, 735));
    connect(m_registerButton, &QPushButton::clicked, this, &RegistrationWindow::registerPlanet);
    connect(deleteButton, &QPushButton::clicked, this, &RegistrationWindow::deleteFirstRow);
    connect(clearButton, &QPushButton::clicked, m_planetList, &QListWidget::clear);
}

void RegistrationWindow::formLoad()
{
    m_registerButton->setToolTip(
        QStringLiteral("To click this button which you make the based CNE original planets catalog."));
    m_planetList->resize(Twips::toPixels(10095), m_planetList->height());
    resize(Twips::size(10995, 5000));
    m_builtInPlanets = ComparisonTable::fromCatalog(PlanetCatalog::builtIn());
}

void RegistrationWindow::registerPlanet()
{
    switch (RegistrationDialogue(m_builtInPlanets).run(m_lastAnswers)) {
    case RegistrationDialogue::Outcome::Stopped:
        emit stopped();
        return;
    case RegistrationDialogue::Outcome::Duplicate:
        Platform::current().messageBox(QStringLiteral("These datas already have existed.\r\nPlease add the others."),
                                       MsgBox::Information, AppInfo::title());
        return;
    case RegistrationDialogue::Outcome::Accepted:
        addPlanet(m_lastAnswers);
        return;
    }
}

void RegistrationWindow::addPlanet(const PlanetRecord &planet)
{
    m_planetList->addItem(PlanetRecordText::listRow(planet));
    // The name alone: the system resolves it in the current folder, and
    // fails when that folder no longer exists.
    const QString error = CatalogDocument::append(CatalogDocument::fileName(), PlanetRecordText::documentLine(planet));
    if (!error.isEmpty()) {
        Platform::current().messageBox(tr("The planet could not be added to\n%1\n\n%2\n\n"
                                          "It is shown in the list, but the document was not changed.")
                                           .arg(documentShownAs(), error),
                                       MsgBox::Exclamation, AppInfo::title());
        return;
    }
    Platform::current().messageBox(QStringLiteral("Set register. Save to doc file(.doc)."), MsgBox::Information,
                                   AppInfo::title());
}

void RegistrationWindow::deleteFirstRow()
{
    if (m_planetList->count() == 0 || !m_planetList->item(0)->isSelected())
        return;
    delete m_planetList->takeItem(0);
    // The list would select the row that moved up; a second click without
    // a new choice must remove nothing.
    m_planetList->clearSelection();
    m_planetList->setCurrentRow(-1);
}

void RegistrationWindow::addDroppedText(const QString &text)
{
    m_planetList->addItem(text);
}

void RegistrationWindow::closeEvent(QCloseEvent *event)
{
    unloadOnClose(this, event);
}

#include "register/form4.h"

#include "ground/appinfo.h"
#include "ground/colors.h"
#include "ground/fonts.h"
#include "ground/platform.h"
#include "ground/twips.h"
#include "register/catalogdocument.h"
#include "register/droplist.h"
#include "register/registrationdialogue.h"

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

Form4::Form4()
{
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Orbiquest9 - Screen4"));
    createControls();
}

void Form4::createControls()
{
    Label8 = heading(this, "Label8", QStringLiteral("Planet Catalog"), Twips::rect(3960, 120, 2895, 495));
    Label8->setAlignment(Qt::AlignCenter);
    QPalette catalogColours = Label8->palette();
    catalogColours.setColor(QPalette::Window, Colors::rgb(255, 255, 0));
    catalogColours.setColor(QPalette::WindowText, Colors::rgb(128, 0, 0));
    Label8->setPalette(catalogColours);
    Label8->setAutoFillBackground(true);

    // The column headings of a list row, in the order of its fields.
    Label1 = heading(this, "Label1", QStringLiteral("Name"), Twips::rect(600, 840, 1455, 375));
    Label2 = heading(this, "Label2", QStringLiteral("P(d)"), Twips::rect(2280, 840, 1215, 375));
    Label3 = heading(this, "Label3", QStringLiteral("K(m/s)"), Twips::rect(3720, 840, 1575, 375));
    Label4 = heading(this, "Label4", QStringLiteral("e"), Twips::rect(5520, 840, 1095, 375));
    Label5 = heading(this, "Label5", QStringLiteral("ω"), Twips::rect(6840, 840, 975, 375));
    Label6 = heading(this, "Label6", QStringLiteral("a(AU)"), Twips::rect(8040, 840, 1335, 375));
    Label7 = heading(this, "Label7", QStringLiteral("M"), Twips::rect(9600, 840, 615, 375));

    List1 = new DropList(this);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setFont(Fonts::gothic(FontPoints));
    List1->setGeometry(Twips::rect(240, 1320, 10095, 1485));
    connect(List1, &DropList::textDropped, this, &Form4::List1_OLEDragDrop);

    Register = button(this, "Register", QStringLiteral("Register"), Twips::rect(1920, 3360, 1815, 735));
    Delete = button(this, "Delete", QStringLiteral("Delete"), Twips::rect(4440, 3360, 1815, 735));
    Clear = button(this, "Clear", QStringLiteral("Clear"), Twips::rect(7080, 3360, 1695, 735));
    connect(Register, &QPushButton::clicked, this, &Form4::Register_Click);
    connect(Delete, &QPushButton::clicked, this, &Form4::Delete_Click);
    connect(Clear, &QPushButton::clicked, this, &Form4::Clear_Click);
}

void Form4::formLoad()
{
    Register->setToolTip(
        QStringLiteral("To click this button which you make the based CNE original planets catalog."));
    List1->resize(Twips::toPixels(10095), List1->height());
    resize(Twips::size(10995, 5000));
    comparison = ComparisonTable::fromCatalog(PlanetCatalog::builtIn());
}

void Form4::Register_Click()
{
    switch (RegistrationDialogue(comparison).run(record)) {
    case RegistrationDialogue::Outcome::Stopped:
        emit stopped();
        return;
    case RegistrationDialogue::Outcome::Duplicate:
        Platform::current().messageBox(
            QStringLiteral("These datas already have existed.\r\nPlease add the others."),
            MsgBox::Information, AppInfo::title());
        return;
    case RegistrationDialogue::Outcome::Accepted:
        addPlanet(record);
        return;
    }
}

void Form4::addPlanet(const PlanetRecord &planet)
{
    List1->addItem(PlanetRecordText::listRow(planet));
    // The name alone: the system resolves it in the current folder, and
    // fails when that folder no longer exists.
    const QString error = CatalogDocument::append(CatalogDocument::fileName(),
                                                  PlanetRecordText::documentLine(planet));
    if (!error.isEmpty()) {
        Platform::current().messageBox(
            QStringLiteral("The planet could not be added to\n%1\n\n%2\n\n"
                           "It is shown in the list, but the document was not changed.")
                .arg(documentShownAs(), error),
            MsgBox::Exclamation, AppInfo::title());
        return;
    }
    Platform::current().messageBox(QStringLiteral("Set register. Save to doc file(.doc)."),
                                   MsgBox::Information, AppInfo::title());
}

void Form4::Delete_Click()
{
    if (List1->count() > 0 && List1->item(0)->isSelected())
        delete List1->takeItem(0);
}

void Form4::Clear_Click()
{
    List1->clear();
}

void Form4::List1_OLEDragDrop(const QString &text)
{
    List1->addItem(text);
}

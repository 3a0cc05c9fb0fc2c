#include "lab/catalogpanel.h"

#include "catalog/catalog.h"
#include "lab/catalognotes.h"

#include <QEvent>
#include <QSignalBlocker>

CatalogPanel::CatalogPanel(QWidget *parent) : QListWidget(parent)
{
    setObjectName(QStringLiteral("planetList"));
    for (int index = PlanetCatalog::FirstPlanet; index <= PlanetCatalog::LastPlanet; ++index)
        new QListWidgetItem(this);
    retranslate();
    connect(this, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            emit planetPicked(PlanetCatalog::FirstPlanet + row);
    });
}

void CatalogPanel::retranslate()
{
    for (int index = PlanetCatalog::FirstPlanet; index <= PlanetCatalog::LastPlanet; ++index) {
        QListWidgetItem *row = item(index - PlanetCatalog::FirstPlanet);
        row->setText(PlanetCatalog::planetName(index));
        if (const std::optional<CatalogNote> note = catalogNote(index)) {
            row->setText(row->text() + QStringLiteral("  ") + note->summary);
            row->setToolTip(note->detail);
        }
    }
}

void CatalogPanel::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QListWidget::changeEvent(event);
}

void CatalogPanel::markShown(const QString &name)
{
    const QSignalBlocker quiet(this);
    int shown = -1;
    for (int index = PlanetCatalog::FirstPlanet; index <= PlanetCatalog::LastPlanet; ++index) {
        if (PlanetCatalog::planetName(index) == name)
            shown = index - PlanetCatalog::FirstPlanet;
    }
    setCurrentRow(shown);
}

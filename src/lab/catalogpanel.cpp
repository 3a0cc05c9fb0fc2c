#include "lab/catalogpanel.h"

#include "catalog/catalog.h"
#include "lab/catalognotes.h"

#include <QSignalBlocker>

CatalogPanel::CatalogPanel(QWidget *parent) : QListWidget(parent)
{
    setObjectName(QStringLiteral("planetList"));
    for (int index = PlanetCatalog::FirstPlanet; index <= PlanetCatalog::LastPlanet; ++index) {
        auto *item = new QListWidgetItem(PlanetCatalog::planetName(index), this);
        if (const std::optional<CatalogNote> note = catalogNote(index)) {
            item->setText(item->text() + QStringLiteral("  ") + note->summary);
            item->setToolTip(note->detail);
        }
    }
    connect(this, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            emit planetPicked(PlanetCatalog::FirstPlanet + row);
    });
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

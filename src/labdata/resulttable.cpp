#include "labdata/resulttable.h"

#include "labdata/plotdata.h"

#include "fitting/resultexport.h"

#include <QHeaderView>

#include <cmath>

namespace {

QString number(double value)
{
    if (!std::isfinite(value))
        return QObject::tr("—");
    return QString::number(value, 'g', 7);
}

} // namespace

ResultTable::ResultTable(QWidget *parent)
    : QTableWidget(0, ColumnCount, parent)
{
    setObjectName(QStringLiteral("resultTable"));
    setHorizontalHeaderLabels({tr("Quantity"), tr("Value"), tr("±"),
                               tr("± (bootstrap)"), tr("Unit")});
    verticalHeader()->setVisible(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    horizontalHeader()->setStretchLastSection(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setColumnHidden(Bootstrap, true);
}

void ResultTable::clearResult()
{
    setRowCount(0);
}

void ResultTable::addRow(const QString &name, double value, double uncertainty, double bootstrap,
                         const QString &unit)
{
    const int row = rowCount();
    insertRow(row);
    const QString cells[ColumnCount] = {
        name, number(value), uncertainty > 0 ? number(uncertainty) : QString(),
        bootstrap > 0 ? number(bootstrap) : QString(), unit};
    for (int column = 0; column < ColumnCount; ++column) {
        auto *item = new QTableWidgetItem(cells[column]);
        if (column != Quantity && column != Unit)
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        setItem(row, column, item);
    }
}

void ResultTable::showResult(const Fitting::Result &result)
{
    setRowCount(0);
    setColumnHidden(Bootstrap, result.bootstrapRuns == 0);
    if (!result.ok())
        return;
    for (std::size_t j = 0; j < result.planets.size(); ++j) {
        const Fitting::PlanetResult &planet = result.planets[j];
        const Fitting::PlanetElements &v = planet.value;
        const Fitting::PlanetElements &s = planet.uncertainty;
        const Fitting::PlanetElements &b = planet.bootstrapUncertainty;
        const QString p = QStringLiteral(" ") + PlotData::planetLetter(int(j));
        addRow(tr("P") + p, v.periodDays, s.periodDays, b.periodDays, tr("d"));
        addRow(tr("K") + p, v.semiAmplitude, s.semiAmplitude, b.semiAmplitude, tr("m/s"));
        addRow(tr("e") + p, v.eccentricity, s.eccentricity, b.eccentricity, QString());
        addRow(tr("ω") + p, Fitting::degreesFromRadians(v.omegaRadians),
               Fitting::degreesFromRadians(s.omegaRadians),
               Fitting::degreesFromRadians(b.omegaRadians), tr("°"));
        addRow(tr("T_p") + p, v.periastronTime, s.periastronTime, b.periastronTime, tr("d"));
        addRow(tr("T_c") + p, v.conjunctionTime, s.conjunctionTime, b.conjunctionTime, tr("d"));
        addRow(tr("m sin i") + p, v.minimumMassJupiter, s.minimumMassJupiter,
               b.minimumMassJupiter, tr("M_Jup"));
        addRow(tr("m sin i") + p, v.minimumMassEarth, s.minimumMassEarth, b.minimumMassEarth,
               tr("M_Earth"));
    }
    for (const Fitting::InstrumentResult &instrument : result.instruments) {
        const QString name = QStringLiteral(" ") + QString::fromStdString(instrument.name);
        addRow(tr("offset") + name, instrument.offset, instrument.offsetUncertainty, 0, tr("m/s"));
        if (instrument.jitter > 0 || instrument.jitterUncertainty > 0)
            addRow(tr("jitter") + name, instrument.jitter, instrument.jitterUncertainty, 0, tr("m/s"));
        addRow(tr("rms") + name, instrument.rms, 0, 0, tr("m/s"));
    }
    if (result.trendFitted)
        addRow(tr("trend"), result.trend, result.trendUncertainty, 0, tr("m/s/d"));
    addRow(tr("−ln L"), result.negativeLogLikelihood, 0, 0, QString());
    addRow(tr("χ²"), result.chiSquare, 0, 0, QString());
    addRow(tr("rms"), result.rms, 0, 0, tr("m/s"));
    addRow(tr("BIC"), result.bic, 0, 0, QString());
    addRow(tr("points"), result.pointCount, 0, 0, QString());
}

int ResultTable::rowOf(const QString &name) const
{
    for (int row = 0; row < rowCount(); ++row) {
        if (item(row, Quantity)->text() == name)
            return row;
    }
    return -1;
}

#include "labdata/resulttable.h"

#include "labdata/plotdata.h"

#include "fitting/resultexport.h"
#include "numeric/numbertext.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>

#include <algorithm>
#include <cmath>

namespace {

/// A summary number, which has no uncertainty to set its precision.
QString number(double value)
{
    if (!std::isfinite(value))
        return QObject::tr("—");
    return QString::number(value, 'g', 7);
}

/// Value and uncertainty to the uncertainty's precision (its two significant digits).
std::pair<QString, QString> measured(double value, double uncertainty)
{
    const QString text = QString::fromStdString(Numeric::measuredText(value, uncertainty));
    const qsizetype split = text.indexOf(QStringLiteral(" ± "));
    if (split < 0)
        return {text, QString()};
    return {text.left(split), text.mid(split + 3)};
}

} // namespace

ResultTable::ResultTable(QWidget *parent) : QTableWidget(0, ColumnCount, parent)
{
    setObjectName(QStringLiteral("resultTable"));
    retranslateHeader();
    verticalHeader()->setVisible(false);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    // Every column as wide as its widest text, so a unit reads in full ("M_Earth").
    horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setColumnHidden(Bootstrap, true);
}

void ResultTable::retranslateHeader()
{
    setHorizontalHeaderLabels({tr("Quantity"), tr("Value"), tr("±"), tr("± (bootstrap)"), tr("Unit")});
}

void ResultTable::clearResult()
{
    setRowCount(0);
}

void ResultTable::addMeasured(const QString &name, double value, double uncertainty, double bootstrap,
                              const QString &unit)
{
    const auto [valueText, uncertaintyText] = measured(value, uncertainty);
    addRow({name, valueText, uncertaintyText, bootstrap > 0 ? measured(bootstrap, bootstrap).second : QString(), unit});
    if (Fitting::unconstrained(value, std::max(uncertainty, bootstrap))) {
        QTableWidgetItem *cell = item(rowCount() - 1, Value);
        cell->setText(cell->text() + QStringLiteral(" †"));
        cell->setToolTip(tr("Unconstrained: the uncertainty exceeds the value."));
    }
}

void ResultTable::addSummary(const QString &name, double value, const QString &unit)
{
    addRow({name, number(value), QString(), QString(), unit});
}

void ResultTable::addRow(const std::array<QString, ColumnCount> &cells)
{
    const int row = rowCount();
    insertRow(row);
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
        addMeasured(tr("P") + p, v.periodDays, s.periodDays, b.periodDays, tr("d"));
        addMeasured(tr("K") + p, v.semiAmplitude, s.semiAmplitude, b.semiAmplitude, tr("m/s"));
        addMeasured(tr("e") + p, v.eccentricity, s.eccentricity, b.eccentricity, QString());
        addMeasured(tr("ω") + p, Fitting::degreesFromRadians(v.omegaRadians),
                    Fitting::degreesFromRadians(s.omegaRadians), Fitting::degreesFromRadians(b.omegaRadians), tr("°"));
        addMeasured(tr("T_p") + p, v.periastronTime, s.periastronTime, b.periastronTime, tr("d"));
        addMeasured(tr("T_c") + p, v.conjunctionTime, s.conjunctionTime, b.conjunctionTime, tr("d"));
        addMeasured(tr("m sin i") + p, v.minimumMassJupiter, s.minimumMassJupiter, b.minimumMassJupiter, tr("M_Jup"));
        addMeasured(tr("m sin i") + p, v.minimumMassEarth, s.minimumMassEarth, b.minimumMassEarth, tr("M_Earth"));
    }
    for (const Fitting::InstrumentResult &instrument : result.instruments) {
        const QString name = QStringLiteral(" ") + QString::fromStdString(instrument.name);
        addMeasured(tr("offset") + name, instrument.offset, instrument.offsetUncertainty, 0, tr("m/s"));
        if (instrument.jitter > 0 || instrument.jitterUncertainty > 0)
            addMeasured(tr("jitter") + name, instrument.jitter, instrument.jitterUncertainty, 0, tr("m/s"));
        addSummary(tr("rms") + name, instrument.rms, tr("m/s"));
        if (!result.decorrelatedAgainst.empty())
            addMeasured(tr("decorrelation") + name, instrument.decorrelation, instrument.decorrelationUncertainty, 0,
                        tr("m/s per unit of %1").arg(QString::fromStdString(result.decorrelatedAgainst)));
    }
    if (result.trendFitted)
        addMeasured(tr("trend"), result.trend, result.trendUncertainty, 0, tr("m/s/d"));
    // The summary has no uncertainty to round it by: seven significant digits.
    addSummary(tr("−ln L"), result.negativeLogLikelihood, QString());
    addSummary(tr("χ²"), result.chiSquare, QString());
    addSummary(tr("rms"), result.rms, tr("m/s"));
    addSummary(tr("BIC"), result.bic, QString());
    addSummary(tr("points"), result.pointCount, QString());
}

int ResultTable::rowOf(const QString &name) const
{
    for (int row = 0; row < rowCount(); ++row) {
        if (item(row, Quantity)->text() == name)
            return row;
    }
    return -1;
}

bool ResultTable::event(QEvent *event)
{
    // The frame's Close keeps Ctrl+C elsewhere; in the table the key copies.
    if (event->type() == QEvent::ShortcutOverride && static_cast<QKeyEvent *>(event)->matches(QKeySequence::Copy)) {
        event->accept();
        return true;
    }
    if (event->type() == QEvent::LanguageChange)
        retranslateHeader();
    return QTableWidget::event(event);
}

void ResultTable::keyPressEvent(QKeyEvent *event)
{
    if (!event->matches(QKeySequence::Copy))
        return QTableWidget::keyPressEvent(event);
    QApplication::clipboard()->setText(selectedText());
    event->accept();
}

QString ResultTable::selectedText() const
{
    // Rows by lines and cells by tabs, as a spreadsheet pastes them; hidden columns stay out.
    QStringList lines;
    for (int row = 0; row < rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < ColumnCount; ++column) {
            const QTableWidgetItem *cell = item(row, column);
            if (!isColumnHidden(column) && cell && cell->isSelected())
                cells << cell->text();
        }
        if (!cells.isEmpty())
            lines << cells.join(u'\t');
    }
    return lines.join(u'\n');
}

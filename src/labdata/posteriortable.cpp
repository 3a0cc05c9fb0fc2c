#include "labdata/posteriortable.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QTableWidget>

namespace {

QString text(const std::string &s)
{
    return QString::fromStdString(s);
}

void addRow(QTableWidget &table, const Sampling::Summary &s, bool sampled)
{
    const int row = table.rowCount();
    table.insertRow(row);
    const auto &p = s.posterior;
    const QStringList cells = {
        text(s.name),
        text(s.unit),
        text(Sampling::medianText(p)),
        text(Sampling::intervalText(p, p.lower68, p.upper68)),
        text(Sampling::intervalText(p, p.lower95, p.upper95)),
        text(Sampling::fitText(s)),
        sampled ? QString::number(s.autocorrelationTime, 'f', 1) : QString(),
        sampled ? QString::number(s.rHat, 'f', 4) : QString(),
    };
    for (int c = 0; c < cells.size(); ++c)
        table.setItem(row, c, new QTableWidgetItem(cells[c]));
}

} // namespace

void fillPosteriorTable(QTableWidget &table, const Sampling::Result &result)
{
    table.clear();
    table.setRowCount(0);
    table.setColumnCount(8);
    table.setHorizontalHeaderLabels({
        QCoreApplication::translate("PosteriorTable", "Quantity"),
        QCoreApplication::translate("PosteriorTable", "Unit"),
        QCoreApplication::translate("PosteriorTable", "Median"),
        QCoreApplication::translate("PosteriorTable", "68.3 % interval"),
        QCoreApplication::translate("PosteriorTable", "95 % interval"),
        QCoreApplication::translate("PosteriorTable", "Fit ± covariance σ"),
        QCoreApplication::translate("PosteriorTable", "τ (steps)"),
        QCoreApplication::translate("PosteriorTable", "split-R̂"),
    });
    if (!result.converged())
        return;
    for (const auto &s : result.derived)
        addRow(table, s, false);
    for (const auto &s : result.sampled)
        addRow(table, s, true);
    table.resizeColumnsToContents();
}

#pragma once

#include "fitting/rvfit.h"

#include <QTableWidget>

/// The fit's results, one quantity a row: value, 1σ uncertainty (from the
/// covariance, and from the bootstrap when one ran) and unit. Planets
/// first (P, K, e, ω, T_p, T_c, m sin i), then per instrument the offset,
/// jitter and rms, the trend, and the summary: −ln L, χ², rms, BIC.
class ResultTable : public QTableWidget
{
    Q_OBJECT

public:
    enum ColumnIndex { Quantity, Value, Uncertainty, Bootstrap, Unit, ColumnCount };

    explicit ResultTable(QWidget *parent = nullptr);

    void showResult(const Fitting::Result &result);
    void clearResult();

    /// The row of quantity `name` ("P b", "χ²" …), or −1.
    int rowOf(const QString &name) const;

private:
    void addRow(const QString &name, double value, double uncertainty, double bootstrap,
                const QString &unit);
};

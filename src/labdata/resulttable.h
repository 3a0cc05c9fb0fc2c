#pragma once

#include "fitting/rvfit.h"

#include <QTableWidget>

#include <array>

/// The fit's results, one quantity a row: value, 1σ uncertainty (from the
/// covariance, and from the bootstrap when one ran) and unit. Planets
/// first (P, K, e, ω, T_p, T_c, m sin i), then per instrument the offset,
/// jitter, rms and, when the fit decorrelates against an activity index, its
/// coefficient; the trend, and the summary: −ln L, χ², rms, BIC.
/// A value with an uncertainty is shown to its precision (two significant
/// digits of the uncertainty). Ctrl+C copies the selected cells as
/// tab-separated lines.
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

    /// The selected cells, a line a row and a tab between cells.
    QString selectedText() const;

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void retranslateHeader();
    void addMeasured(const QString &name, double value, double uncertainty, double bootstrap, const QString &unit);
    void addSummary(const QString &name, double value, const QString &unit);
    void addRow(const std::array<QString, ColumnCount> &cells);
};

#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

#include <vector>

class QPainter;

/// One column of a corner plot: its name (the axis label) and its samples.
struct CornerColumn
{
    QString name;
    std::vector<double> samples;
};

/// A corner plot of posterior samples: on the diagonal each column's 1-D
/// histogram, below it each pair's 2-D density with the contours holding
/// 68.3 % and 95 % of the samples (the regions of highest density of a
/// 2-D histogram, filled and outlined). Every panel takes its x axis from its
/// own column and its y axis from its own row, and the bottom row and left
/// column write those names, so a label can never belong to another column.
/// Painted, so it exports to SVG as drawn.
class CornerPlot : public QWidget
{
    Q_OBJECT

public:
    explicit CornerPlot(QWidget *parent = nullptr);

    void setColumns(std::vector<CornerColumn> columns);
    int columnCount() const { return int(m_columns.size()); }

    /// The label written under panel (row, column)'s x axis, or empty when
    /// that panel writes none (not in the bottom row); likewise the label
    /// beside its y axis (only the left column's 2-D panels write one).
    QString xAxisLabel(int row, int column) const;
    QString yAxisLabel(int row, int column) const;

    /// Paints the whole plot into a picture of `size`.
    void paint(QPainter &painter, QSize size) const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    struct Range
    {
        double low = 0;
        double high = 1;
    };
    void paintHistogram(QPainter &painter, const QRectF &panel, int column) const;
    void paintDensity(QPainter &painter, const QRectF &panel, int row, int column) const;

    std::vector<CornerColumn> m_columns;
    std::vector<Range> m_ranges; ///< of each column, its 0.5 % to 99.5 % quantiles widened a little
};

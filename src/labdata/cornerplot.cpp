#include "labdata/cornerplot.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace {

constexpr int bins = 30;
constexpr double margin = 70; ///< pixels left and below the panels, for the labels
constexpr double gap = 6;     ///< between panels
const double levels[] = {0.683, 0.95};

/// The bin of `value` in range [low, high), or −1 outside.
int binOf(double value, double low, double high)
{
    if (!(value >= low && value < high))
        return -1;
    return std::min(int((value - low) / (high - low) * bins), bins - 1);
}

/// The counts above which the densest cells hold each fraction of all samples.
std::vector<double> thresholds(std::vector<double> cells, double total)
{
    std::sort(cells.begin(), cells.end(), std::greater<>());
    std::vector<double> result;
    for (double level : levels) {
        double sum = 0;
        double threshold = cells.empty() ? 0 : cells.front();
        for (double c : cells) {
            threshold = c;
            sum += c;
            if (sum >= level * total)
                break;
        }
        result.push_back(threshold);
    }
    return result;
}

} // namespace

CornerPlot::CornerPlot(QWidget *parent) : QWidget(parent)
{
    setObjectName("CornerPlot");
    setMinimumSize(400, 400);
}

void CornerPlot::setColumns(std::vector<CornerColumn> columns)
{
    m_columns = std::move(columns);
    m_ranges.clear();
    for (const auto &column : m_columns) {
        std::vector<double> sorted = column.samples;
        std::sort(sorted.begin(), sorted.end());
        Range range;
        if (!sorted.empty()) {
            range.low = sorted[std::size_t(0.005 * double(sorted.size() - 1))];
            range.high = sorted[std::size_t(0.995 * double(sorted.size() - 1))];
        }
        const double pad = range.high > range.low ? 0.05 * (range.high - range.low) : 0.5 * (std::abs(range.low) + 1);
        m_ranges.push_back({range.low - pad, range.high + pad});
    }
    update();
}

QString CornerPlot::xAxisLabel(int row, int column) const
{
    const int n = columnCount();
    return row == n - 1 && column <= row && column >= 0 ? m_columns[std::size_t(column)].name : QString();
}

QString CornerPlot::yAxisLabel(int row, int column) const
{
    return column == 0 && row > 0 && row < columnCount() ? m_columns[std::size_t(row)].name : QString();
}

void CornerPlot::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    paint(painter, size());
}

void CornerPlot::paint(QPainter &painter, QSize size) const
{
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    const int n = columnCount();
    if (n == 0)
        return;
    painter.setRenderHint(QPainter::Antialiasing);
    const double side = std::max(10.0, (std::min(size.width(), size.height()) - margin - gap * n) / n);
    QFont font = painter.font();
    font.setPixelSize(std::clamp(int(side / 9), 9, 13));
    painter.setFont(font);
    for (int row = 0; row < n; ++row) {
        for (int column = 0; column <= row; ++column) {
            const QRectF panel(margin + column * (side + gap), gap + row * (side + gap), side, side);
            painter.setPen(QPen(Qt::gray, 0));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(panel);
            if (row == column)
                paintHistogram(painter, panel, column);
            else
                paintDensity(painter, panel, row, column);
            painter.setPen(Qt::black);
            const double line = painter.fontMetrics().height();
            if (const QString x = xAxisLabel(row, column); !x.isEmpty()) {
                const Range &range = m_ranges[std::size_t(column)];
                const QRectF ends(panel.left(), panel.bottom() + 2, panel.width(), line);
                painter.drawText(ends, Qt::AlignLeft | Qt::AlignTop, QString::number(range.low, 'g', 5));
                painter.drawText(ends, Qt::AlignRight | Qt::AlignTop, QString::number(range.high, 'g', 5));
                const QRectF below(panel.left(), panel.bottom() + 2 + line, panel.width(), margin - 4 - line);
                painter.drawText(below, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, x);
            }
            if (const QString y = yAxisLabel(row, column); !y.isEmpty()) {
                const Range &range = m_ranges[std::size_t(row)];
                painter.save();
                painter.translate(panel.left() - 2, panel.center().y());
                painter.rotate(-90);
                const QRectF ends(-side / 2, -line, side, line);
                painter.drawText(ends, Qt::AlignLeft | Qt::AlignBottom, QString::number(range.low, 'g', 5));
                painter.drawText(ends, Qt::AlignRight | Qt::AlignBottom, QString::number(range.high, 'g', 5));
                painter.drawText(QRectF(-side / 2, -margin + 4, side, margin - 6 - line),
                                 Qt::AlignHCenter | Qt::AlignBottom | Qt::TextWordWrap, y);
                painter.restore();
            }
        }
    }
}

void CornerPlot::paintHistogram(QPainter &painter, const QRectF &panel, int column) const
{
    const Range &range = m_ranges[std::size_t(column)];
    std::vector<double> counts(bins, 0.0);
    for (double v : m_columns[std::size_t(column)].samples)
        if (const int b = binOf(v, range.low, range.high); b >= 0)
            ++counts[std::size_t(b)];
    const double top = *std::max_element(counts.begin(), counts.end());
    if (!(top > 0))
        return;
    QPainterPath outline;
    outline.moveTo(panel.bottomLeft());
    for (int b = 0; b < bins; ++b) {
        const double y = panel.bottom() - 0.95 * panel.height() * counts[std::size_t(b)] / top;
        outline.lineTo(panel.left() + panel.width() * b / bins, y);
        outline.lineTo(panel.left() + panel.width() * (b + 1) / bins, y);
    }
    outline.lineTo(panel.bottomRight());
    painter.setPen(QPen(QColor(30, 60, 140), 1.2));
    painter.setBrush(QColor(30, 60, 140, 50));
    painter.drawPath(outline);
}

void CornerPlot::paintDensity(QPainter &painter, const QRectF &panel, int row, int column) const
{
    const Range &xr = m_ranges[std::size_t(column)];
    const Range &yr = m_ranges[std::size_t(row)];
    const auto &xs = m_columns[std::size_t(column)].samples;
    const auto &ys = m_columns[std::size_t(row)].samples;
    std::vector<double> cells(bins * bins, 0.0);
    for (std::size_t i = 0; i < std::min(xs.size(), ys.size()); ++i) {
        const int bx = binOf(xs[i], xr.low, xr.high);
        const int by = binOf(ys[i], yr.low, yr.high);
        if (bx >= 0 && by >= 0)
            ++cells[std::size_t(by * bins + bx)];
    }
    // A [1 2 1] ⊗ [1 2 1] / 16 smoothing, so the contours follow the density rather than the counting noise.
    std::vector<double> smooth(bins * bins, 0.0);
    for (int by = 0; by < bins; ++by)
        for (int bx = 0; bx < bins; ++bx)
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const int x = bx + dx;
                    const int y = by + dy;
                    if (x >= 0 && y >= 0 && x < bins && y < bins)
                        smooth[std::size_t(by * bins + bx)] +=
                            cells[std::size_t(y * bins + x)] * (2 - std::abs(dx)) * (2 - std::abs(dy)) / 16.0;
                }
    cells = std::move(smooth);
    double total = 0;
    for (double c : cells)
        total += c;
    const std::vector<double> limits = thresholds(cells, total);
    const double w = panel.width() / bins;
    const double h = panel.height() / bins;
    auto cellRect = [&](int bx, int by) { return QRectF(panel.left() + bx * w, panel.bottom() - (by + 1) * h, w, h); };
    const QColor fills[] = {QColor(30, 60, 140, 150), QColor(30, 60, 140, 60)};
    painter.setPen(Qt::NoPen);
    painter.setRenderHint(QPainter::Antialiasing, false); // no seams between neighbouring cells
    for (int by = 0; by < bins; ++by)
        for (int bx = 0; bx < bins; ++bx) {
            const double c = cells[std::size_t(by * bins + bx)];
            if (c > 0 && c >= limits[1])
                painter.fillRect(cellRect(bx, by), c >= limits[0] ? fills[0] : fills[1]);
        }
    // Each level's contour: the cell edges between a cell inside it and one outside.
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(QColor(20, 40, 100), 1));
    for (double limit : limits) {
        auto inside = [&](int bx, int by) {
            return bx >= 0 && by >= 0 && bx < bins && by < bins && cells[std::size_t(by * bins + bx)] >= limit
                && cells[std::size_t(by * bins + bx)] > 0;
        };
        for (int by = 0; by < bins; ++by)
            for (int bx = 0; bx < bins; ++bx) {
                if (!inside(bx, by))
                    continue;
                const QRectF r = cellRect(bx, by);
                if (!inside(bx - 1, by))
                    painter.drawLine(r.topLeft(), r.bottomLeft());
                if (!inside(bx + 1, by))
                    painter.drawLine(r.topRight(), r.bottomRight());
                if (!inside(bx, by - 1))
                    painter.drawLine(r.bottomLeft(), r.bottomRight());
                if (!inside(bx, by + 1))
                    painter.drawLine(r.topLeft(), r.topRight());
            }
    }
}

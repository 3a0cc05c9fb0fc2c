#pragma once

#include "sampling/posterior.h"

#include <QWidget>

class QPainter;

/// Trace plots of a sampling run: one strip per parameter, the value of a few
/// walkers against the step, the burn-in shaded, so a user sees the walkers
/// settle and mix (or not). Painted: tens of thousands of steps would make a
/// chart of series slow.
class TracePlot : public QWidget
{
    Q_OBJECT

public:
    static constexpr int shownWalkers = 8;

    explicit TracePlot(QWidget *parent = nullptr);

    /// The run to show; its chain and parameters are copied by reference
    /// count, nothing is kept from a previous run.
    void setRun(std::shared_ptr<const Sampling::Result> run);
    void paint(QPainter &painter, QSize size) const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void paintStrip(QPainter &painter, const QRectF &strip, int parameter) const;

    std::shared_ptr<const Sampling::Result> m_run;
};

#pragma once

#include <QWidget>

/// The orbit seen edge-on along the line of nodes: the orbital plane
/// tilted by the inclination i against the sky plane, its normal, and the
/// line of sight. At i = 90° the star's whole motion runs along the line
/// of sight; towards i = 0 only the fraction sin i of it reaches the
/// observer, which is why m sin i is a lower limit of the mass.
class SideView : public QWidget
{
    Q_OBJECT

public:
    explicit SideView(QWidget *parent = nullptr);

    /// i in degrees, 0 to 90.
    void setInclination(double degrees);

    /// Draws the view at `size` pixels, for the screen and for export.
    void render(QPainter &painter, QSize size) const;

    QSize sizeHint() const override { return {260, 320}; }

protected:
    /// Its texts are painted: a change of language paints them again.
    void changeEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    double m_inclinationDegrees = 90;
};

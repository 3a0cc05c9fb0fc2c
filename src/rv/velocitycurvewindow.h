#pragma once

#include "seedmodel/rvcurve.h"

#include <QMainWindow>

class PictureBox;
class QLineEdit;
struct Simulation;

/// "Screen3": the radial-velocity plot of the current planet.
///
/// Controls keep their designed names as objectName: the plot "RVC" inside
/// "Picture1", the carrier boxes "Text1" (e), "Text2" (K, m/s), "Text3"
/// (P, days) and "Text5" (ω, radians), the decorations "Text4", "Text6",
/// "Label3" … "Label8" and "Line1" … "Line3", and the menu items "Clear",
/// "End", "FOpen" and "Fsave".
class VelocityCurveWindow : public QMainWindow
{
    Q_OBJECT

public:
    VelocityCurveWindow();

    /// Load handler: the plot's tool tip.
    void formLoad();

    /// Writes e, K, P and ω (radians) of `simulation` into the carrier boxes.
    void showElements(const Simulation &simulation);

    /// Plots the curve of `elements` into the plot with a summary above it:
    /// the planet's name (empty for a planet of one's own), `mass` as the
    /// catalog window shows it (Earth masses with `earthMasses`), P, K, e.
    ///
    /// A K, P or mass of 0 (or one that is not a finite number) means
    /// nothing has been set up yet: the user is asked to set one up, and
    /// the window is unloaded instead of drawn; returns false. An
    /// eccentricity outside [0, 1) leaves the summary alone and says the
    /// curve cannot be drawn.
    bool drawRadialVelocityCurve(const RvCurve::Elements &elements, double mass, bool earthMasses,
                                 const QString &planetName);
    /// The summary lines the last plot printed, each with its italic tail
    /// appended ("Mass = 2.5 M_JUP/sin" and "i" give "Mass = 2.5 M_JUP/sini").
    QStringList printedSummary() const;

    /// Removes the plot's background picture (a loaded file).
    void removePlotPicture();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void createControls(QWidget *client);
    void createMenus();

    QString m_statusWord; ///< "Open" or "Save" after a file command
    QStringList m_printedSummary;
    PictureBox *m_plot = nullptr;
    QLineEdit *m_eccentricityBox = nullptr;
    QLineEdit *m_semiAmplitudeBox = nullptr;
    QLineEdit *m_periodBox = nullptr;
    QLineEdit *m_omegaRadiansBox = nullptr;
};

#pragma once

#include "lab/labplanet.h"

#include <QElapsedTimer>
#include <QMainWindow>

#include <optional>

class ElementControl;
class OrbitView;
class QAction;
class QCheckBox;
class QLabel;
class QListWidget;
class QMdiSubWindow;
class QMenu;
class QPushButton;
class QTimer;
class RvPlot;
class SideView;

/// "Orbiquest9 - Kepler Lab": one planet's true orbit and true
/// radial-velocity curve, every element editable, the orbit animated by
/// Kepler's second law in step with a cursor on the curve, the inclination
/// and what it does to the mass, and export of curve and pictures.
///
/// A child of the frame like Screen1, with its own menu bar inside the
/// child: the frame gives its menu bar to Screen1 for as long as Screen1
/// is loaded, so the lab's File menu lives in the lab.
class KeplerLab : public QMainWindow
{
    Q_OBJECT

public:
    /// One orbit takes this long on screen at speed ×1.
    static constexpr double SecondsPerOrbit = 8;
    /// The animation's frame interval, ms: about the display's rate.
    static constexpr int FrameInterval = 16;

    KeplerLab();

    /// Load handler: shows the simulator's planet while a simulation runs,
    /// else the first catalog planet.
    void formLoad();

    /// Opens the lab (loading it on first use) and brings it forward.
    static void open();
    /// Hands a set-up's planet to the lab if it is loaded; nothing else.
    static void handOver(const std::optional<LabPlanet> &planet);

    void showInFrame();
    const LabPlanet &planet() const { return m_planet; }
    bool isPlaying() const { return m_playing; }
    /// Where the animation stands, days.
    double animationTime() const { return m_time; }

    /// The work behind the File menu, without the dialog: each writes one
    /// file and returns true, or shows why it could not and returns false.
    bool exportCurve(const QString &path);
    bool savePlot(const QString &path);
    bool saveOrbit(const QString &path);

public slots:
    void showPlanet(const LabPlanet &planet);
    void play();
    void pause();
    /// Moves the animation to time t (days) and both views with it.
    void setAnimationTime(double timeDays);

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void createControls();
    void createMenus();
    void applyElements();
    void nextFrame();
    void runTimerIfWanted();
    void pickCatalogPlanet(int row);
    QString askFile(const QString &filter);
    bool report(const QString &failure);

    LabPlanet m_planet;
    QMdiSubWindow *m_subWindow = nullptr;

    QListWidget *m_planetList = nullptr;
    QLabel *m_planetName = nullptr;
    ElementControl *m_period = nullptr;
    ElementControl *m_amplitude = nullptr;
    ElementControl *m_eccentricity = nullptr;
    ElementControl *m_omega = nullptr;
    ElementControl *m_periastron = nullptr;
    ElementControl *m_starMass = nullptr;
    ElementControl *m_inclination = nullptr;
    ElementControl *m_speed = nullptr;
    QCheckBox *m_phaseCheck = nullptr;
    QCheckBox *m_schematicCheck = nullptr;
    QPushButton *m_playButton = nullptr;
    QPushButton *m_pauseButton = nullptr;
    QLabel *m_refusal = nullptr;

    QLabel *m_massFunction = nullptr;
    QLabel *m_minimumMass = nullptr;
    QLabel *m_trueMass = nullptr;
    QLabel *m_semiMajorAxis = nullptr;
    QLabel *m_starSpeed = nullptr;
    QLabel *m_seedMass = nullptr;

    RvPlot *m_plot = nullptr;
    OrbitView *m_orbitView = nullptr;
    SideView *m_sideView = nullptr;

    QMenu *m_fileMenu = nullptr;
    QAction *m_exportCurveItem = nullptr;
    QAction *m_savePlotItem = nullptr;
    QAction *m_saveOrbitItem = nullptr;
    QAction *m_closeItem = nullptr;

    QTimer *m_frameTimer = nullptr;
    QElapsedTimer m_clock;
    bool m_playing = true;
    bool m_applying = false;
    double m_time = 0;
};

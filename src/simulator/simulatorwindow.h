#pragma once

#include "catalog/catalog.h"
#include "seedmodel/simulation.h"

#include <QWidget>

class PictureBox;
class QLabel;
class QMenu;
class QTimer;

/// "Screen1": the orbit simulator inside the frame. It owns the current
/// Simulation, the built-in catalog and the main menus, which the frame
/// shows in its menu bar while this window is open.
///
/// Its controls keep their designed names as objectName: the drawing area
/// "Simulator", the pictures "Planet1", "Star", "Gravity" and "Image1_0",
/// the caption "Label1", the animation timer "Timer1", and the menu items
/// "Screen1" … "mnuUpdateCheck".
class SimulatorWindow : public QWidget
{
    Q_OBJECT

public:
    SimulatorWindow();

    /// Load handler: centres, animation on, catalog, tool tip, update check.
    void formLoad();
    /// Shows this window, and with it the frame around it.
    void showInFrame();

    /// The menus the frame shows while this window is open.
    QList<QMenu *> menus() const;

    /// The current simulation: the last one a set-up completed (all zero
    /// before the first).
    const Simulation &simulation() const { return m_simulation; }
    /// True while the animation is switched on: from the start routine or a
    /// set-up until a stop. Timer1 itself rests while there is nothing to
    /// move (before the first set-up).
    bool isAnimating() const;
    /// Switches the animation on (the start routine does).
    void startAnimation();

    /// The window's status word: "Stop" after EXIT, "Open" or "Save" after a
    /// file command; the stop routine reads it.
    QString statusWord() const { return m_statusWord; }

    /// Halts the animation and resets the screen: beep, timer off, the
    /// drawn orbit and the caption cleared, the status panel back to the
    /// title. After EXIT (status word "Stop") it also removes the
    /// simulator's background picture, otherwise the RV plot's.
    void stopSimulation();

signals:
    /// A set-up completed: `simulation` is now the current one and its
    /// scene, results and curve are shown.
    void simulationStarted(const Simulation &simulation);
    /// Close(&C) of the main menu: the frame decides, after the timer stopped.
    void closeAllRequested();
    /// Kepler Lab(&K) of the main menu.
    void labRequested();

public slots:
    /// Screen1(&F1): the set-up dialogue, then the scene.
    void setUpSimulation();
    /// One tick of Timer1: the planet one degree on, the star opposite.
    void animateOneTick();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void createControls();
    void createMenus();
    /// Shows the default instance of a top-level window and brings it forward.
    template <class Window> void showWindow();
    /// Shows the set-up's results in Screen1, Screen2 and Screen3.
    void showSimulation();
    void drawOrbit();
    void haltAnimation();
    void exitCommand();
    void showDatabase();
    void checkForUpdate();
    void showInformation(Qt::MouseButton button, QPointF twips, QPoint globalPos);

    /// Timer1 wakes when the next tick moves a picture by a pixel, and runs
    /// the ticks in between unseen: an animation costs what it shows.
    void wakeForTicks();
    /// Ticks from now until the planet or the star lands on another pixel
    /// (at most a turn of 360).
    int ticksUntilAPictureMoves() const;

    /// The original platform never fired a timer faster than about 15.6 ms,
    /// so one revolution of 360 ticks took about 5.6 s; 16 ms keeps that pace.
    static constexpr int TickMs = 16;

    Simulation m_simulation;
    PlanetCatalog m_catalog;
    QString m_statusWord;

    PictureBox *m_drawingArea = nullptr;
    QLabel *m_caption = nullptr;
    QLabel *m_planetPicture = nullptr;
    QLabel *m_starPicture = nullptr;
    QLabel *m_tipPicture = nullptr;
    QTimer *m_animationTimer = nullptr;
    bool m_animationOn = false;
    int m_ticksPerWake = 1; ///< ticks the current wait of Timer1 stands for
    QMenu *m_screenMenu = nullptr;
    QList<QMenu *> m_menus;
};

#pragma once

#include "app/picturebox.h"
#include "catalog/catalog.h"

#include <QWidget>

class QAction;
class QLabel;
class QMenu;
class QTimer;

/// "Screen1": the orbit simulator inside the frame. It owns the simulator's
/// state, the built-in catalog and the main menus, which the frame shows in
/// its menu bar while this window is open.
class Form1 : public QWidget
{
    Q_OBJECT

public:
    Form1();

    /// Load handler: centres, animation on, catalog, tool tip, update check.
    void formLoad();
    /// Shows this window, and with it the frame around it.
    void showInFrame();

    /// The menus the frame shows while this window is open.
    QList<QMenu *> menus() const;

    /// Status word of the window: "Stop" after EXIT, "Open" or "Save" after
    /// a file command; StopSimulation reads it.
    QString Tag;

    PictureBox *Simulator = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Planet1 = nullptr;
    QLabel *Star = nullptr;
    QLabel *Gravity = nullptr;
    /// Image1(0): holds the picture of the simulator's tool tip (the program icon).
    QLabel *Image1_0 = nullptr;
    QTimer *Timer1 = nullptr;

    // Centre of the drawing area, of the planet's orbit and of the star's circle, in twips.
    float CenterX = 0;
    float CenterY = 0;
    float OrbitCenterX = 0;
    float OrbitCenterY = 0;
    float StarCenterX = 0;
    float StarCenterY = 0;

    // Animation state read by every tick.
    qint16 AngleDeg = 0;
    double Eccentricity = 0;
    double OrbitRadius = 0;
    double OrbitHeight = 0;
    double WobbleRadius = 0;

    // The last scene set-up's values; they stay until the next set-up.
    double PeriodDays = 0;
    float SemiAmplitude = 0;
    float AxisAU = 0;
    double AxisMetres = 0;
    double StarMassSolar = 0; ///< as typed; a catalog planet leaves it alone
    double StarMassKg = 0;
    double MinMassKg = 0;
    float MinMassJup = 0;
    QString BodyClass; ///< "Planet", "Brown Dwarf" or "Star"; empty before the first set-up
    qint16 EntryCount = 0;

    // The information box of a press on the drawing area, rebuilt at every press.
    QString NewLine;
    QString InfoTitle;

    /// m sin i in kg (single precision) from a in metres, P in days, e, K
    /// in m/s and M in kg. Out-of-range elements (see
    /// MassFunctionMath::argumentsValid) stop the simulation and give 0.
    /// M takes no part in the result.
    float MassFunction(double a, double P, double e, float K, double M);

    PlanetCatalog catalog;
    QString WebAddress;

    QMenu *m1 = nullptr;
    QMenu *Scr = nullptr;
    QMenu *m3 = nullptr;
    QMenu *Fl = nullptr;
    QMenu *m4 = nullptr;
    QMenu *m5 = nullptr;
    QMenu *Hlp = nullptr;
    QAction *Screen1 = nullptr;
    QAction *Screen2 = nullptr;
    QAction *Screen3 = nullptr;
    QAction *Cpt = nullptr;
    QAction *Exit = nullptr;
    QAction *Reg = nullptr;
    QAction *Close = nullptr;
    QAction *Load = nullptr;
    QAction *Save = nullptr;
    QAction *List = nullptr;
    QAction *DB = nullptr;
    QAction *MF = nullptr;
    QAction *Help = nullptr;
    QAction *mnuUpdateCheck = nullptr;

public slots:
    void Screen1_Click();
    void Screen2_Click();
    void Screen3_Click();
    void Cpt_Click();
    void Exit_Click();
    void Reg_Click();
    void Close_Click();
    void Load_Click();
    void Save_Click();
    void List_Click();
    void DB_Click();
    void MF_Click();
    void Help_Click();
    void mnuUpdateCheck_Click();
    void Timer1_Timer();
    void Simulator_MouseDown(Qt::MouseButton button, QPointF twips, QPoint globalPos);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void createControls();
    void createMenus();
    /// Shows the default instance of a top-level window and brings it forward.
    template<class Window>
    void showWindow();
};

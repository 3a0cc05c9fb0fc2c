#pragma once

#include "lab/labplanet.h"

#include <QElapsedTimer>
#include <QMainWindow>

#include <functional>
#include <optional>

class CatalogPanel;
class DerivedPanel;
class ElementPanel;
class LabPlots;
class QAction;
class QMdiSubWindow;
class QMenu;
class QSplitter;
class QTabWidget;
class QTimer;

/// "Orbiquest9 - Kepler Lab": one planet's true orbit and true
/// radial-velocity curve, every element editable, the orbit animated by
/// Kepler's second law in step with a cursor on the curve, the inclination
/// and what it does to the mass, and export of curve and pictures.
///
/// It composes the panes a reader sees: the catalog list (CatalogPanel),
/// the element panel (ElementPanel), the plots (LabPlots) and the derived
/// values (DerivedPanel). The controls' column and the derived values scroll
/// and the plots sit in splitters, so every control can be reached on a
/// 1024 × 768 screen.
///
/// A child of the frame like Screen1, with its own menu bar inside the
/// child: the frame gives its menu bar to Screen1 for as long as Screen1
/// is loaded, so the lab's File menu ("labFileMenu") lives in the lab.
/// Other windows join the lab through typed calls: a page beside its own
/// ("True orbit") in the tabs "labTabs", file commands at the head of its
/// File menu, and dropped files. While the focus is in the lab, the keys
/// of its File menu are the lab's, even where the frame has the same key
/// (Screen1's Load and the lab's Open both take Ctrl+O).
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

    /// Adds `page` as a tab after the lab's own; the lab takes it. The tab
    /// follows the page's window title when the page retitles itself (on a
    /// change of language, say).
    void addPage(QWidget *page, const QString &title);
    /// Brings the tab of `page` (one given to addPage()) to the front.
    void showPage(QWidget *page);
    /// The lab's own page, "True orbit".
    QWidget *orbitPage() const { return m_orbitPage; }
    /// Puts `actions` (separators and submenus included) at the head of the
    /// File menu, above the lab's own commands.
    void addFileActions(const QList<QAction *> &actions);
    /// A local file dropped anywhere on the lab goes to `open`.
    void acceptFileDrops(std::function<void(const QString &path)> open);
    /// Puts `pane` above the lab's plots, in the splitter they share with
    /// the derived values; the lab takes it.
    void addPlotsPane(QWidget *pane);

    /// Whether help that measures the student against the best fit ("How
    /// close am I?") is offered; a challenge may turn it off. On at first.
    void setHintsAllowed(bool allowed);
    bool hintsAllowed() const { return m_hintsAllowed; }

signals:
    /// The planet after every change the lab accepted (a new planet or an
    /// edited element).
    void planetChanged(const LabPlanet &planet);
    void hintsAllowedChanged(bool allowed);

public slots:
    void showPlanet(const LabPlanet &planet);
    void play();
    void pause();
    /// Moves the animation to time t (days) and both views with it.
    void setAnimationTime(double timeDays);

protected:
    bool event(QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    QWidget *createOrbitPage();
    void createMenus();
    void retranslate();
    static QString picturesFilter();
    void applyElements();
    void nextFrame();
    void runTimerIfWanted();
    /// The File menu's command for the key of `event`, if the lab claims it.
    QAction *fileCommandFor(const QKeyEvent *event) const;

    LabPlanet m_planet;
    /// The planet as last shown, before any edit.
    LabPlanet m_shownPlanet;
    QMdiSubWindow *m_subWindow = nullptr;

    QTabWidget *m_tabs = nullptr;
    QWidget *m_orbitPage = nullptr;
    CatalogPanel *m_catalog = nullptr;
    ElementPanel *m_elements = nullptr;
    DerivedPanel *m_derived = nullptr;
    LabPlots *m_plots = nullptr;

    QMenu *m_fileMenu = nullptr;
    QAction *m_firstOwnCommand = nullptr;
    QAction *m_exportCurveItem = nullptr;
    QAction *m_savePlotItem = nullptr;
    QAction *m_saveOrbitItem = nullptr;
    QAction *m_closeItem = nullptr;
    QMenu *m_viewMenu = nullptr;
    QAction *m_presentation = nullptr;
    QSplitter *m_plotsAndValues = nullptr;
    bool m_hintsAllowed = true;
    std::function<void(const QString &)> m_openDropped;

    QTimer *m_frameTimer = nullptr;
    QElapsedTimer m_clock;
    bool m_playing = true;
    double m_time = 0;
};

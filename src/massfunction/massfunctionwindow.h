#pragma once

#include <QStringList>
#include <QWidget>

#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
struct Simulation;

/// "Screen2": the catalog browser, and the results of the last simulation.
///
/// The list "List1" shows the fifteen built-in planets with P and K;
/// choosing a row shows the planet's name ("Text2") and a short
/// explanation ("Text4"), and clears the result boxes. The Screen1 set-up
/// shows its results through showResult(): m sin i in "Text1", the orbit
/// form in "Text3", the class in "Text5". "Check1" makes the next set-up
/// show the mass in Earth masses; "Label6" names the unit.
///
/// The button "realDataButton" is enabled while the window shows a catalog
/// planet, chosen in the list or hit by a set-up, whose star's measured
/// velocities are shipped; it asks for them with realDataRequested().
class MassFunctionWindow : public QWidget
{
    Q_OBJECT

public:
    MassFunctionWindow();

    /// Load handler: fills the tables and the list.
    void formLoad();

    /// Shows the mass, the orbit form and the class of `simulation`.
    void showResult(const Simulation &simulation);
    /// True while the Earth-mass box is ticked.
    bool showsEarthMasses() const;

signals:
    /// Real data: open the measured velocities of catalog planet
    /// `catalogIndex`'s star.
    void realDataRequested(int catalogIndex);

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void createControls();
    void retranslate();
    /// "M_{E}(地球質量)" or "M_{JUP}(木星質量)" in the current language.
    static QString massUnitCaption(bool earthMasses);
    void fillTables();
    void showChosenPlanet();
    void showMassUnit();
    /// The catalog planet shown now (0 for none), and the Real data button with it.
    void showCatalogPlanet(int catalogIndex);

    /// Rows of the list, names and explanations, by catalog index (0 is the heading).
    QStringList m_rowTexts;
    QStringList m_planetNames;
    QStringList m_explanations;

    /// m sin i in Jupiter masses of the result shown; nothing while the
    /// mass box is empty. Ticking the Earth-mass box converts it.
    std::optional<float> m_shownJupiterMasses;
    QLineEdit *m_massBox = nullptr;
    QLineEdit *m_planetNameBox = nullptr;
    QLineEdit *m_orbitFormBox = nullptr;
    QPlainTextEdit *m_explanationBox = nullptr;
    QLineEdit *m_classBox = nullptr;
    QLabel *m_massUnitLabel = nullptr;
    /// Which unit caption Label6 shows since the box was last ticked or
    /// cleared (Earth masses when true); nothing while it keeps "(M_JUP)".
    std::optional<bool> m_massUnitShown;
    QCheckBox *m_earthMassBox = nullptr;
    QListWidget *m_catalogList = nullptr;
    QPushButton *m_realDataButton = nullptr;
    int m_shownCatalogIndex = 0;
};

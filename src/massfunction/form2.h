#pragma once

#include <QStringList>
#include <QWidget>

#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
struct Simulation;

/// "Screen2": the catalog browser, and the results of the last simulation.
///
/// The list "List1" shows the fifteen built-in planets with P and K;
/// choosing a row shows the planet's name ("Text2") and a short
/// explanation ("Text4"), and clears the result boxes. The Screen1 set-up
/// shows its results through showResult(): m sin i in "Text1", the orbit
/// form in "Text3", the class in "Text5". "Check1" makes the next set-up
/// show the mass in Earth masses; "Label6" names the unit.
class Form2 : public QWidget
{
    Q_OBJECT

public:
    Form2();

    /// Load handler: fills the tables and the list.
    void formLoad();

    /// Shows the mass, the orbit form and the class of `simulation`.
    void showResult(const Simulation &simulation);
    /// True while the Earth-mass box is ticked.
    bool showsEarthMasses() const;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void createControls();
    void fillTables();
    void showChosenPlanet();
    void showMassUnit();

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
    QCheckBox *m_earthMassBox = nullptr;
    QListWidget *m_catalogList = nullptr;
};

#pragma once

#include <QStringList>
#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;

/// "Screen2": the catalog browser, and the results of the last simulation.
///
/// The list shows the fifteen built-in planets with P and K; choosing a row
/// shows the planet's name and a short explanation, and clears the result
/// boxes. The Screen1 set-up writes the results: m sin i into Text1, the
/// orbit form into Text3, the class into Text5. Check1 makes the next
/// set-up show the mass in Earth masses.
class Form2 : public QWidget
{
    Q_OBJECT

public:
    Form2();

    /// Load handler: fills the tables and the list.
    void formLoad();

    /// Rows of the list, names and explanations, by catalog index (0 is the heading).
    QStringList RowText;
    QStringList PlanetName;
    QStringList Explanation;

    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *Label5 = nullptr;
    QLabel *Label6 = nullptr;
    QLabel *Label8 = nullptr;
    QLineEdit *Text1 = nullptr; ///< m sin i as shown
    QLineEdit *Text2 = nullptr; ///< name of the row last chosen
    QLineEdit *Text3 = nullptr; ///< "Circle" or "Ellipse"
    QPlainTextEdit *Text4 = nullptr;
    QLineEdit *Text5 = nullptr; ///< "Planet", "Brown Dwarf" or "Star"
    QCheckBox *Check1 = nullptr;
    QListWidget *List1 = nullptr;

public slots:
    void List1_Click();
    void Check1_Click();

private:
    void createControls();
    void fillTables();
};

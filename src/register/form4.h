#pragma once

#include "register/comparisontable.h"
#include "register/planetrecord.h"

#include <QWidget>

class DropList;
class QLabel;
class QPushButton;

/// "Screen4": registers planets of the user's own. The registration
/// dialogue collects one planet; an accepted planet becomes a row of the
/// scratch list List1 and a line of "planet_catalog.doc" in the current
/// folder. Deleting or clearing rows never touches the document.
class Form4 : public QWidget
{
    Q_OBJECT

public:
    Form4();

    /// Load handler: tool tip, sizes and the comparison table.
    void formLoad();

    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *Label5 = nullptr;
    QLabel *Label6 = nullptr;
    QLabel *Label7 = nullptr;
    QLabel *Label8 = nullptr;
    DropList *List1 = nullptr;
    QPushButton *Register = nullptr;
    QPushButton *Delete = nullptr;
    QPushButton *Clear = nullptr;

    /// P and K of the built-in planets, filled by the load handler.
    ComparisonTable comparison;
    /// The values of the last planet that passed each step of the dialogue.
    PlanetRecord record;

signals:
    /// A stop answer ended the registration dialogue; like every stop
    /// answer it stops the simulation, which the top floor wires up.
    void stopped();

public slots:
    /// Runs the registration dialogue and files an accepted planet.
    void Register_Click();
    /// Removes the first row, and only when it is the selected one.
    void Delete_Click();
    void Clear_Click();
    /// Adds dropped text as a row at the end, unchanged.
    void List1_OLEDragDrop(const QString &text);

private:
    void createControls();
    /// Adds the accepted planet to the list and the document and says so.
    void addPlanet(const PlanetRecord &planet);
};

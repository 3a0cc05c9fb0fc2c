#pragma once

#include "register/comparisontable.h"
#include "register/planetrecord.h"

#include <QWidget>

class DropList;
class QPushButton;

/// "Screen4": registers planets of the user's own. The registration
/// dialogue collects one planet; an accepted planet becomes a row of the
/// scratch list "List1" and a line of "planet_catalog.doc" in the current
/// folder. Deleting or clearing rows never touches the document.
///
/// Controls keep their designed names as objectName: the buttons
/// "Register", "Delete" and "Clear", the headings "Label1" … "Label8".
class RegistrationWindow : public QWidget
{
    Q_OBJECT

public:
    RegistrationWindow();

    /// Load handler: tool tip, sizes and the comparison table.
    void formLoad();

signals:
    /// A stop answer ended the registration dialogue; like every stop
    /// answer it stops the simulation, which the top floor wires up.
    void stopped();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void createControls();
    /// Register: runs the registration dialogue and files an accepted planet.
    void registerPlanet();
    /// Delete: removes the first row, and only when it is the selected one.
    void deleteFirstRow();
    /// Adds dropped text as a row at the end, unchanged.
    void addDroppedText(const QString &text);
    /// Adds the accepted planet to the list and the document and says so.
    void addPlanet(const PlanetRecord &planet);

    /// P and K of the built-in planets, filled by the load handler.
    ComparisonTable m_builtInPlanets;
    /// The values of the last planet that passed each step of the dialogue.
    PlanetRecord m_lastAnswers;
    DropList *m_planetList = nullptr;
    QPushButton *m_registerButton = nullptr;
};

#pragma once

#include "observations/tablereader.h"

#include <QList>
#include <QObject>

class QAction;
class QMenu;
class QWidget;

/// The Observations tab's file commands as a File menu shows them: open,
/// the shipped and example sets, synthetic observations, then the saves
/// and exports. It only offers them; the panel does the work on the
/// signals.
///
/// Object names: the actions "actionOpenRvData", "actionMakeSynthetic",
/// "actionSaveData", "actionExportResiduals", "actionExportFitCsv",
/// "actionExportFitJson", "actionExportPlot"; the menus "realDataMenu"
/// (items "shippedSet_<file name>"), "exampleMenu" (items "exampleSet_<n>")
/// and "velocityUnitMenu" (items "velocityUnit_declared", "velocityUnit_ms",
/// "velocityUnit_kms").
class FileCommands : public QObject
{
    Q_OBJECT

public:
    /// The submenus are children of `parent`.
    explicit FileCommands(QWidget *parent);

    /// The commands, submenus and separators in menu order.
    QList<QAction *> actions() const { return m_actions; }

    /// Saving needs data; the fit's exports need a fit (also one without planets).
    void setAvailable(bool haveData, bool haveFit);

    /// How files are to be read: the velocity unit the user chose, if any
    /// (else the file's own declaration, else m/s).
    Observations::ReadOptions readOptions() const { return m_readOptions; }

signals:
    void openRequested();
    /// A shipped set by its file name ("51peg.sys").
    void shippedSetChosen(const QString &fileName);
    /// An example of Observations::exampleSets() by its index.
    void exampleChosen(std::size_t index);
    void makeSyntheticRequested();
    void saveDataRequested();
    void exportResidualsRequested();
    void exportFitCsvRequested();
    void exportFitJsonRequested();
    void exportPlotRequested();
    /// The user chose another velocity unit; the file shown should be read again.
    void velocityUnitChanged();

private:
    /// The texts in the current language: each action's source text, given with QT_TR_NOOP.
    void retranslate();
    QAction *addAction(const char *text, const QString &name, void (FileCommands::*signal)());
    QMenu *velocityUnitMenu(QWidget *parent);

    QList<QAction *> m_actions;
    QList<std::pair<QAction *, const char *>> m_texts;
    QAction *m_saveData;
    QList<QAction *> m_fitExports;
    Observations::ReadOptions m_readOptions;
};

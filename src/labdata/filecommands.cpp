#include "labdata/filecommands.h"

#include "ground/languageswitch.h"

#include "observations/datafolder.h"
#include "observations/synthetic.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

FileCommands::FileCommands(QWidget *parent) : QObject(parent)
{
    QAction *open =
        addAction(QT_TR_NOOP("Open RV data…"), QStringLiteral("actionOpenRvData"), &FileCommands::openRequested);
    // Shown in the menu; the key itself is taken by the panel's event filter
    // in the panel and in every widget that accepts its drops.
    open->setShortcut(QKeySequence::Open);
    open->setShortcutContext(Qt::WidgetWithChildrenShortcut);

    auto *realData = new QMenu(parent);
    m_texts.append({realData->menuAction(), QT_TR_NOOP("Real data")});
    realData->setObjectName(QStringLiteral("realDataMenu"));
    for (const Observations::ShippedSet &set : Observations::shippedSets()) {
        const QString fileName = QString::fromStdString(set.fileName);
        QAction *action = realData->addAction(QString::fromStdString(set.title));
        action->setObjectName(QStringLiteral("shippedSet_") + fileName);
        connect(action, &QAction::triggered, this, [this, fileName] { emit shippedSetChosen(fileName); });
    }
    auto *examples = new QMenu(parent);
    m_texts.append({examples->menuAction(), QT_TR_NOOP("Synthetic examples")});
    examples->setObjectName(QStringLiteral("exampleMenu"));
    const auto &sets = Observations::exampleSets();
    for (std::size_t n = 0; n < sets.size(); ++n) {
        QAction *action = examples->addAction(QString::fromStdString(sets[n].name));
        action->setObjectName(QStringLiteral("exampleSet_%1").arg(n));
        connect(action, &QAction::triggered, this, [this, n] { emit exampleChosen(n); });
    }
    m_actions.append(realData->menuAction());
    m_actions.append(examples->menuAction());
    m_actions.append(velocityUnitMenu(parent)->menuAction());

    addAction(QT_TR_NOOP("Make synthetic observations…"), QStringLiteral("actionMakeSynthetic"),
              &FileCommands::makeSyntheticRequested);
    auto *separator = new QAction(this);
    separator->setSeparator(true);
    m_actions.append(separator);
    m_saveData = addAction(QT_TR_NOOP("Save observations as text…"), QStringLiteral("actionSaveData"),
                           &FileCommands::saveDataRequested);
    m_fitExports = {addAction(QT_TR_NOOP("Export data, model and residuals (CSV)…"),
                              QStringLiteral("actionExportResiduals"), &FileCommands::exportResidualsRequested),
                    addAction(QT_TR_NOOP("Export fit results (CSV)…"), QStringLiteral("actionExportFitCsv"),
                              &FileCommands::exportFitCsvRequested),
                    addAction(QT_TR_NOOP("Export fit results (JSON)…"), QStringLiteral("actionExportFitJson"),
                              &FileCommands::exportFitJsonRequested)};
    addAction(QT_TR_NOOP("Export plots (PNG/SVG)…"), QStringLiteral("actionExportPlot"),
              &FileCommands::exportPlotRequested);
    setAvailable(false, false);
    retranslate();
    connect(&LanguageSwitch::instance(), &LanguageSwitch::changed, this, &FileCommands::retranslate);
}

QMenu *FileCommands::velocityUnitMenu(QWidget *parent)
{
    using Observations::VelocityUnit;
    auto *menu = new QMenu(parent);
    m_texts.append({menu->menuAction(), QT_TR_NOOP("Velocity unit")});
    menu->setObjectName(QStringLiteral("velocityUnitMenu"));
    auto *choices = new QActionGroup(menu);
    const std::pair<QString, std::optional<VelocityUnit>> units[] = {
        {QStringLiteral("declared"), std::nullopt},
        {QStringLiteral("ms"), VelocityUnit::MetresPerSecond},
        {QStringLiteral("kms"), VelocityUnit::KilometresPerSecond}};
    const char *texts[] = {QT_TR_NOOP("As the file says"), QT_TR_NOOP("m/s"), QT_TR_NOOP("km/s")};
    for (std::size_t n = 0; n < std::size(units); ++n) {
        QAction *action = menu->addAction(QString());
        m_texts.append({action, texts[n]});
        action->setObjectName(QStringLiteral("velocityUnit_") + units[n].first);
        action->setCheckable(true);
        action->setChecked(n == 0);
        choices->addAction(action);
        const std::optional<VelocityUnit> unit = units[n].second;
        connect(action, &QAction::triggered, this, [this, unit] {
            if (m_readOptions.velocityUnit == unit)
                return;
            m_readOptions.velocityUnit = unit;
            emit velocityUnitChanged();
        });
    }
    return menu;
}

void FileCommands::retranslate()
{
    for (const auto &[action, text] : std::as_const(m_texts))
        action->setText(tr(text));
}

QAction *FileCommands::addAction(const char *text, const QString &name, void (FileCommands::*signal)())
{
    auto *action = new QAction(this);
    m_texts.append({action, text});
    action->setObjectName(name);
    connect(action, &QAction::triggered, this, signal);
    m_actions.append(action);
    return action;
}

void FileCommands::setAvailable(bool haveData, bool haveFit)
{
    m_saveData->setEnabled(haveData);
    for (QAction *action : std::as_const(m_fitExports))
        action->setEnabled(haveFit);
}

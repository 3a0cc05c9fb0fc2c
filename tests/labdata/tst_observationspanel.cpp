#include "labdata/analysisrunner.h"
#include "labdata/datachart.h"
#include "labdata/fitcontrols.h"
#include "labdata/observationspanel.h"
#include "labdata/periodogramchart.h"
#include "labdata/resulttable.h"
#include "labdata/syntheticdialog.h"
#include "support/findcontrol.h"
#include "support/panelfixture.h"

#include "fitting/resultexport.h"
#include "observations/rvwriter.h"
#include "observations/synthetic.h"

#include <QtCharts>
#include <QtTest>
#include <QtWidgets>

#include <algorithm>
#include <map>
#include <memory>
#include <random>

namespace {

const QByteArray TwoInstruments =
    "time mnvel errvel tel\n"
    "2450000.5 10.0 1.0 HARPS\n"
    "2450001.5 12.0 1.0 HARPS\n"
    "2450002.5 9.0 1.5 HIRES\n"
    "2450003.5 11.0 1.0 HARPS\n"
    "2450004.5 8.0 2.0 HIRES\n";

/// The truth of the quick fit: 40 uniform points of one eccentric planet.
const Kepler::Orbit QuickPlanet{12.3, 25.0, 0.2, 1.0, 2460003.0};

Observations::DataSet quickSet()
{
    const Observations::SyntheticPlan plan{.count = 40,
                                           .spanDays = 150,
                                           .startTime = 2460000.0,
                                           .cadence = Observations::Cadence::Uniform,
                                           .noiseSigma = 1.0,
                                           .seed = 11};
    return Observations::simulate(std::span(&QuickPlanet, 1), plan);
}

/// Three instruments of 1500 points and four planets: long enough to cancel in the middle.
Observations::DataSet slowSet()
{
    const std::vector<Kepler::Orbit> planets{{3.1, 12, 0.1, 0.3, 2460001},
                                             {17.7, 30, 0.3, 2.0, 2460004},
                                             {61.0, 9, 0.05, 4.0, 2460010},
                                             {240.0, 20, 0.4, 1.0, 2460030}};
    std::vector<Observations::SyntheticPlan> plans;
    for (std::size_t k = 0; k < 3; ++k)
        plans.push_back({.count = 1500,
                         .spanDays = 3000,
                         .cadence = Observations::Cadence::Uniform,
                         .noiseSigma = 2.0,
                         .jitter = 1.0,
                         .seed = 3 + k,
                         .instrument = "I" + std::to_string(k),
                         .instrumentOffset = 10.0 * double(k)});
    return Observations::simulate(planets, plans);
}

QList<int> seriesCounts(const DataChart *chart)
{
    QList<int> counts;
    for (const QScatterSeries *series : chart->instrumentSeries())
        counts.append(series->count());
    return counts;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestObservationsPanel : public QObject, private PanelFixture
{
    Q_OBJECT

    template <class T> T *child(const char *name) { return control<T>(m_panel.get(), name); }

    QAction *action(const QString &name) { return child<QAction>(qPrintable(name)); }

    void loadText(const QByteArray &text, const QString &name = QStringLiteral("rv.txt"))
    {
        const QString path = m_environment->path() + u'/' + name;
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(text) == text.size());
        file.close();
        m_platform->fileNames.enqueue(path);
        action("actionOpenRvData")->trigger();
    }

    // Generous: the sanitizer build runs the worker several times slower.
    void waitIdle() { QTRY_VERIFY_WITH_TIMEOUT(!m_panel->runner()->isRunning(), 30000); }

    void fitQuickSet()
    {
        m_panel->setData(quickSet(), QStringLiteral("quick"));
        waitIdle();
        child<QPushButton>("fitButton")->click();
        QVERIFY(m_panel->runner()->isRunning());
        QTRY_VERIFY_WITH_TIMEOUT(child<ResultTable>("resultTable")->rowCount() > 0, 30000);
    }

    /// Fills in the synthetic observations dialog and presses Make.
    void makeSynthetic(int points, double span, int cadence)
    {
        SyntheticDialog *dialog = m_panel->syntheticDialog();
        dialog->findChild<QSpinBox *>(QStringLiteral("syntheticPoints"))->setValue(points);
        dialog->findChild<QDoubleSpinBox *>(QStringLiteral("syntheticSpan"))->setValue(span);
        dialog->findChild<QComboBox *>(QStringLiteral("syntheticCadence"))->setCurrentIndex(cadence);
        dialog->findChild<QPushButton *>(QStringLiteral("syntheticMake"))->click();
    }

    double bestPeriod() { return child<PeriodogramChart>("periodogramChart")->peakSeries()->at(0).x(); }

private slots:
    void init() { openPanel(); }

    void cleanup() { closePanel(); }

    void controlsByObjectName()
    {
        // The controls the other tests use are found by name and kind there.
        for (const char *name : {"fitTrend", "fitCircular", "fitProgress", "plotTabs", "plotArea", "usePlanetChoice"})
            QVERIFY2(m_panel->findChild<QWidget *>(QString::fromLatin1(name)), name);
    }

    void fapThresholdStepsByDecades()
    {
        auto *fap = child<QDoubleSpinBox>("fapThreshold");
        QCOMPARE(fap->text(), QStringLiteral("0.001"));
        fap->stepBy(-3);
        QVERIFY(std::abs(fap->value() / 1e-6 - 1) < 1e-9);
        QCOMPARE(fap->text(), QStringLiteral("1e-06"));
        fap->stepBy(10);
        QCOMPARE(fap->value(), 1.0);
        fap->findChild<QLineEdit *>()->selectAll();
        QTest::keyClicks(fap->findChild<QLineEdit *>(), QStringLiteral("2.5e-4"));
        fap->interpretText();
        QCOMPARE(m_panel->findChild<FitControls *>()->options().falseAlarmThreshold, 2.5e-4);
    }

    void fileMenuOffersEverySet()
    {
        const QList<QAction *> actions = m_panel->fileMenuActions();
        QCOMPARE(actions.first()->objectName(), QStringLiteral("actionOpenRvData"));
        QCOMPARE(actions.first()->shortcut(), QKeySequence(QKeySequence::Open));
        // Eight catalog stars and the two K2 sets; the four synthetic examples.
        QCOMPARE(child<QMenu>("realDataMenu")->actions().size(), 10);
        QCOMPARE(child<QMenu>("exampleMenu")->actions().size(), 4);
        QVERIFY(actions.contains(child<QMenu>("realDataMenu")->menuAction()));
        // Nothing to fit or export before there are data.
        QVERIFY(!child<QPushButton>("fitButton")->isEnabled());
        QVERIFY(!action("actionExportFitCsv")->isEnabled());
        QVERIFY(!action("actionSaveData")->isEnabled());
        action("exampleSet_2")->trigger();
        QVERIFY(!m_panel->data().measurements.empty());
        QVERIFY(action("actionSaveData")->isEnabled());
    }

    void shippedSetKeepsItsInstrumentsAndStarMass()
    {
        action("shippedSet_51peg.sys")->trigger();
        QVERIFY(m_platform->messageBoxes.isEmpty());
        // The catalog folder's README: 256 Lick and 153 ELODIE velocities; the system file's Mass 1.12.
        QCOMPARE(seriesCounts(child<DataChart>("velocityChart")), (QList<int>{256, 153}));
        QCOMPARE(child<QDoubleSpinBox>("fitStarMass")->value(), 1.12);
    }

    void openedFileFillsThePlotUntilABadOne()
    {
        loadText(TwoInstruments);
        const auto *chart = child<DataChart>("velocityChart");
        QCOMPARE(seriesCounts(chart), (QList<int>{3, 2}));
        QCOMPARE(chart->instrumentSeries().at(1)->name(), QStringLiteral("HIRES"));
        QCOMPARE(chart->errorBarCount(), 5);
        QVERIFY(child<QLabel>("dataTitle")->text().contains(QStringLiteral("HIRES (2)")));
        QCOMPARE(m_platform->openTitles, QStringList{QStringLiteral("Open RV data")});
        QVERIFY(m_platform->messageBoxes.isEmpty());
        // A file that cannot be read is said with the reader's reason (its reasons are tst_rvreader's),
        // and the data shown before stay.
        loadText("2450000.5 10 1\n2450001.5 abc 1\n", QStringLiteral("bad.txt"));
        QCOMPARE(m_platform->messageBoxes.size(), 1);
        const ScriptedPlatform::Box box = m_platform->messageBoxes.first();
        QVERIFY2(box.prompt.startsWith(QStringLiteral("bad.txt cannot be read:\nline 2")), qPrintable(box.prompt));
        QCOMPARE(box.style, MsgBox::OkOnly | MsgBox::Exclamation);
        QCOMPARE(seriesCounts(chart), (QList<int>{3, 2}));
        QCOMPARE(m_panel->data().measurements.size(), std::size_t(5));
    }

    void aChosenVelocityUnitReadsTheFileAgain()
    {
        loadText(TwoInstruments);
        action("velocityUnit_kms")->trigger();
        // The file's 10.0 and its σ 1.0, now km/s.
        QCOMPARE(m_panel->data().measurements.front().velocity, 10000.0);
        QCOMPARE(m_panel->data().measurements.front().uncertainty, 1000.0);
        action("velocityUnit_declared")->trigger();
        QCOMPARE(m_panel->data().measurements.front().velocity, 10.0);
    }

    void periodogramMarksItsPeaksInAnEditableRange()
    {
        const Observations::DataSet data = quickSet();
        m_panel->setData(data, QStringLiteral("quick"));
        QVERIFY(m_panel->runner()->isRunning());
        waitIdle();
        const auto *chart = child<PeriodogramChart>("periodogramChart");
        QVERIFY(chart->dataSeries()->count() > 100);
        QCOMPARE(chart->peakSeries()->count(), int(AnalysisRunner::PeakCount));
        // The highest peak at the planet's period: a 150-day span resolves 12.3 d to ±0.5 d.
        QVERIFY(std::abs(bestPeriod() - QuickPlanet.periodDays) < 0.5);
        QVERIFY(chart->periodAxis()->min() < QuickPlanet.periodDays);
        QVERIFY(chart->periodAxis()->max() > QuickPlanet.periodDays);
        QVERIFY(!chart->residualSeries()->isVisible());
        // The peaks are listed too; the axis stops at 1, the most a normalised power can be.
        const double listed = child<QTableWidget>("peakTable")->item(0, 1)->text().toDouble();
        QVERIFY2(std::abs(listed - QuickPlanet.periodDays) < 0.5, qPrintable(QString::number(listed)));
        QCOMPARE(qobject_cast<QValueAxis *>(chart->chart()->axes(Qt::Vertical).value(0))->max(), 1.0);
        // The automatic grid reaches twice the time span.
        auto *from = child<QDoubleSpinBox>("periodFrom");
        auto *to = child<QDoubleSpinBox>("periodTo");
        const auto [first, last] = std::ranges::minmax(data.measurements, {}, &Observations::Measurement::time);
        QVERIFY2(std::abs(to->value() - 2 * (last.time - first.time)) < 0.01, qPrintable(QString::number(to->value())));
        QVERIFY(from->value() < 1.0);

        from->setValue(5);
        to->setValue(50);
        child<QPushButton>("periodogramButton")->click();
        QVERIFY(m_panel->runner()->isRunning());
        waitIdle();
        for (const QPointF &p : chart->dataSeries()->points())
            QVERIFY(p.x() > 4.99 && p.x() < 50.01);
        from->setValue(60);
        child<QPushButton>("periodogramButton")->click();
        QVERIFY(!m_panel->runner()->isRunning());
        QCOMPARE(child<QLabel>("fitStatus")->text(), QStringLiteral("The shortest period must be below the longest."));
    }

    void fitFillsTheTableAndBootstrapAsksForItsRuns()
    {
        fitQuickSet();
        const ResultTable *table = child<ResultTable>("resultTable");
        const int row = table->rowOf(QStringLiteral("P b"));
        QVERIFY(row >= 0);
        const double period = m_panel->fitResult()->planets.at(0).value.periodDays;
        const double sigma = table->item(row, ResultTable::Uncertainty)->text().toDouble();
        QVERIFY(sigma > 0);
        QVERIFY2(std::abs(period - QuickPlanet.periodDays) < 4 * sigma, qPrintable(QString::number(period)));
        for (const char *name :
             {"K b", "e b", "ω b", "T_p b", "m sin i b", "offset Synthetic", "−ln L", "χ²", "rms", "BIC"})
            QVERIFY2(table->rowOf(QString::fromUtf8(name)) >= 0, name);
        QVERIFY(child<DataChart>("velocityChart")->curveSeries()->isVisible());
        QCOMPARE(seriesCounts(child<DataChart>("residualChart")), QList<int>{40});
        QCOMPARE(child<QComboBox>("phasePlanet")->count(), 1);
        QCOMPARE(seriesCounts(child<DataChart>("phaseChart")), QList<int>{40});
        QVERIFY(child<PeriodogramChart>("periodogramChart")->residualSeries()->isVisible());

        QSignalSpy chosen(m_panel.get(), &ObservationsPanel::planetChosen);
        child<QPushButton>("usePlanetButton")->click();
        QCOMPARE(chosen.size(), 1);
        QVERIFY(std::abs(chosen.first().at(0).value<Kepler::Orbit>().periodDays - period) < 1e-6 * period);
        QCOMPARE(chosen.first().at(2).toString(), QStringLiteral("quick b (fit)"));

        // Too few and not a number are refused aloud, a cancel quietly; twenty runs.
        QVERIFY(child<QPushButton>("bootstrapButton")->isEnabled());
        for (const auto &[answer, aloud] : QList<std::pair<QString, bool>>{{"5", true}, {"many", true}, {"", false}}) {
            const qsizetype boxes = m_platform->messageBoxes.size();
            m_platform->inputAnswers.enqueue(answer);
            child<QPushButton>("bootstrapButton")->click();
            QVERIFY2(!m_panel->runner()->isRunning(), qPrintable(answer));
            QCOMPARE(m_platform->messageBoxes.size(), boxes + (aloud ? 1 : 0));
        }
        m_platform->inputAnswers.enqueue(QStringLiteral("20"));
        child<QPushButton>("bootstrapButton")->click();
        QVERIFY(m_panel->runner()->isRunning());
        QCOMPARE(m_platform->inputBoxes.size(), 4);
        QCOMPARE(m_platform->messageBoxes.size(), 2);
        waitIdle();
        QVERIFY(table->item(table->rowOf(QStringLiteral("P b")), ResultTable::Bootstrap)->text().toDouble() > 0);
        QVERIFY(child<QLabel>("fitStatus")->text().contains(QStringLiteral("Bootstrap of")));
    }

    void searchCanBeCancelledOrReplaced()
    {
        m_panel->setData(slowSet(), QStringLiteral("slow"));
        waitIdle();
        child<QSpinBox>("planetCount")->setValue(4);
        child<QCheckBox>("fitJitter")->setChecked(true);
        child<QDoubleSpinBox>("fapThreshold")->setValue(1.0);
        child<QPushButton>("findPlanetsButton")->click();
        QVERIFY(m_panel->runner()->isRunning());
        QVERIFY(child<QPushButton>("cancelButton")->isEnabled());
        QVERIFY(!child<QPushButton>("fitButton")->isEnabled());
        // The event loop serves a queued call while the worker computes.
        bool served = false;
        QMetaObject::invokeMethod(
            m_panel.get(), [&served] { served = true; }, Qt::QueuedConnection);
        QTRY_VERIFY_WITH_TIMEOUT(served, 30000);
        QVERIFY2(m_panel->runner()->isRunning(), "the search ended before it could be cancelled");
        child<QPushButton>("cancelButton")->click();
        waitIdle();
        QCOMPARE(child<QLabel>("fitStatus")->text(), QStringLiteral("Cancelled."));
        QCOMPARE(child<ResultTable>("resultTable")->rowCount(), 0);
        QVERIFY(child<QPushButton>("fitButton")->isEnabled());
        QVERIFY(!child<QPushButton>("cancelButton")->isEnabled());

        // New data during a search: it ends cancelled, then the new data's periodogram runs.
        child<QPushButton>("findPlanetsButton")->click();
        QVERIFY(m_panel->runner()->isRunning());
        m_panel->setData(quickSet(), QStringLiteral("quick"));
        QCOMPARE(m_panel->data().measurements.size(), std::size_t(40));
        QTRY_VERIFY_WITH_TIMEOUT(child<PeriodogramChart>("periodogramChart")->peakSeries()->count() > 0, 30000);
        waitIdle();
        QVERIFY(!m_panel->fitResult());
        QCOMPARE(child<ResultTable>("resultTable")->rowCount(), 0);
        QVERIFY(std::abs(bestPeriod() - QuickPlanet.periodDays) < 0.5);
    }

    // K2-131's scatter asks for a jitter, and its activity's best period fails on the nightly means.
    void aSearchSaysWhatItNoticed()
    {
        QVERIFY(m_panel->openShippedSet(QStringLiteral("k2-131_rv.txt")));
        waitIdle();
        child<QPushButton>("findPlanetsButton")->click();
        waitIdle();
        const QString status = child<QLabel>("fitStatus")->text();
        QVERIFY2(status.contains(QStringLiteral("A jitter per instrument is fitted")), qPrintable(status));
        QVERIFY2(status.contains(QStringLiteral("judged by its nights")), qPrintable(status));
    }

    void refusedFitIsSaid()
    {
        loadText("2450000.5 10 1\n2450001.5 12 1\n2450003.5 9 1\n");
        waitIdle();
        child<QSpinBox>("planetCount")->setValue(2);
        child<QPushButton>("fitButton")->click();
        waitIdle();
        QVERIFY(!child<QLabel>("fitStatus")->text().isEmpty());
        QCOMPARE(child<ResultTable>("resultTable")->rowCount(), 0);
        QVERIFY(m_platform->messageBoxes.isEmpty());
    }

    void exports_data()
    {
        QTest::addColumn<QString>("actionName");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("fileName");
        const QString csv = QStringLiteral("CSV table (*.csv)");
        const QString pictures = QStringLiteral("PNG picture (*.png);;SVG drawing (*.svg)");
        QTest::newRow("data as text") << "actionSaveData"
                                      << "RV data (*.txt)"
                                      << "data.txt";
        QTest::newRow("data, model, residuals") << "actionExportResiduals" << csv << "residuals.csv";
        QTest::newRow("fit CSV") << "actionExportFitCsv" << csv << "fit.csv";
        QTest::newRow("fit JSON") << "actionExportFitJson"
                                  << "JSON (*.json)"
                                  << "fit.json";
        QTest::newRow("plot PNG") << "actionExportPlot" << pictures << "plot.png";
        QTest::newRow("plot SVG") << "actionExportPlot" << pictures << "plot.SVG";
    }

    void exports()
    {
        // Cancelling and failing are ExportFlow's (tst_exportflow); here each command writes what it names.
        QFETCH(QString, actionName);
        QFETCH(QString, filter);
        QFETCH(QString, fileName);
        fitQuickSet();
        const QString path = m_environment->path() + u'/' + fileName;
        m_platform->fileNames.enqueue(path);
        action(actionName)->trigger();
        QCOMPARE(m_platform->saveFilters, QStringList{filter});
        const QByteArray bytes = readAll(path);
        const Fitting::Result &fit = *m_panel->fitResult();
        const std::map<QString, std::string> tables{{"data.txt", Observations::toText(m_panel->data())},
                                                    {"residuals.csv", Fitting::residualsCsv(fit, m_panel->data())},
                                                    {"fit.csv", Fitting::resultCsv(fit)},
                                                    {"fit.json", Fitting::resultJson(fit)}};
        if (tables.contains(fileName))
            QCOMPARE(bytes, QByteArray::fromStdString(tables.at(fileName)));
        else if (fileName.endsWith(QStringLiteral("png")))
            QVERIFY(bytes.startsWith("\x89PNG\r\n\x1a\n"));
        else
            QVERIFY(bytes.startsWith("<?xml") && bytes.contains("<svg"));
    }

    void syntheticObservationsNameTheirPlanetAndSeed()
    {
        m_panel->setPlanetSource([] {
            return ObservationsPanel::CurrentPlanets{{QuickPlanet}, 0.8, QStringLiteral("Test b")};
        });
        action("actionMakeSynthetic")->trigger();
        SyntheticDialog *dialog = m_panel->syntheticDialog();
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->findChild<QLabel *>(QStringLiteral("syntheticPlanet"))->text(), QStringLiteral("Test b"));
        auto *seed = dialog->findChild<QSpinBox *>(QStringLiteral("syntheticSeed"));
        const int firstSeed = seed->value();
        dialog->findChild<QLineEdit *>(QStringLiteral("syntheticInstrument"))->setText(QStringLiteral("Test scope"));
        makeSynthetic(30, 90, 1);
        QVERIFY(!dialog->isVisible());
        QCOMPARE(m_panel->data().measurements.size(), std::size_t(30));
        QCOMPARE(m_panel->data().instruments, std::vector<std::string>{"Test scope"});
        QCOMPARE(child<QDoubleSpinBox>("fitStarMass")->value(), 0.8);
        QVERIFY(child<QLabel>("dataTitle")->text().contains(QStringLiteral("Test b")));
        QVERIFY(child<QLabel>("dataTitle")->text().contains(QString::number(firstSeed)));
        for (const auto &m : m_panel->data().measurements)
            QVERIFY(m.time >= 2460000.0 && m.time <= 2460090.0);
        // Nothing is saved unasked.
        QVERIFY(m_platform->saveFilters.isEmpty());
        const Observations::DataSet first = m_panel->data();

        // A new seed is proposed; typing the old one back makes the same observations.
        action("actionMakeSynthetic")->trigger();
        QVERIFY(seed->value() != firstSeed);
        seed->setValue(firstSeed);
        makeSynthetic(30, 90, 1);
        QCOMPARE(m_panel->data().measurements.size(), first.measurements.size());
        for (std::size_t i = 0; i < first.measurements.size(); ++i)
            QCOMPARE(m_panel->data().measurements[i].velocity, first.measurements[i].velocity);
        QVERIFY(m_panel->data().activity.empty());

        // A spotted star: its data carry an S-index, one value a measurement, and its spots move the velocities.
        action("actionMakeSynthetic")->trigger();
        seed->setValue(firstSeed);
        dialog->findChild<QGroupBox *>(QStringLiteral("syntheticSpotted"))->setChecked(true);
        makeSynthetic(30, 90, 1);
        QCOMPARE(m_panel->data().activity.size(), std::size_t(1));
        QCOMPARE(m_panel->data().activity[0].name, std::string("S-index"));
        QCOMPARE(m_panel->data().activity[0].values.size(), std::size_t(30));
        QVERIFY(m_panel->data().measurements[0].velocity != first.measurements[0].velocity);

        // Nightly: at most one point a night, so 500 points do not fit in 100 days.
        action("actionMakeSynthetic")->trigger();
        makeSynthetic(500, 100, 0);
        QVERIFY(dialog->isVisible());
        QVERIFY(!dialog->findChild<QLabel *>(QStringLiteral("syntheticRefusal"))->text().isEmpty());
        QCOMPARE(m_panel->data().measurements.size(), std::size_t(30));
    }

    void resultsToThePrecisionOfTheirUncertainty_data()
    {
        QTest::addColumn<QString>("quantity");
        QTest::newRow("P") << "P b";
        QTest::newRow("T_p") << "T_p b";
        QTest::newRow("T_c") << "T_c b";
    }

    void resultsToThePrecisionOfTheirUncertainty()
    {
        QFETCH(QString, quantity);
        fitQuickSet();
        const Fitting::PlanetResult &planet = m_panel->fitResult()->planets.at(0);
        const std::map<QString, std::pair<double, double>> truth{
            {"P b", {planet.value.periodDays, planet.uncertainty.periodDays}},
            {"T_p b", {planet.value.periastronTime, planet.uncertainty.periastronTime}},
            {"T_c b", {planet.value.conjunctionTime, planet.uncertainty.conjunctionTime}}};
        const auto [value, sigma] = truth.at(quantity);
        QVERIFY(sigma > 0 && sigma < 1);
        const ResultTable *table = child<ResultTable>("resultTable");
        const int row = table->rowOf(quantity);
        const QString valueText = table->item(row, ResultTable::Value)->text();
        const QString sigmaText = table->item(row, ResultTable::Uncertainty)->text();
        // σ < 1 d: two significant digits of σ after the point, and the value to the same place.
        const qsizetype decimals = sigmaText.size() - sigmaText.indexOf(u'.') - 1;
        QVERIFY2(sigmaText.contains(u'.'), qPrintable(sigmaText));
        QString digits = sigmaText;
        digits.remove(u'.');
        while (digits.startsWith(u'0'))
            digits.remove(0, 1);
        QCOMPARE(digits.size(), 2);
        QCOMPARE(valueText.size() - valueText.indexOf(u'.') - 1, decimals);
        QVERIFY2(std::abs(valueText.toDouble() - value) <= 0.5 * std::pow(10.0, -decimals), qPrintable(valueText));
        QVERIFY2(std::abs(sigmaText.toDouble() - sigma) <= 0.05 * sigma, qPrintable(sigmaText));
    }

    void ctrlCInTheResultsCopiesRatherThanCloses()
    {
        fitQuickSet();
        // The frame's Close owns Ctrl+C in the same window.
        QAction close(QStringLiteral("Close"));
        close.setShortcut(QKeySequence::Copy);
        m_panel->addAction(&close);
        QSignalSpy closed(&close, &QAction::triggered);
        auto *table = child<ResultTable>("resultTable");
        table->setFocus();
        table->selectRow(table->rowOf(QStringLiteral("P b")));
        QApplication::clipboard()->clear();
        QTest::keyClick(table, Qt::Key_C, Qt::ControlModifier);
        const QString expected = QStringList{QStringLiteral("P b"), table->item(table->rowOf("P b"), 1)->text(),
                                             table->item(table->rowOf("P b"), 2)->text(), QStringLiteral("d")}
                                     .join(u'\t');
        QCOMPARE(QApplication::clipboard()->text(), expected);
        QCOMPARE(closed.size(), 0);
    }

    void residualPeriodogramShowsTheSecondPlanet()
    {
        // Two planets: once the stronger is fitted, the residuals' highest peak is the other one.
        const std::vector<Kepler::Orbit> planets{{12.3, 30.0, 0.0, 0.0, 2460001.0}, {41.0, 12.0, 0.0, 0.0, 2460010.0}};
        const Observations::SyntheticPlan plan{.count = 150,
                                               .spanDays = 400,
                                               .startTime = 2460000.0,
                                               .cadence = Observations::Cadence::Uniform,
                                               .noiseSigma = 1.0,
                                               .seed = 5};
        m_panel->setData(Observations::simulate(planets, plan), QStringLiteral("two"));
        waitIdle();
        QVERIFY(std::abs(bestPeriod() - 12.3) < 0.2);
        child<QPushButton>("fitButton")->click();
        waitIdle();
        QVERIFY(m_panel->fitResult() && m_panel->fitResult()->planets.size() == 1);
        const auto *peaks = child<QTableWidget>("peakTable");
        int firstResidual = 0;
        while (firstResidual < peaks->rowCount()
               && peaks->item(firstResidual, 0)->text() != QStringLiteral("residuals"))
            ++firstResidual;
        QVERIFY(firstResidual < peaks->rowCount());
        const double residualPeak = peaks->item(firstResidual, 1)->text().toDouble();
        // A 400-day span resolves 41 d to about P²/T = 4 d.
        QVERIFY2(std::abs(residualPeak - 41.0) < 2.0, qPrintable(QString::number(residualPeak)));
    }

    void excludedPointsAreGreyedAndLeftOutOfTheFit()
    {
        m_panel->setData(quickSet(), QStringLiteral("quick"));
        waitIdle();
        auto *chart = child<DataChart>("velocityChart");
        const QPoint fifth = chart->pixelOf(5).value();
        QTest::mouseClick(chart->viewport(), Qt::LeftButton, {}, fifth);
        QVERIFY(m_panel->exclusion().isExcluded(m_panel->data(), 5));
        QCOMPARE(seriesCounts(chart), (QList<int>{39, 1}));
        QCOMPARE(chart->instrumentSeries().last()->name(), QStringLiteral("Excluded"));
        waitIdle();
        child<QPushButton>("fitButton")->click();
        waitIdle();
        const ResultTable *table = child<ResultTable>("resultTable");
        QCOMPARE(table->item(table->rowOf(QStringLiteral("points")), ResultTable::Value)->text(), QStringLiteral("39"));
        // The residuals' export keeps the point, marked.
        const QString path = m_environment->path() + QStringLiteral("/residuals.csv");
        m_platform->fileNames.enqueue(path);
        action("actionExportResiduals")->trigger();
        const QList<QByteArray> lines = readAll(path).split('\n');
        QVERIFY(lines[0].endsWith(",excluded"));
        QCOMPARE(lines.size(), 1 + 40 + 1);
        for (int i = 0; i < 40; ++i)
            QVERIFY2(lines[1 + i].endsWith(i == 5 ? ",1" : ",0"), lines[1 + i].constData());
        // A second click takes it back, and the fit of the other data is gone.
        QTest::mouseClick(chart->viewport(), Qt::LeftButton, {}, fifth);
        QVERIFY(!m_panel->exclusion().excludesAny(m_panel->data()));
        QVERIFY(!m_panel->fitResult());
        QCOMPARE(child<QLabel>("fitStatus")->text(), QStringLiteral("Other points are analysed now: fit again."));
        QCOMPARE(seriesCounts(chart), QList<int>{40});

        // While excluding, a rubber band takes every point inside it.
        child<QPushButton>("excludePointsButton")->click();
        const QPoint seventh = chart->pixelOf(7).value();
        QTest::mousePress(chart->viewport(), Qt::LeftButton, {}, seventh - QPoint(10, 10));
        QTest::mouseMove(chart->viewport(), seventh + QPoint(10, 10));
        QTest::mouseRelease(chart->viewport(), Qt::LeftButton, {}, seventh + QPoint(10, 10));
        QVERIFY(m_panel->exclusion().isExcluded(m_panel->data(), 7));
        QVERIFY(!m_panel->exclusion().isExcluded(m_panel->data(), 30));
    }

    // The choice appears only for data with activity indices; a fit against one, with a point excluded, shows the
    // coefficient of velocities that follow the index by 3 m/s per unit, within 4σ.
    void fitDecorrelatesAgainstAChosenIndex()
    {
        m_panel->setData(quickSet(), QStringLiteral("quick"));
        waitIdle();
        auto *choice = child<QComboBox>("decorrelateAgainst");
        QVERIFY(!choice->isVisibleTo(m_panel.get()));
        Observations::DataSet data = quickSet();
        std::mt19937 random(3);
        std::uniform_real_distribution<double> uniform(-2, 2);
        data.activity = {{"FWHM", {}}};
        for (auto &m : data.measurements) {
            data.activity[0].values.push_back(uniform(random));
            m.velocity += 3.0 * data.activity[0].values.back();
        }
        m_panel->setData(data, QStringLiteral("active"));
        waitIdle();
        QVERIFY(choice->isVisibleTo(m_panel.get()));
        choice->setCurrentIndex(choice->findText(QStringLiteral("FWHM")));
        QTest::mouseClick(child<DataChart>("velocityChart")->viewport(), Qt::LeftButton, {},
                          child<DataChart>("velocityChart")->pixelOf(5).value());
        waitIdle();
        child<QPushButton>("fitButton")->click();
        waitIdle();
        const ResultTable *table = child<ResultTable>("resultTable");
        QVERIFY2(table->rowOf(QStringLiteral("points")) >= 0, qPrintable(child<QLabel>("fitStatus")->text()));
        QCOMPARE(table->item(table->rowOf(QStringLiteral("points")), ResultTable::Value)->text(), QStringLiteral("39"));
        const auto rows = table->findItems(QStringLiteral("decorrelation"), Qt::MatchStartsWith);
        QCOMPARE(rows.size(), 1);
        const int row = rows.front()->row();
        const double d = table->item(row, ResultTable::Value)->text().toDouble();
        const double sigma = table->item(row, ResultTable::Uncertainty)->text().toDouble();
        QVERIFY2(sigma > 0 && std::abs(d - 3.0) < 4 * sigma, qPrintable(QStringLiteral("%1 ± %2").arg(d).arg(sigma)));
        QCOMPARE(table->item(row, ResultTable::Unit)->text(), QStringLiteral("m/s per unit of FWHM"));
    }

    void hiddenInstrumentIsMarkedInTheSavedData()
    {
        loadText(TwoInstruments);
        waitIdle();
        child<QAction>("showInstrument_1")->setChecked(false);
        QCOMPARE(seriesCounts(child<DataChart>("velocityChart")), (QList<int>{3, 0, 2}));
        QVERIFY(child<QLabel>("dataTitle")->text().contains(QStringLiteral("2 left out")));
        const QString path = m_environment->path() + QStringLiteral("/kept.txt");
        m_platform->fileNames.enqueue(path);
        action("actionSaveData")->trigger();
        const QList<QByteArray> lines = readAll(path).trimmed().split('\n');
        QCOMPARE(lines.size(), 6);
        QVERIFY(lines[0].endsWith(" excluded"));
        for (const QByteArray &line : lines.mid(1))
            QVERIFY2(line.endsWith(line.contains("HIRES") ? " 1" : " 0"), line.constData());
    }

    void plotsZoomWithARubberBandAndReset()
    {
        m_panel->setData(quickSet(), QStringLiteral("quick"));
        auto *chart = child<DataChart>("velocityChart");
        const double width = chart->xAxis()->max() - chart->xAxis()->min();
        const QRectF area = chart->chart()->plotArea();
        const QPoint from = chart->mapFromScene(area.topLeft() + QPointF(area.width() * 0.25, 5));
        const QPoint to = chart->mapFromScene(area.topLeft() + QPointF(area.width() * 0.5, area.height() - 5));
        QTest::mousePress(chart->viewport(), Qt::LeftButton, {}, from);
        QTest::mouseMove(chart->viewport(), to);
        QTest::mouseRelease(chart->viewport(), Qt::LeftButton, {}, to);
        QVERIFY2(chart->xAxis()->max() - chart->xAxis()->min() < 0.5 * width,
                 qPrintable(QString::number(chart->xAxis()->max() - chart->xAxis()->min())));
        QVERIFY(!m_panel->exclusion().excludesAny(m_panel->data()));
        child<QPushButton>("resetZoomButton")->click();
        QCOMPARE(chart->xAxis()->max() - chart->xAxis()->min(), width);
    }

    void everyControlReachableOnA1024By768Screen()
    {
        // What the lab's Observations tab gets of a 1024 × 768 screen, less the frame, menu and tab bars.
        m_panel->resize(1010, 620);
        fitQuickSet();
        const QRect panel = m_panel->rect();
        const auto *side = child<QScrollArea>("sideColumn");
        for (QWidget *widget : m_panel->findChildren<QWidget *>()) {
            const bool control = qobject_cast<QAbstractButton *>(widget) || qobject_cast<QAbstractSpinBox *>(widget)
                || qobject_cast<QComboBox *>(widget) || qobject_cast<QTableView *>(widget);
            if (!control || !widget->isVisibleTo(m_panel.get()) || widget->objectName().startsWith("qt_"))
                continue;
            const QString name = widget->objectName() + u' ' + QString::fromLatin1(widget->metaObject()->className());
            // Never squeezed below what it needs to show its text.
            QVERIFY2(widget->width() >= widget->minimumSizeHint().width(), qPrintable(name));
            QVERIFY2(widget->height() >= widget->minimumSizeHint().height(), qPrintable(name));
            // Inside the panel, or reachable by scrolling the side column.
            if (!side->widget()->isAncestorOf(widget)) {
                const QRect placed(widget->mapTo(m_panel.get(), QPoint(0, 0)), widget->size());
                QVERIFY2(panel.contains(placed), qPrintable(name));
            }
        }
        // The units read in full, and the plots keep room to be read.
        auto *table = child<ResultTable>("resultTable");
        const int unitText = table->fontMetrics().horizontalAdvance(QStringLiteral("M_Earth"));
        QVERIFY(table->horizontalHeader()->sectionSize(ResultTable::Unit) > unitText);
        for (const char *chart : {"velocityChart", "residualChart", "periodogramChart"})
            QVERIFY2(child<QWidget>(chart)->height() >= 140, chart);
        // Every false-alarm probability of the peak table reads in full.
        auto *peaks = child<QTableWidget>("peakTable");
        QVERIFY(peaks->rowCount() > 0);
        QTRY_COMPARE(peaks->horizontalScrollBar()->maximum(), 0);
    }
};

QTEST_MAIN(TestObservationsPanel)
#include "tst_observationspanel.moc"

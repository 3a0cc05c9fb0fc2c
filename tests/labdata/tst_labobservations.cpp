#include "catalog/catalog.h"
#include "frame/mainframe.h"
#include "labdata/analysisrunner.h"
#include "labdata/labobservations.h"
#include "labdata/observationspanel.h"
#include "massfunction/massfunctionwindow.h"
#include "observations/synthetic.h"
#include "simulator/simulatorwindow.h"
#include "support/labscene.h"

#include <QtTest>
#include <QtWidgets>

#include <algorithm>

namespace {

QTabWidget *labTabs()
{
    return labControl<QTabWidget>("labTabs");
}

ObservationsPanel *labPanel()
{
    return LabObservations::panel(form<KeplerLab>());
}

std::size_t measurementCount()
{
    return labPanel()->data().measurements.size();
}

} // namespace

class TestLabObservations : public LabScene
{
    Q_OBJECT

private slots:
    void panelIsATabAndItsCommandsHeadTheFileMenu()
    {
        KeplerLab::open();
        QTabWidget *tabs = labTabs();
        QCOMPARE(tabs->count(), 2);
        QCOMPARE(tabs->tabText(0), QStringLiteral("True orbit"));
        QCOMPARE(tabs->tabText(1), QStringLiteral("Observations"));
        QCOMPARE(tabs->widget(1), labPanel());
        QCOMPARE(tabs->currentIndex(), 0);
        QVERIFY(tabs->widget(0)->findChild<QWidget *>(QStringLiteral("rvChart")));
        const QList<QAction *> items = labControl<QMenu>("labFileMenu")->actions();
        const QList<QAction *> ours = labPanel()->fileMenuActions();
        QCOMPARE(items.mid(0, ours.size()), ours);
        QVERIFY(items.at(ours.size())->isSeparator());
        QVERIFY(items.indexOf(labControl<QAction>("exportCurveItem")) > ours.size());
    }

    void realDataOpensTheLab_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("measurements"); ///< 0: none shipped
        // Which star has which file is systemFiles' table; each file's counts are tst_rvreader's.
        QTest::newRow("51 Peg b") << 1 << 256 + 153;
        QTest::newRow("HD 137510 b") << 15 << 0;
    }

    void realDataOpensTheLab()
    {
        QFETCH(int, index);
        QFETCH(int, measurements);
        // Through the catalog window's button, which follows its list, and straight.
        MassFunctionWindow *screen2 = form<MassFunctionWindow>();
        auto *button = screen2->findChild<QPushButton *>(QStringLiteral("realDataButton"));
        QVERIFY(button && !button->isEnabled());
        screen2->findChild<QListWidget *>(QStringLiteral("List1"))->setCurrentRow(index);
        QCOMPARE(button->isEnabled(), measurements > 0);
        if (measurements == 0) {
            QVERIFY(!LabObservations::openRealData(index));
            QVERIFY(!FormRegistry::instance().isLoaded<KeplerLab>());
            return;
        }
        button->click();
        KeplerLab *lab = FormRegistry::instance().find<KeplerLab>();
        QVERIFY(lab && lab->isVisible());
        QCOMPARE(lab->planet().name, PlanetCatalog::planetName(index));
        QCOMPARE(measurementCount(), std::size_t(measurements));
        QCOMPARE(labTabs()->currentWidget(), labPanel());
        QVERIFY(m_platform->messageBoxes.isEmpty());
        labTabs()->setCurrentIndex(0);
        QVERIFY(LabObservations::openRealData(index));
        QCOMPARE(labTabs()->currentWidget(), labPanel());
    }

    void fittedPlanetBecomesTheLabsPlanet()
    {
        KeplerLab::open();
        labTabs()->setCurrentIndex(1);
        emit labPanel()->planetChosen({21.2, 274.0, 0.68, 2.2, 2454000.5}, 1.24, QStringLiteral("HD 17156 b (fit)"));
        const LabPlanet &planet = form<KeplerLab>()->planet();
        QCOMPARE(planet.name, QStringLiteral("HD 17156 b (fit)"));
        QCOMPARE(planet.orbit.periodDays, 21.2);
        QCOMPARE(planet.starMassSolar, 1.24);
        // T_p by whole periods into the lab's first orbit: 2454000.5 − 115754 × 21.2 = 15.7 d.
        QVERIFY(std::abs(labControl<QDoubleSpinBox>("periastronTimeSpin")->value() - 15.7) < 1e-3);
        QCOMPARE(planet.inclinationDegrees, 90.0);
        QCOMPARE(labTabs()->currentIndex(), 0);
    }

    void syntheticObservationsAreOfTheLabsPlanet()
    {
        KeplerLab::open();
        // HD 17156 b: P = 21.22 d, K = 275 m/s, e = 0.67, M★ = 1.2 in the catalog.
        form<KeplerLab>()->showPlanet(catalogLabPlanet(4));
        labControl<QAction>("actionMakeSynthetic")->trigger();
        QDialog *dialog = labPanel()->findChild<QDialog *>(QStringLiteral("SyntheticDialog"));
        QVERIFY(dialog->isVisible());
        dialog->findChild<QPushButton *>(QStringLiteral("syntheticMake"))->click();
        const Observations::DataSet &data = labPanel()->data();
        QCOMPARE(data.measurements.size(), Observations::SyntheticPlan{}.count);
        const auto [lowest, highest] = std::ranges::minmax(data.measurements, {}, &Observations::Measurement::velocity);
        // 60 nights over a year sample a 275 m/s curve: the spread is near 2K, never far beyond.
        const double spread = highest.velocity - lowest.velocity;
        QVERIFY2(spread > 300 && spread < 2 * 275 + 20, qPrintable(QString::number(spread)));
        QCOMPARE(labTabs()->currentWidget(), labPanel());
        labPanel()->runner()->waitForFinished();
    }

    void fileDroppedOnTheLabIsShown()
    {
        KeplerLab::open();
        const QString path = m_environment->path() + QStringLiteral("/rv.csv");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("jd,rv,err\n2450000.1,5,1\n2450001.2,-3,1\n2450002.3,1,1\n");
        file.close();
        QMimeData mime, web;
        mime.setUrls({QUrl::fromLocalFile(path)});
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(form<KeplerLab>(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(form<KeplerLab>(), &drop);
        QCOMPARE(measurementCount(), std::size_t(3));
        QCOMPARE(labTabs()->currentWidget(), labPanel());
        // Only files on this machine are taken.
        web.setUrls({QUrl(QStringLiteral("https://example.org/rv.txt"))});
        QDragEnterEvent refused(QPoint(5, 5), Qt::CopyAction, &web, Qt::LeftButton, Qt::NoModifier);
        refused.ignore();
        QCoreApplication::sendEvent(form<KeplerLab>(), &refused);
        QVERIFY(!refused.isAccepted());
        labPanel()->runner()->waitForFinished();
    }

    void ctrlOFollowsTheFocus_data()
    {
        QTest::addColumn<bool>("inTheLab");
        QTest::addColumn<QString>("dialogTitle");
        // Screen1's Load(&O) and the lab's Open both take Ctrl+O in the one frame.
        QTest::newRow("focus in the lab") << true << "Open RV data";
        QTest::newRow("focus in Screen1") << false << "Open File";
    }

    void ctrlOFollowsTheFocus()
    {
        QFETCH(bool, inTheLab);
        QFETCH(QString, dialogTitle);
        form<SimulatorWindow>();
        KeplerLab::open();
        form<MainFrame>()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form<MainFrame>()));
        if (inTheLab) {
            labControl<QWidget>("periodSpin")->setFocus();
        } else {
            form<MainFrame>()->mdiArea()->setActiveSubWindow(
                qobject_cast<QMdiSubWindow *>(form<SimulatorWindow>()->parentWidget()));
            form<SimulatorWindow>()->setFocus();
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(m_platform->openTitles, QStringList{dialogTitle});
    }
};

QTEST_MAIN(TestLabObservations)
#include "tst_labobservations.moc"

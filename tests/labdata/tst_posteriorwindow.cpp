// The posterior window: a run to convergence shows its table and a corner plot
// whose axes name their own columns, also after the chosen columns change; the
// chain saves as CSV; a run cut short by its step limit says so and shows no
// results; its texts follow a change of language.

#include "labdata/cornerplot.h"
#include "labdata/posteriorwindow.h"

#include "ground/languageswitch.h"

#include "support/numericfixtures.h"
#include "support/scriptedplatform.h"
#include "support/testenvironment.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>

namespace {

struct OnePlanet
{
    Kepler::Orbit truth{12.3, 15.0, 0.2, 1.0, 2458003.0};
    Observations::DataSet data = NumericFixtures::noisyData({truth}, {5.0}, 50, 2458000, 200, 4.0, 0, 0, 11);
    Fitting::Options options = [this] {
        Fitting::Options o;
        o.startingOrbits = {truth};
        return o;
    }();
    Fitting::Result fit = Fitting::fit(data, options);
};

QStringList bottomLabels(const CornerPlot &corner)
{
    QStringList labels;
    for (int c = 0; c < corner.columnCount(); ++c)
        labels << corner.xAxisLabel(corner.columnCount() - 1, c);
    return labels;
}

QStringList leftLabels(const CornerPlot &corner)
{
    QStringList labels;
    for (int r = 1; r < corner.columnCount(); ++r)
        labels << corner.yAxisLabel(r, 0);
    return labels;
}

} // namespace

class TestPosteriorWindow : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestEnvironment> m_environment;
    std::unique_ptr<ScriptedPlatform> m_platform;
    OnePlanet m_set;

private slots:
    void init()
    {
        m_environment = std::make_unique<TestEnvironment>();
        m_platform = std::make_unique<ScriptedPlatform>();
    }
    void cleanup()
    {
        m_platform.reset();
        m_environment.reset();
    }

    void convergedRunLabelsEveryAxisFromItsColumn()
    {
        PosteriorWindow window(m_set.data, m_set.fit, m_set.options);
        window.show();
        QVERIFY(window.start());
        QTRY_VERIFY_WITH_TIMEOUT(window.result() != nullptr, 600000);
        QCOMPARE(window.result()->status, Sampling::Status::Converged);
        auto *table = window.findChild<QTableWidget *>("PosteriorTable");
        QCOMPARE(table->rowCount(), 7 + 6); // P K e ω T_p m sin i a, and six sampled parameters
        QCOMPARE(table->item(1, 0)->text(), QStringLiteral("K1"));

        const auto *corner = window.findChild<CornerPlot *>("CornerPlot");
        QCOMPARE(bottomLabels(*corner), QStringList({"P1 (d)", "K1 (m/s)", "e1"}));
        QCOMPARE(leftLabels(*corner), QStringList({"K1 (m/s)", "e1"}));
        auto *columns = window.findChild<QListWidget *>("CornerColumns");
        columns->findItems("K1", Qt::MatchExactly).first()->setCheckState(Qt::Unchecked);
        columns->findItems("ln P1", Qt::MatchExactly).first()->setCheckState(Qt::Checked);
        QCOMPARE(bottomLabels(*corner), QStringList({"ln P1 (ln d)", "P1 (d)", "e1"}));
        QCOMPARE(leftLabels(*corner), QStringList({"P1 (d)", "e1"}));

        const QString path = m_environment->path() + "/chain.csv";
        m_platform->fileNames.enqueue(path);
        window.saveChain();
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readLine(),
                 QByteArray("step,walker,lnPosterior,ln P1,ln K1,sqrt(e) cos w1,sqrt(e) sin w1,Tc1,offset I0\n"));
    }

    void aRunCutShortSaysSoAndShowsNoResults()
    {
        PosteriorWindow window(m_set.data, m_set.fit, m_set.options);
        window.findChild<QSpinBox *>("MaxSteps")->setValue(100);
        QVERIFY(window.start());
        QTRY_VERIFY_WITH_TIMEOUT(window.result() != nullptr, 600000);
        QVERIFY(window.findChild<QLabel *>("SamplingStatus")->text().startsWith("Not converged"));
        QCOMPARE(window.findChild<QTableWidget *>("PosteriorTable")->rowCount(), 0);
        QCOMPARE(window.findChild<CornerPlot *>("CornerPlot")->columnCount(), 0);
        QVERIFY(!window.findChild<QPushButton *>("SaveCornerButton")->isEnabled());
    }

    void textsFollowTheLanguage()
    {
        using Language = LanguageSwitch::Language;
        LanguageSwitch::instance().start(Language::English);
        PosteriorWindow window(m_set.data, m_set.fit, m_set.options);
        const auto *sample = window.findChild<QPushButton *>("SampleButton");
        const auto *table = window.findChild<QTableWidget *>("PosteriorTable");
        LanguageSwitch::instance().choose(Language::Japanese);
        QTRY_COMPARE(sample->text(), QStringLiteral("サンプリング"));
        QCOMPARE(table->horizontalHeaderItem(2)->text(), QStringLiteral("中央値"));
        LanguageSwitch::instance().choose(Language::English);
        QTRY_COMPARE(sample->text(), QStringLiteral("Sample"));
    }
};

QTEST_MAIN(TestPosteriorWindow)
#include "tst_posteriorwindow.moc"

#include "labdata/activitypane.h"
#include "labdata/analysisrunner.h"
#include "labdata/observationspanel.h"
#include "support/findcontrol.h"
#include "support/panelfixture.h"

#include "detection/spottedstar.h"

#include <QtTest>
#include <QtWidgets>

#include <cmath>
#include <memory>

namespace {

constexpr double RotationDays = 23;
constexpr std::size_t Points = 150;
constexpr double SpanDays = 400;

/// 150 nightly measurements over 400 days of a star spotted with amplitude
/// `activity` (m/s) whose S-index follows its spots, or, at 0, of a quiet
/// star with a 13.1-day planet and an S-index of pure noise; every
/// `missingEvery`-th index value (0: none) is missing.
Observations::DataSet spottedSet(double activity, std::size_t missingEvery)
{
    Observations::SyntheticPlan plan;
    plan.count = Points;
    plan.spanDays = SpanDays;
    plan.seed = 5;
    Detection::SpottedStar star;
    star.rotationPeriodDays = RotationDays;
    star.velocityAmplitude = activity;
    star.indexAmplitude = activity > 0 ? 0.05 : 0;
    const std::vector<Kepler::Orbit> planets =
        activity > 0 ? std::vector<Kepler::Orbit>{} : std::vector<Kepler::Orbit>{{13.1, 10, 0, 0, 2460000}};
    auto spotted = Detection::simulateSpottedStar(planets, plan, star).value();
    for (std::size_t i = 0; missingEvery > 0 && i < spotted.index.size(); i += missingEvery)
        spotted.index[i] = NAN;
    spotted.data.activity.push_back({"S-index", spotted.index});
    return spotted.data;
}

} // namespace

class TestActivityPane : public QObject, private PanelFixture
{
    Q_OBJECT

    template <class T> T *child(const char *name) { return control<T>(m_panel.get(), name); }

    void show(const Observations::DataSet &data)
    {
        m_panel->setData(data, QStringLiteral("spotted"));
        // Generous: the sanitizer build runs the workers several times slower.
        QTRY_VERIFY_WITH_TIMEOUT(!m_panel->runner()->isRunning() && !child<ActivityPane>("activityPane")->isRunning(),
                                 30000);
    }

private slots:
    void init() { openPanel(); }

    void cleanup() { closePanel(); }

    void velocitiesFollowingAnIndexAreFlagged_data()
    {
        QTest::addColumn<double>("activity");
        QTest::addColumn<std::size_t>("missingEvery");
        QTest::addColumn<bool>("followsIndex");
        QTest::addColumn<QString>("leftOut");
        QTest::newRow("spotted star") << 10.0 << std::size_t(0) << true << QString();
        // Rows 0, 10, … 140 lack the index: 15 of 150, so 135 pairs.
        QTest::newRow("spotted star, index missing in places")
            << 10.0 << std::size_t(10) << true << QStringLiteral("15 without one are left out");
        QTest::newRow("planet, index of noise") << 0.0 << std::size_t(0) << false << QString();
    }

    void velocitiesFollowingAnIndexAreFlagged()
    {
        QFETCH(double, activity);
        QFETCH(std::size_t, missingEvery);
        QFETCH(bool, followsIndex);
        QFETCH(QString, leftOut);
        show(spottedSet(activity, missingEvery));

        const QString correlation = child<QLabel>("activityCorrelation")->text();
        static const QRegularExpression pattern(QStringLiteral("^r = (-?[0-9.]+), p [=<] [^,]+, n = ([0-9]+)$"));
        const QRegularExpressionMatch match = pattern.match(correlation);
        QVERIFY2(match.hasMatch(), qPrintable(correlation));
        const double r = match.captured(1).toDouble();
        QVERIFY2(followsIndex ? std::abs(r) > 0.8 : std::abs(r) < 0.2, qPrintable(correlation));
        const std::size_t missing = missingEvery > 0 ? (Points + missingEvery - 1) / missingEvery : 0;
        QCOMPARE(match.captured(2).toULongLong(), Points - missing);
        QVERIFY2(child<QLabel>("activityMessage")->text().contains(leftOut),
                 qPrintable(child<QLabel>("activityMessage")->text()));

        // The velocity peak within one peak width of the rotation is flagged, naming the index; nothing else.
        const auto *peaks = child<QTableWidget>("peakTable");
        QVERIFY(peaks->rowCount() > 0);
        bool rotationFlagged = false;
        for (int row = 0; row < peaks->rowCount(); ++row) {
            const double period = peaks->item(row, 1)->text().toDouble();
            // The note column also names aliases; only its activity remark matters here.
            const QString note = peaks->item(row, 4)->text();
            const bool flagged = note.contains(QStringLiteral("may be activity"));
            const bool atRotation = std::abs(1 / period - 1 / RotationDays) <= 1 / SpanDays;
            if (!followsIndex)
                QVERIFY2(!flagged, qPrintable(note));
            else if (atRotation)
                rotationFlagged = note.contains(QStringLiteral("may be activity\nS-index, "));
        }
        QCOMPARE(rotationFlagged, followsIndex);
    }

    void dataWithoutIndicesSaySo()
    {
        Observations::DataSet data = spottedSet(10, 0);
        data.activity.clear();
        show(data);
        const auto *pane = child<QWidget>("activityPane");
        const auto *sentence = child<QLabel>("activityNoIndex");
        QVERIFY(sentence->isVisibleTo(pane));
        QVERIFY(sentence->text().startsWith(QStringLiteral("These data have no activity index")));
        QVERIFY(!child<QWidget>("activityScatterChart")->isVisibleTo(pane));
    }
};

QTEST_MAIN(TestActivityPane)
#include "tst_activitypane.moc"

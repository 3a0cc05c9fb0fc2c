#include "fitting/resultexport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTest>

#include <cmath>
#include <numbers>

namespace {

/// A result written out by hand, so the writers are checked on their own.
Fitting::Result handResult()
{
    Fitting::Result result;
    result.status = Fitting::Status::Converged;
    Fitting::PlanetResult planet;
    planet.value = {20.885, 5.5, 0.06, std::numbers::pi / 2, 2450518.1234567891, 2457001.25, 0.07, 22.3};
    planet.uncertainty = {0.004, 0.6, 0.05, std::numbers::pi / 180, 1.5, 0.3, 0.008, 2.5};
    result.planets.push_back(planet);
    result.instruments.push_back({"HIRES \"red\"\\chip\n", 32, -1.25, 0.5, 2.0, 0.75, 3.1, 0, 0, 0});
    result.negativeLogLikelihood = 80.5;
    result.chiSquare = 31.0;
    result.rms = 3.25;
    result.bic = 190.0;
    result.pointCount = 32;
    result.parameterCount = 8;
    result.starMassSolar = 1.07;
    return result;
}

} // namespace

class TestResultExport : public QObject
{
    Q_OBJECT

private slots:
    void jsonReadsBack()
    {
        Fitting::Result result = handResult();
        const std::string text = Fitting::resultJson(result);
        QJsonParseError error;
        const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(text), &error);
        QVERIFY2(error.error == QJsonParseError::NoError,
                 qPrintable(error.errorString() + " in " + QString::fromStdString(text)));
        const QJsonObject root = document.object();
        QCOMPARE(root["status"].toString(), QStringLiteral("converged"));
        const QJsonObject planet = root["planets"].toArray().at(0).toObject();
        QCOMPARE(planet["period"].toDouble(), 20.885);
        QCOMPARE(planet["omegaDegrees"].toDouble(), 90.0);
        QCOMPARE(planet["omegaDegreesUncertainty"].toDouble(), 1.0);
        QCOMPARE(planet["minimumMassEarth"].toDouble(), 22.3);
        // Every digit of a time in BJD reads back.
        QCOMPARE(planet["periastronTime"].toDouble(), 2450518.1234567891);
        const QJsonObject instrument = root["instruments"].toArray().at(0).toObject();
        QCOMPARE(instrument["name"].toString(), QStringLiteral("HIRES \"red\"\\chip\n"));
        QCOMPARE(instrument["jitter"].toDouble(), 2.0);
        QCOMPARE(root["bic"].toDouble(), 190.0);
        QCOMPARE(root["points"].toInt(), 32);
        QVERIFY(!root.contains("trend"));
        QVERIFY(!planet.contains("periodBootstrapUncertainty"));

        // With a bootstrap run, its figures join the covariance's.
        result.bootstrapRuns = 50;
        result.planets[0].bootstrapUncertainty.periodDays = 0.005;
        const QJsonObject withBootstrap =
            QJsonDocument::fromJson(QByteArray::fromStdString(Fitting::resultJson(result))).object();
        QCOMPARE(withBootstrap["bootstrapRuns"].toInt(), 50);
        QCOMPARE(withBootstrap["planets"].toArray().at(0).toObject()["periodBootstrapUncertainty"].toDouble(), 0.005);
    }

    void csvHasOneRowPerItem()
    {
        const QString csv = QString::fromStdString(Fitting::resultCsv(handResult()));
        const QStringList lines = csv.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.at(0),
                 "kind,name,period_d,period_err,k_ms,k_err,e,e_err,omega_deg,omega_err,tp,tp_err,tc,tc_err,"
                 "msini_mjup,msini_mjup_err,msini_mearth,msini_mearth_err,unconstrained");
        QCOMPARE(lines.filter(QRegularExpression("^planet,")).size(), 1);
        QCOMPARE(lines.filter(QRegularExpression("^instrument,")).size(), 1);
        QVERIFY(lines.filter(QRegularExpression("^instrument,")).at(0).startsWith("instrument,\"HIRES \"\"red\"\""));
        QVERIFY(csv.contains("planet,b,20.885,0.004,5.5,0.6,0.06,0.05,90,1,"));
        QVERIFY(csv.contains("summary,converged,80.5,31,3.25,190,32,8,,,1.07"));
        QCOMPARE(lines.filter(QRegularExpression("^planet,")).at(0).split(',').at(10).toDouble(), 2450518.1234567891);
    }

    // An element whose uncertainty exceeds its value is marked in both files; one within it is not.
    void unconstrainedMarked_data()
    {
        QTest::addColumn<double>("eccentricityUncertainty");
        QTest::addColumn<bool>("marked");
        QTest::newRow("e = 0.06 ± 0.05") << 0.05 << false;
        QTest::newRow("e = 0.06 ± 0.07") << 0.07 << true;
    }
    void unconstrainedMarked()
    {
        QFETCH(double, eccentricityUncertainty);
        QFETCH(bool, marked);
        Fitting::Result result = handResult();
        result.planets[0].uncertainty.eccentricity = eccentricityUncertainty;
        const QJsonObject planet = QJsonDocument::fromJson(QByteArray::fromStdString(Fitting::resultJson(result)))
                                       .object()["planets"]
                                       .toArray()
                                       .at(0)
                                       .toObject();
        QCOMPARE(planet["eccentricityUnconstrained"].toBool(), marked);
        QCOMPARE(planet["semiAmplitudeUnconstrained"].toBool(), false);
        const QStringList rows = QString::fromStdString(Fitting::resultCsv(result)).split('\n');
        QCOMPARE(rows.at(1).section(',', -1), marked ? QStringLiteral("e") : QString());
    }

    void residualsFollowModel()
    {
        Fitting::Result result = handResult();
        result.planets.clear();
        result.instruments[0].offset = 2.0;
        Observations::DataSet data;
        data.instruments = {"A"};
        data.measurements = {{1.0, 5.0, 1.0, 0}, {2450518.1234567891, -1.5, 2.0, 0}};
        const QString csv = QString::fromStdString(Fitting::residualsCsv(result, data));
        QCOMPARE(csv,
                 QStringLiteral("time,velocity,uncertainty,instrument,model,residual\n"
                                "1,5,1,A,2,3\n2450518.123456789,-1.5,2,A,2,-3.5\n"));
    }

    // A decorrelated fit: its model holds d (x − x̄) where the index has a value and nothing where it has none, and
    // both files carry d with its σ.
    void decorrelationWrittenOut()
    {
        Fitting::Result result = handResult();
        result.planets.clear();
        result.decorrelatedAgainst = "BIS";
        result.instruments[0] = {"A", 2, 2.0, 0.5, 0, 0, 3.1, 3.0, 0.25, 10.0};
        Observations::DataSet data;
        data.instruments = {"A"};
        data.measurements = {{1.0, 5.0, 1.0, 0}, {2.0, -1.5, 2.0, 0}};
        data.activity = {{"BIS", {12.0, std::nan("")}}};
        QCOMPARE(QString::fromStdString(Fitting::residualsCsv(result, data)),
                 QStringLiteral("time,velocity,uncertainty,instrument,model,residual\n"
                                "1,5,1,A,8,-3\n2,-1.5,2,A,2,-3.5\n"));
        const QJsonObject root =
            QJsonDocument::fromJson(QByteArray::fromStdString(Fitting::resultJson(result))).object();
        QCOMPARE(root["decorrelatedAgainst"].toString(), QStringLiteral("BIS"));
        QCOMPARE(root["instruments"].toArray().at(0).toObject()["decorrelationUncertainty"].toDouble(), 0.25);
        QVERIFY(
            QString::fromStdString(Fitting::resultCsv(result)).contains("instrument,A,2,2,0.5,0,0,3.1,BIS,3,0.25,10"));
    }
};

QTEST_APPLESS_MAIN(TestResultExport)
#include "tst_resultexport.moc"

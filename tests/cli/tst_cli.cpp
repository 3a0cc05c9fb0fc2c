#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cmath>

namespace {

struct Run
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

Run cli(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(ORBIQUEST9_CLI), arguments);
    Run run;
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

QJsonObject json(const Run &run)
{
    return QJsonDocument::fromJson(run.out).object();
}

} // namespace

class TestCli : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_folder.isValid());
        m_data = m_folder.filePath("planet.txt");
        const Run run = cli({"simulate", "--period", "12.5", "--k", "30", "--e", "0.3", "--omega", "60", "--tp",
                             "2460003", "--points", "80", "--span", "300", "--sigma", "2", "--seed", "4",
                             "--instrument", "HARPS", "-o", m_data});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.err.isEmpty());
        QFile written(m_data);
        QVERIFY(written.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = written.readAll().split('\n');
        QCOMPARE(lines.first().simplified(), QByteArray("time mnvel errvel tel"));
        QCOMPARE(std::count_if(lines.begin(), lines.end(), [](const QByteArray &line) { return line.endsWith("HARPS"); }), 80);
    }

    void periodogramFindsThePeriod()
    {
        const Run run = cli({"periodogram", m_data, "--peaks", "3", "--json"});
        QCOMPARE(run.exitCode, 0);
        const QJsonObject root = json(run);
        QCOMPARE(root["points"].toInt(), 80);
        const QJsonArray peaks = root["peaks"].toArray();
        QCOMPARE(peaks.size(), 3);
        QVERIFY(std::abs(peaks[0].toObject()["period"].toDouble() - 12.5) < 0.1);
        QVERIFY(peaks[0].toObject()["falseAlarmProbability"].toDouble() < 1e-6);
    }

    void periodLimitsNarrowTheGrid()
    {
        const Run run = cli({"periodogram", m_data, "--min-period", "20", "--max-period", "100", "--json"});
        QCOMPARE(run.exitCode, 0);
        const QJsonObject grid = json(run)["grid"].toObject();
        QVERIFY(std::abs(grid["maxFrequency"].toDouble() - 1 / 20.0) < 1e-12);
        QVERIFY(std::abs(grid["minFrequency"].toDouble() - 1 / 100.0) < 1e-12);
        for (const auto peak : json(run)["peaks"].toArray())
            QVERIFY(peak.toObject()["period"].toDouble() >= 20 && peak.toObject()["period"].toDouble() <= 100);
    }

    void fitReportsEveryField()
    {
        const Run run = cli({"fit", m_data, "--planets", "1", "--jitter", "--star-mass", "0.9", "--json"});
        QCOMPARE(run.exitCode, 0);
        const QJsonObject root = json(run);
        QCOMPARE(root["status"].toString(), QStringLiteral("converged"));
        const QJsonObject planet = root["planets"].toArray()[0].toObject();
        for (const char *key : {"period", "semiAmplitude", "eccentricity", "omegaDegrees", "periastronTime",
                                "minimumMassJupiter", "minimumMassEarth"}) {
            QVERIFY2(planet.contains(key), key);
            QVERIFY2(planet[QString(key) + "Uncertainty"].toDouble() > 0, key);
        }
        QVERIFY(std::abs(planet["period"].toDouble() - 12.5) < 3 * planet["periodUncertainty"].toDouble());
        QVERIFY(std::abs(planet["semiAmplitude"].toDouble() - 30) < 3 * planet["semiAmplitudeUncertainty"].toDouble());
        const QJsonObject instrument = root["instruments"].toArray()[0].toObject();
        QCOMPARE(instrument["name"].toString(), QStringLiteral("HARPS"));
        QVERIFY(instrument.contains("offset") && instrument.contains("jitter"));
        QCOMPARE(root["starMass"].toDouble(), 0.9);
        QCOMPARE(root["points"].toInt(), 80);
        QCOMPARE(root["parameters"].toInt(), 7);
        const double bic = 7 * std::log(80.0) + 2 * root["negativeLogLikelihood"].toDouble();
        QVERIFY(std::abs(root["bic"].toDouble() - bic) < 1e-6 * bic);
        QVERIFY(root["chiSquare"].toDouble() > 0 && root["rms"].toDouble() > 0);
    }

    void findAndBootstrap()
    {
        const Run run = cli({"fit", m_data, "--find", "--planets", "4", "--bootstrap", "20", "--json"});
        QCOMPARE(run.exitCode, 0);
        const QJsonObject root = json(run);
        // One planet in the data: the search stops when the residuals show no significant peak.
        QCOMPARE(root["planets"].toArray().size(), 1);
        QCOMPARE(root["bootstrapRuns"].toInt(), 20);
        QVERIFY(root["planets"].toArray()[0].toObject()["periodBootstrapUncertainty"].toDouble() > 0);
    }

    void csvAndResiduals()
    {
        const QString residuals = m_folder.filePath("residuals.csv");
        const Run run = cli({"fit", m_data, "--csv", "--residuals", residuals});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.out.startsWith("kind,name,period_d,"));
        const qsizetype row = run.out.indexOf("\nplanet,b,");
        QVERIFY(row > 0);
        QVERIFY(std::abs(run.out.mid(row + 10, 12).split(',').first().toDouble() - 12.5) < 0.1);
        QFile file(residuals);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().trimmed().split('\n');
        QCOMPARE(lines.size(), 81);
        QCOMPARE(lines[0], QByteArray("time,velocity,uncertainty,instrument,model,residual"));
        // residual = velocity − model on every row.
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const QList<QByteArray> fields = lines[i].split(',');
            QCOMPARE(fields.size(), 6);
            QVERIFY(std::abs(fields[1].toDouble() - fields[4].toDouble() - fields[5].toDouble()) < 1e-6);
        }
    }

    void systemFileGivesStarMass()
    {
        const Run run = cli({"fit", ORBIQUEST9_SOURCE_DIR "/data/rv/51peg.sys", "--json"});
        QCOMPARE(run.exitCode, 0);
        const QJsonObject root = json(run);
        QCOMPARE(root["starMass"].toDouble(), 1.12);
        QCOMPARE(root["instruments"].toArray().size(), 2);
        // 51 Peg b (Mayor & Queloz 1995): P = 4.2308 d.
        QVERIFY(std::abs(root["planets"].toArray()[0].toObject()["period"].toDouble() - 4.2308) < 0.001);
    }

    void tableIsReadable()
    {
        const Run run = cli({"fit", m_data});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.out.contains("P (d)"));
        QVERIFY(run.out.contains("HARPS"));
        QVERIFY(run.out.contains("BIC"));
        QVERIFY(run.out.contains("(assumed)"));
    }

    // At T_p, ν = 0 and v = K (1 + e) cos ω; half a period later ν = π and v = −K (1 − e) cos ω.
    void curveAtPeriastronAndApoastron()
    {
        const Run run = cli({"curve", "--period", "10", "--k", "20", "--e", "0.5", "--omega", "60", "--tp", "100",
                             "--points", "3", "--json"});
        QCOMPARE(run.exitCode, 0);
        const QJsonArray points = json(run)["points"].toArray();
        QCOMPARE(points.size(), 3);
        QCOMPARE(points[0].toObject()["time"].toDouble(), 100.0);
        QCOMPARE(points[0].toObject()["phase"].toDouble(), 0.0);
        QVERIFY(std::abs(points[0].toObject()["velocity"].toDouble() - 15.0) < 1e-9);
        QCOMPARE(points[1].toObject()["phase"].toDouble(), 0.5);
        QVERIFY(std::abs(points[1].toObject()["velocity"].toDouble() + 5.0) < 1e-9);
        QCOMPARE(points[2].toObject()["time"].toDouble(), 110.0);
    }

    void helpForEachCommand_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("expected");
        QTest::newRow("general") << QStringList{"--help"} << "Commands:";
        QTest::newRow("periodogram") << QStringList{"periodogram", "--help"} << "--min-period";
        QTest::newRow("fit") << QStringList{"fit", "--help"} << "--star-mass";
        QTest::newRow("simulate") << QStringList{"simulate", "--help"} << "--cadence";
        QTest::newRow("curve") << QStringList{"curve", "--help"} << "--from";
    }
    void helpForEachCommand()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, expected);
        const Run run = cli(arguments);
        QCOMPARE(run.exitCode, 0);
        QVERIFY(QString::fromUtf8(run.out).contains(expected));
    }

    void badInputIsRefusedInOneLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("reason");
        QTest::newRow("no command") << QStringList{} << 2 << "a command is needed";
        QTest::newRow("unknown command") << QStringList{"orbit"} << 2 << "unknown command";
        QTest::newRow("missing file") << QStringList{"periodogram", "/nonexistent/rv.txt"} << 1 << "no such file";
        QTest::newRow("unreadable data") << QStringList{"fit", "GARBAGE"} << 1 << "garbage.txt: line 2";
        QTest::newRow("too few points") << QStringList{"periodogram", "TWO"} << 1 << "at least 3";
        QTest::newRow("five planets") << QStringList{"fit", "DATA", "--planets", "5"} << 2 << "--planets must lie in [1, 4]";
        QTest::newRow("zero planets") << QStringList{"fit", "DATA", "--planets", "0"} << 2 << "--planets must lie in [1, 4]";
        QTest::newRow("peaks not a number") << QStringList{"periodogram", "DATA", "--peaks", "many"} << 2 << "needs a whole number";
        QTest::newRow("unknown option") << QStringList{"fit", "DATA", "--planet", "2"} << 2 << "unknown option --planet";
        QTest::newRow("missing value") << QStringList{"curve", "--period", "3", "--k"} << 2 << "--k needs a value";
        QTest::newRow("eccentricity of 1.5") << QStringList{"curve", "--period", "3", "--k", "5", "--e", "1.5"} << 2 << "--e must lie in";
        QTest::newRow("no period") << QStringList{"simulate", "--k", "5"} << 2 << "--period and --k are required";
        QTest::newRow("bad cadence") << QStringList{"simulate", "--period", "3", "--k", "5", "--cadence", "weekly"} << 2 << "random or nightly";
        QTest::newRow("negative star mass") << QStringList{"fit", "DATA", "--star-mass", "-1"} << 2 << "--star-mass must lie in";
        QTest::newRow("unwritable output") << QStringList{"simulate", "--period", "3", "--k", "5", "-o", "/nonexistent/x.txt"} << 1 << "cannot be written";
        QTest::newRow("json and csv") << QStringList{"fit", "DATA", "--json", "--csv"} << 2 << "either --json or --csv";
        QTest::newRow("periods crossed") << QStringList{"periodogram", "DATA", "--min-period", "50", "--max-period", "10"} << 2 << "shorter than";
    }
    void badInputIsRefusedInOneLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, reason);
        QFile garbage(m_folder.filePath("garbage.txt"));
        QVERIFY(garbage.open(QIODevice::WriteOnly));
        garbage.write("time velocity error\n1 2 x\n3 4 5\n");
        garbage.close();
        QFile two(m_folder.filePath("two.txt"));
        QVERIFY(two.open(QIODevice::WriteOnly));
        two.write("1 2 1\n3 4 1\n");
        two.close();
        arguments.replaceInStrings("GARBAGE", garbage.fileName());
        arguments.replaceInStrings("TWO", two.fileName());
        arguments.replaceInStrings("DATA", m_data);
        const Run run = cli(arguments);
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY(run.out.isEmpty());
        QVERIFY2(run.err.startsWith("orbiquest9-cli: ") && run.err.count('\n') == 1 && run.err.endsWith('\n'),
                 run.err.constData());
        QVERIFY2(QString::fromUtf8(run.err).contains(reason), run.err.constData());
    }

private:
    QTemporaryDir m_folder;
    QString m_data;
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"

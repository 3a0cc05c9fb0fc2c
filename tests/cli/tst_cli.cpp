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
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, process.readAllStandardOutput(),
            process.readAllStandardError()};
}

/// |the number at path − value| < tolerance.
struct Near
{
    const char *path;
    double value;
    double tolerance;
};

// The number at a path such as "peaks/0/period", or with "#" last the size of that array; a missing or
// non-numeric field gives NaN, which no check accepts.
double numberAt(const QJsonValue &value, QStringList path)
{
    if (path.isEmpty())
        return value.isDouble() ? value.toDouble() : std::nan("");
    const QString key = path.takeFirst();
    if (key == "#")
        return double(value.toArray().size());
    return numberAt(value.isArray() ? value.toArray().at(key.toInt()) : value.toObject().value(key), path);
}

} // namespace

Q_DECLARE_METATYPE(QList<Near>)

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
        for (const auto &[name, text] :
             {std::pair{"garbage.txt", "time velocity error\n1 2 x\n3 4 5\n"}, {"two.txt", "1 2 1\n3 4 1\n"}}) {
            QFile file(m_folder.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(text) > 0);
        }
    }

    // Each run's exit code, and the fragments its output holds: standard output on success, else the one line
    // on standard error; for --json, the numbers it reports. DATA is the simulated planet of 12.5 days.
    void commands_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QStringList>("fragments");
        QTest::addColumn<QList<Near>>("numbers");
        const auto fails = [](const char *name, const QStringList &arguments, int exitCode, const QString &reason) {
            QTest::newRow(name) << arguments << exitCode << QStringList{reason} << QList<Near>{};
        };
        const auto prints = [](const char *name, const QStringList &arguments, const QStringList &fragments,
                               const QList<Near> &json = {}) {
            QTest::newRow(name) << arguments << 0 << fragments << json;
        };
        // The one numeric case of each command; the numbers' precision is the floor's tests' to check.
        prints("periodogram finds the period", {"periodogram", "DATA", "--peaks", "3", "--json"}, {},
               {{"points", 80, 0.5}, {"peaks/#", 3, 0.5}, {"peaks/0/period", 12.5, 0.1}, {"peaks/0/falseAlarmProbability", 0, 1e-6}});
        prints("period limits narrow the grid", {"periodogram", "DATA", "--min-period", "20", "--max-period", "100", "--json"},
               {}, {{"grid/maxFrequency", 1 / 20.0, 1e-12}, {"grid/minFrequency", 1 / 100.0, 1e-12}});
        // 5 parameters for the planet, an offset and a jitter: --jitter reaches the fit.
        prints("fit with its options", {"fit", "DATA", "--planets", "1", "--jitter", "--star-mass", "0.9", "--json"}, {},
               {{"planets/#", 1, 0.5}, {"planets/0/period", 12.5, 0.1}, {"starMass", 0.9, 1e-12}, {"parameters", 7, 0.5}});
        // One planet in the data: --find searches, and stops when the residuals show no significant peak.
        prints("find and bootstrap", {"fit", "DATA", "--find", "--planets", "4", "--bootstrap", "20", "--json"}, {},
               {{"planets/#", 1, 0.5}, {"bootstrapRuns", 20, 0.5}, {"planets/0/periodBootstrapUncertainty", 0.05, 0.05}});
        // The system file gives 1.12 solar masses and two instruments.
        prints("a system file gives the star's mass", {"fit", ORBIQUEST9_SOURCE_DIR "/data/rv/51peg.sys", "--json"}, {},
               {{"starMass", 1.12, 1e-12}, {"instruments/#", 2, 0.5}});
        // At T_p, ν = 0 and v = K (1 + e) cos ω = 15; the phase and the times are the command's own.
        prints("curve from periastron",
               {"curve", "--period", "10", "--k", "20", "--e", "0.5", "--omega", "60", "--tp", "100", "--points", "3", "--json"},
               {}, {{"points/#", 3, 0.5}, {"points/0/time", 100, 1e-12}, {"points/0/phase", 0, 1e-12},
                    {"points/0/velocity", 15, 1e-9}, {"points/1/phase", 0.5, 1e-12}, {"points/2/time", 110, 1e-12}});
        prints("simulated measurements as JSON",
               {"simulate", "--period", "10", "--k", "20", "--points", "4", "--sigma", "0.5", "--instrument", "Lick", "--json"},
               {"\"instrument\":\"Lick\""}, {{"measurements/#", 4, 0.5}, {"measurements/3/uncertainty", 0.5, 1e-12}});
        prints("a readable table", {"fit", "DATA"}, {"P (d)", "HARPS", "BIC", "(assumed)"});
        prints("general help", {"--help"}, {"Subcommands:"});
        prints("periodogram help", {"periodogram", "--help"}, {"--min-period"});
        prints("fit help", {"fit", "--help"}, {"--star-mass"});
        prints("simulate help", {"simulate", "--help"}, {"--cadence"});
        prints("curve help", {"curve", "--help"}, {"--from"});

        fails("no command", {}, 2, "a command is needed");
        fails("unknown command", {"orbit"}, 2, "unknown command");
        fails("unreadable data", {"fit", "FOLDER/garbage.txt"}, 1, "garbage.txt: line 2");
        fails("too few points", {"periodogram", "FOLDER/two.txt"}, 1, "at least 3");
        fails("nine planets", {"fit", "DATA", "--planets", "9"}, 2, "--planets: must lie in [1, 8]");
        fails("zero planets", {"fit", "DATA", "--planets", "0"}, 2, "--planets: must lie in [1, 8]");
        fails("peaks not a number", {"periodogram", "DATA", "--peaks", "many"}, 2, "needs a whole number");
        fails("unknown option", {"fit", "DATA", "--planet", "2"}, 2, "--planet");
        fails("missing value", {"curve", "--period", "3", "--k"}, 2, "--k: 1 required");
        fails("eccentricity of 1.5", {"curve", "--period", "3", "--k", "5", "--e", "1.5"}, 2, "--e: must lie in");
        fails("no period", {"simulate", "--k", "5"}, 2, "--period is required");
        fails("bad cadence", {"simulate", "--period", "3", "--k", "5", "--cadence", "weekly"}, 2, "random or nightly");
        fails("negative star mass", {"fit", "DATA", "--star-mass", "-1"}, 2, "--star-mass: must lie in");
        fails("unwritable output", {"simulate", "--period", "3", "--k", "5", "-o", "/nonexistent/x.txt"}, 1, "cannot be written");
        fails("json and csv", {"fit", "DATA", "--json", "--csv"}, 2, "--json excludes --csv");
        fails("periods crossed", {"periodogram", "DATA", "--min-period", "50", "--max-period", "10"}, 2, "shorter than");
    }
    void commands()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QStringList, fragments);
        QFETCH(QList<Near>, numbers);
        arguments.replaceInStrings("DATA", m_data);
        arguments.replaceInStrings("FOLDER", m_folder.path());
        const Run run = cli(arguments);
        QCOMPARE(run.exitCode, exitCode);
        if (exitCode != 0) {
            QVERIFY(run.out.isEmpty());
            QVERIFY2(run.err.startsWith("orbiquest9-cli: ") && run.err.count('\n') == 1 && run.err.endsWith('\n'),
                     run.err.constData());
        }
        const QString text = QString::fromUtf8(exitCode == 0 ? run.out : run.err);
        for (const QString &fragment : fragments)
            QVERIFY2(text.contains(fragment), qPrintable(fragment + " not in: " + text));
        for (const Near &near : numbers) {
            const double value = numberAt(QJsonDocument::fromJson(run.out).object(), QString(near.path).split('/'));
            QVERIFY2(std::abs(value - near.value) < near.tolerance, qPrintable(QStringLiteral("%1 = %2").arg(near.path).arg(value)));
        }
    }

    // The table and the residuals file are the fit's writers' to shape; the command prints one and writes the other.
    void csvAndResiduals()
    {
        const QString residuals = m_folder.filePath("residuals.csv");
        const Run run = cli({"fit", m_data, "--csv", "--residuals", residuals});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.out.startsWith("kind,name,period_d,") && run.out.contains("\nplanet,b,"));
        QFile file(residuals);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().trimmed().split('\n');
        QCOMPARE(lines.size(), 81);
        QCOMPARE(lines[0], QByteArray("time,velocity,uncertainty,instrument,model,residual"));
    }

private:
    QTemporaryDir m_folder;
    QString m_data;
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"

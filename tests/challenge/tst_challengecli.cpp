#include "support/clirun.h"

#include "challenge/challengedata.h"
#include "challenge/classcode.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestChallengeCli : public QObject
{
    Q_OBJECT

private slots:
    void dataBytesEqualTheLibrarys()
    {
        const CliRun made = runCli({"challenge", "make", "--level", "2", "--seed", "31", "--cadence", "random"});
        QCOMPARE(made.exitCode, 0);
        const QString classCode = QString::fromUtf8(made.out).section('\n', 0, 0).section(' ', -1);
        QTemporaryDir folder;
        const QString file = folder.filePath("data.txt");
        const CliRun written = runCli({"challenge", "data", classCode, "-o", file});
        QVERIFY2(written.exitCode == 0, written.err.constData());
        QFile saved(file);
        QVERIFY(saved.open(QIODevice::ReadOnly));

        const auto read = Challenge::decodeCode(classCode.toStdString());
        QVERIFY2(read.ok(), read.reason().c_str());
        QCOMPARE(read->settings.seed, 31u);
        const auto challenge =
            Challenge::makeChallenge(read->settings, std::filesystem::path(ORBIQUEST9_SOURCE_DIR) / "data/rv");
        QCOMPARE(saved.readAll(), QByteArray::fromStdString(Challenge::dataText(*challenge)));
    }

    void refusalsNameTheFault_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message");
        QTest::newRow("key of a class code") << QStringList{"key", "P198-1QD6-MZ56"} << "needs the teacher's code";
        QTest::newRow("mistyped code") << QStringList{"data", "P198-1QD6-MZ57"} << "mistyped";
        QTest::newRow("non-number") << QStringList{"score", "P198-1QD6-MZ56", "--period", "four", "--k", "120", "--e",
                                                   "0",     "--msini",        "0.8"}
                                    << "--period: \"four\" is not a number";
        QTest::newRow("noise for a real star")
            << QStringList{"make", "--level", "5", "--noise", "3"} << "--noise does not apply to level 5";
    }

    void refusalsNameTheFault()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        const CliRun run = runCli(QStringList{"challenge"} + arguments);
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.err.contains(message.toUtf8()), run.err.constData());
        QVERIFY(run.out.isEmpty());
    }

    void scoreSaysWhichWay()
    {
        const CliRun run = runCli({"challenge", "score", "P198-1QD6-MZ56", "--period", "3.383", "--k", "200", "--e",
                                   "0", "--msini", "0.79", "--json"});
        QVERIFY2(run.exitCode == 0, run.err.constData());
        QVERIFY2(run.out.contains("K = 200 m/s is too large"), run.out.constData());
        QVERIFY(run.out.contains("\"right\": 3"));
    }
};

QTEST_GUILESS_MAIN(TestChallengeCli)
#include "tst_challengecli.moc"

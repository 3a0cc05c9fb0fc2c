#include "challenge/answerkey.h"
#include "challenge/challengedata.h"
#include "challenge/classcode.h"
#include "challenge/goodness.h"
#include "challenge/scoring.h"

#include <QCryptographicHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

#include <cmath>

Q_DECLARE_METATYPE(Challenge::ChallengeSettings)

namespace {

const std::filesystem::path rvFolder = std::filesystem::path(ORBIQUEST9_SOURCE_DIR) / "data" / "rv";

Challenge::ChallengeSettings settings(Challenge::Level level, int points, int noiseTenths, Challenge::Cadence cadence,
                                      bool help, std::uint32_t seed)
{
    return {level, points, noiseTenths, cadence, help, seed};
}

/// A key whose best fit is written by hand, so scoring is checked on its own.
Challenge::AnswerKey handKey()
{
    Challenge::AnswerKey key;
    Fitting::PlanetResult planet;
    planet.value.periodDays = 10;
    planet.uncertainty.periodDays = 0.1; // 3σ = 0.3 beats the 1 % floor (0.1)
    planet.value.semiAmplitude = 50;
    planet.uncertainty.semiAmplitude = 0.5; // 3σ = 1.5 loses to the 5 % floor (2.5)
    planet.value.eccentricity = 0.2;
    planet.uncertainty.eccentricity = 0.01; // 3σ = 0.03 loses to the floor 0.05
    planet.value.minimumMassJupiter = 1.0;
    planet.uncertainty.minimumMassJupiter = 0.1; // 3σ = 0.3 beats the 5 % floor (0.05)
    key.bestFit.planets.push_back(planet);
    return key;
}

} // namespace

class TestChallenge : public QObject
{
    Q_OBJECT

private slots:
    void codeRoundTrip_data()
    {
        using namespace Challenge;
        QTest::addColumn<ChallengeSettings>("settings");
        QTest::newRow("level 1, defaults") << defaultSettings(Level::BigCircular);
        QTest::newRow("lowest values") << settings(Level::Eccentric, 10, 1, Cadence::Random, false, 0);
        QTest::newRow("highest values") << settings(Level::RealStar, 400, 1023, Cadence::Nightly, true, maximumSeed);
        QTest::newRow("level 4, no help") << settings(Level::TwoPlanets, 123, 456, Cadence::Random, false, 98765);
    }

    void codeRoundTrip()
    {
        QFETCH(Challenge::ChallengeSettings, settings);
        for (const auto kind : {Challenge::CodeKind::Class, Challenge::CodeKind::Teacher}) {
            const std::string code = Challenge::encodeCode(settings, kind);
            QCOMPARE(code.size(), std::size_t(14)); // twelve characters in groups of four
            const auto read = Challenge::decodeCode(code);
            QVERIFY2(read.ok(), read.reason().c_str());
            QVERIFY(read->settings == settings);
            QCOMPARE(read->kind, kind);
        }
        const std::string classCode = Challenge::encodeCode(settings, Challenge::CodeKind::Class);
        const std::string teacherCode = Challenge::encodeCode(settings, Challenge::CodeKind::Teacher);
        int sharedPlaces = 0;
        for (std::size_t i = 0; i < classCode.size(); ++i)
            sharedPlaces += classCode[i] == teacherCode[i] && classCode[i] != '-';
        QVERIFY2(sharedPlaces <= 3, "the teacher's code should not read as the class code with a few changes");
    }

    void everyMistypeIsRefused()
    {
        const std::string code = "P198-1QD6-MZ56";
        const std::string alphabet = "0123456789ABCDEFGHJKMNPQRSTVWXYZ";
        QVERIFY(Challenge::decodeCode(code).ok());
        for (std::size_t i = 0; i < code.size(); ++i) {
            if (code[i] == '-')
                continue;
            for (char c : alphabet) {
                if (c == code[i])
                    continue;
                std::string typo = code;
                typo[i] = c;
                const auto read = Challenge::decodeCode(typo);
                QVERIFY2(!read.ok(), typo.c_str());
                QVERIFY2(read.reason().find("mistyped") != std::string::npos, read.reason().c_str());
            }
        }
        const std::string plain = "P1981QD6MZ56";
        for (std::size_t i = 0; i + 1 < plain.size(); ++i) {
            std::string swapped = plain;
            std::swap(swapped[i], swapped[i + 1]);
            if (swapped != plain)
                QVERIFY2(!Challenge::decodeCode(swapped).ok(), swapped.c_str());
        }
    }

    void codeReading_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("look-alikes and case") << "p198-iqd6 mz56"
                                              << "";
        QTest::newRow("l for one, no hyphens") << "P198lQD6MZ56"
                                               << "";
        QTest::newRow("too short") << "P198-1QD6-MZ5"
                                   << "a code has 12 characters (found 11)";
        QTest::newRow("a U") << "P198-1QD6-MZU6"
                             << "\"U\" at character 13";
        QTest::newRow("a star") << "P198-1QD6-*Z56"
                                << "\"*\" at character 11";
    }

    void codeReading()
    {
        QFETCH(QString, typed);
        QFETCH(QString, refusal);
        const auto read = Challenge::decodeCode(typed.toStdString());
        if (refusal.isEmpty()) {
            QVERIFY2(read.ok(), read.reason().c_str());
            QVERIFY(read->settings == Challenge::decodeCode("P198-1QD6-MZ56")->settings);
        } else {
            QVERIFY(!read.ok());
            QVERIFY2(read.reason().find(refusal.toStdString()) != std::string::npos, read.reason().c_str());
        }
    }

    /// Codes made by this release keep their data in every later one.
    void pinnedData_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QByteArray>("sha256");
        QTest::newRow("level 1, nightly")
            << "P198-1QD6-MZ56" << QByteArray("86acea49bbb1242c7ea9143bd5a357ffea5752a48dae3d175e21ac86b81d3f02");
        QTest::newRow("level 4, random") << "W2Q0-XKVT-ZQR8"
                                         << QByteArray(
                                                "6e75e8d6c56910d351b43205d575782ca11ca9f56a9dcc36b9973cbf2fc20686");
        QTest::newRow("level 5, real star")
            << "XWZS-3K13-MR53" << QByteArray("2c880cfd50d1b1303af0fcf0a135715a87e748ea956b98d38e004739ee18db95");
    }

    void pinnedData()
    {
        QFETCH(QString, code);
        QFETCH(QByteArray, sha256);
        const auto read = Challenge::decodeCode(code.toStdString());
        QVERIFY2(read.ok(), read.reason().c_str());
        const auto challenge = Challenge::makeChallenge(read->settings, rvFolder);
        QVERIFY2(challenge.ok(), challenge.reason().c_str());
        const QByteArray text = QByteArray::fromStdString(Challenge::dataText(*challenge));
        QCOMPARE(QCryptographicHash::hash(text, QCryptographicHash::Sha256).toHex(), sha256);
    }

    void realStarHidesItsName()
    {
        const auto read = Challenge::decodeCode("XWZS-3K13-MR53");
        const auto challenge = Challenge::makeChallenge(read->settings, rvFolder);
        QVERIFY(challenge.ok());
        const std::string text = Challenge::dataText(*challenge);
        QCOMPARE(challenge->data.measurements.size(), std::size_t(80));
        QVERIFY(!challenge->starName.empty());
        for (const std::string &revealing : {std::string("LICK"), std::string("HJS"), std::string("ELODIE"),
                                             std::string("KECK"), std::string("EULER")})
            QVERIFY2(text.find(revealing) == std::string::npos, revealing.c_str());
    }

    void realStarWithoutItsFilesIsRefused()
    {
        const auto challenge =
            Challenge::makeChallenge(Challenge::defaultSettings(Challenge::Level::RealStar), "/nonexistent/rv");
        QVERIFY(!challenge.ok());
        QVERIFY2(challenge.reason().find("real star") != std::string::npos, challenge.reason().c_str());
    }

    void scoringAtTheEdges_data()
    {
        QTest::addColumn<double>("period");
        QTest::addColumn<double>("amplitude");
        QTest::addColumn<double>("eccentricity");
        QTest::addColumn<double>("mass");
        QTest::addColumn<QString>("verdicts"); // P K e m, R right, W wrong
        QTest::addColumn<QString>("sentence"); // part of the first wrong quantity's sentence
        QTest::newRow("just inside") << 10.299 << 47.501 << 0.249 << 0.701 << "RRRR"
                                     << "";
        QTest::newRow("just outside, high") << 10.301 << 52.501 << 0.251 << 1.301 << "WWWW"
                                            << "P = 10.301 d is too long";
        QTest::newRow("just outside, low") << 9.699 << 47.499 << 0.149 << 0.699 << "WWWW"
                                           << "is too short";
        QTest::newRow("K too small alone") << 10.0 << 47.4 << 0.2 << 1.0 << "RWRR"
                                           << "K = 47.4 m/s is too small";
    }

    void scoringAtTheEdges()
    {
        QFETCH(double, period);
        QFETCH(double, amplitude);
        QFETCH(double, eccentricity);
        QFETCH(double, mass);
        QFETCH(QString, verdicts);
        QFETCH(QString, sentence);
        const auto scored = Challenge::score(handKey(), {{period, amplitude, eccentricity, mass}});
        QVERIFY2(scored.ok(), scored.reason().c_str());
        QString found;
        std::string firstWrong;
        for (const Challenge::QuantityScore &q : scored->planets.front().quantities) {
            found += q.right ? 'R' : 'W';
            if (!q.right && firstWrong.empty())
                firstWrong = q.sentence;
        }
        QCOMPARE(found, verdicts);
        QVERIFY2(firstWrong.find(sentence.toStdString()) != std::string::npos, firstWrong.c_str());
        QCOMPARE(scored->right, int(verdicts.count('R')));
    }

    void impossibleAnswersAreRefused_data()
    {
        QTest::addColumn<double>("period");
        QTest::addColumn<double>("eccentricity");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("negative P") << -3.0 << 0.1 << "P must be a period > 0 days (found -3)";
        QTest::newRow("e = 1") << 10.0 << 1.0 << "e must be at least 0 and less than 1 (found 1)";
    }

    void impossibleAnswersAreRefused()
    {
        QFETCH(double, period);
        QFETCH(double, eccentricity);
        QFETCH(QString, refusal);
        const auto scored = Challenge::score(handKey(), {{period, 50, eccentricity, 1}});
        QVERIFY(!scored.ok());
        QCOMPARE(QString::fromStdString(scored.reason()), refusal);
    }

    void answerNumbers_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("blanks around") << " 4.23 " << true;
        QTest::newRow("exponent") << "5e-1" << true;
        QTest::newRow("word") << "abc" << false;
        QTest::newRow("trailing letters") << "4.2d" << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("not a number") << "nan" << false;
    }

    void answerNumbers()
    {
        QFETCH(QString, typed);
        QFETCH(bool, accepted);
        const auto value = Challenge::readAnswerNumber("P", typed.toStdString());
        QCOMPARE(value.ok(), accepted);
        if (!accepted)
            QCOMPARE(QString::fromStdString(value.reason()), "P: \"" + typed + "\" is not a number");
    }

    void goodnessByHand()
    {
        // A circular orbit with P = 4 d, T_p = 0 gives K, 0, −K at t = 0, 1, 2.
        Observations::DataSet data;
        data.instruments = {"A"};
        data.measurements = {{0, 11, 1, 0}, {1, 1, 1, 0}, {2, -9, 1, 0}};
        const Challenge::StudentModel model{{{4, 9, 0, 0, 0}}, {1}};
        const auto meter = Challenge::goodness(data, model);
        QVERIFY2(meter.ok(), meter.reason().c_str());
        QCOMPARE(meter->chiSquare, 2.0); // residuals 1, 0, −1
        QCOMPARE(meter->rms, std::sqrt(2.0 / 3));
        QVERIFY(!meter->reducedChiSquare); // 3 points, 6 parameters
        QVERIFY(std::abs(meter->residuals[1]) < 1e-12);
    }

    void bestOffsetsAreWeightedMeans()
    {
        Observations::DataSet data;
        data.instruments = {"A", "B"};
        data.measurements = {{0, 1, 1, 0}, {1, 3, 2, 0}, {2, -5, 1, 1}};
        const std::vector<double> offsets = Challenge::bestOffsets(data, {});
        QCOMPARE(offsets[0], 1.4); // (1 + 3/4) / (1 + 1/4)
        QCOMPARE(offsets[1], -5.0);
        const auto meter = Challenge::goodness(data, {{}, offsets});
        QVERIFY(meter.ok());
        QCOMPARE(*meter->reducedChiSquare, (0.16 + 0.64) / 1); // (0.4/1)² + (1.6/2)², 3 − 2 degrees
        QVERIFY(!Challenge::goodness(data, {{}, {0}}).ok());   // one offset for two instruments
    }

    void closenessVerdicts_data()
    {
        QTest::addColumn<double>("student");
        QTest::addColumn<QString>("verdict");
        QTest::newRow("within the parameters") << 56.0 << "as good as the best fit";
        QTest::newRow("fraction 0.56") << 90.0 << "close";
        QTest::newRow("fraction 0.25") << 200.0 << "getting closer";
        QTest::newRow("fraction 0.17") << 300.0 << "far";
    }

    void closenessVerdicts()
    {
        QFETCH(double, student);
        QFETCH(QString, verdict);
        QCOMPARE(QString::fromStdString(Challenge::closeness(student, 50, 6).verdict), verdict);
    }

    void keyJsonNamesEveryElement()
    {
        const auto challenge = Challenge::makeChallenge(Challenge::decodeCode("P198-1QD6-MZ56")->settings, rvFolder);
        const auto key = Challenge::makeAnswerKey(*challenge);
        QVERIFY2(key.ok(), key.reason().c_str());
        const QJsonObject root = QJsonDocument::fromJson(QByteArray::fromStdString(Challenge::keyJson(*key))).object();
        QCOMPARE(root["starMassSolar"].toDouble(), challenge->starMassSolar);
        const QJsonObject truth = root["planets"].toArray().at(0).toObject();
        QCOMPARE(truth["period"].toDouble(), challenge->planets.front().periodDays);
        for (const char *name :
             {"semiAmplitude", "eccentricity", "omegaDegrees", "periastronTime", "minimumMassJupiter"})
            QVERIFY2(truth.contains(QLatin1String(name)), name);
        const QJsonObject fitted = root["bestFit"].toObject()["planets"].toArray().at(0).toObject();
        QVERIFY(fitted["period"].toObject()["uncertainty"].toDouble() > 0);
        // Without jitter the meter counts the best fit's χ² as the fit does.
        QVERIFY(std::abs(key->meterChiSquare - key->bestFit.chiSquare) < 1e-6 * key->bestFit.chiSquare);
    }
};

QTEST_APPLESS_MAIN(TestChallenge)
#include "tst_challenge.moc"

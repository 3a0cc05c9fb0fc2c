#include "challenge/classcode.h"
#include "classroom/challengepanel.h"
#include "classroom/labclassroom.h"
#include "classroom/lessonpanel.h"
#include "labdata/labobservations.h"
#include "labdata/observationspanel.h"
#include "support/labscene.h"

#include <QtTest>
#include <QtWidgets>

namespace {

/// A class code of this release and the SHA-256 of its data, pinned where the
/// numeric floor pins them; the command line writes these very bytes.
const QString PinnedCode = QStringLiteral("P198-1QD6-MZ56");
const QByteArray PinnedSha256("86acea49bbb1242c7ea9143bd5a357ffea5752a48dae3d175e21ac86b81d3f02");

QString teacherCode()
{
    const auto read = Challenge::decodeCode(PinnedCode.toStdString());
    return QString::fromStdString(Challenge::encodeCode(read->settings, Challenge::CodeKind::Teacher));
}

KeplerLab *openLab()
{
    KeplerLab::open();
    return form<KeplerLab>();
}

ObservationsPanel *observations()
{
    return LabObservations::panel(form<KeplerLab>());
}

LabClassroom *classroom()
{
    return LabClassroom::of(form<KeplerLab>());
}

QString verdicts()
{
    return labControl<QLabel>("scoreVerdicts")->text();
}

} // namespace

class TestClassroom : public LabScene
{
    Q_OBJECT

private slots:
    void mistypedCodeLoadsNothing()
    {
        openLab();
        m_platform->inputAnswers.enqueue(QStringLiteral("P198-1QD6-MZ57"));
        labControl<QAction>("actionOpenChallenge")->trigger();
        QCOMPARE(m_platform->messageBoxes.size(), 1);
        QVERIFY(m_platform->messageBoxes.front().style.testFlag(MsgBox::Critical));
        QVERIFY2(m_platform->messageBoxes.front().prompt.contains(QStringLiteral("mistyped")),
                 qPrintable(m_platform->messageBoxes.front().prompt));
        QVERIFY(observations()->data().measurements.empty());
        QVERIFY(!classroom()->challengePanel()->challenge());
    }

    /// The teacher's choices travel in both codes.
    void madeCodesCarryTheChoices()
    {
        openLab();
        labControl<QAction>("actionNewChallenge")->trigger();
        labControl<QComboBox>("challengeLevel")->setCurrentIndex(1);
        labControl<QSpinBox>("challengePoints")->setValue(55);
        labControl<QDoubleSpinBox>("challengeNoise")->setValue(4.5);
        labControl<QComboBox>("challengeCadence")->setCurrentIndex(1);
        labControl<QSpinBox>("challengeSeed")->setValue(1234);
        labControl<QCheckBox>("challengeCloseness")->setChecked(false);
        QTest::mouseClick(labControl<QPushButton>("challengeMake"), Qt::LeftButton);
        const auto classCode = Challenge::decodeCode(labControl<QLineEdit>("classCodeText")->text().toStdString());
        const auto teacherCode = Challenge::decodeCode(labControl<QLineEdit>("teacherCodeText")->text().toStdString());
        QVERIFY2(classCode.ok() && teacherCode.ok(), classCode.reason().c_str());
        const Challenge::ChallengeSettings expected{Challenge::Level::Eccentric, 55,    45,
                                                    Challenge::Cadence::Random,  false, 1234};
        QVERIFY(classCode->settings == expected);
        QVERIFY(teacherCode->settings == expected);
        QCOMPARE(classCode->kind, Challenge::CodeKind::Class);
        QCOMPARE(teacherCode->kind, Challenge::CodeKind::Teacher);
        // The challenge forbids "How close am I?" once a student opens it.
        QSignalSpy help(classroom(), &LabClassroom::closenessHelpChanged);
        QVERIFY(classroom()->openChallengeCode(labControl<QLineEdit>("classCodeText")->text()));
        QCOMPARE(help.size(), 1);
        QCOMPARE(help.front().front().toBool(), false);
    }

    /// The data a student opens are saved as the very bytes the command line writes.
    void openedDataAreTheCommandLinesBytes()
    {
        openLab();
        m_platform->inputAnswers.enqueue(QStringLiteral(" p198 1qd6 mz56 "));
        labControl<QAction>("actionOpenChallenge")->trigger();
        QVERIFY(m_platform->messageBoxes.isEmpty());
        QVERIFY(!labControl<QPushButton>("answerKeyButton")->isVisibleTo(form<KeplerLab>()));
        const QString path = QDir(m_environment->path()).filePath(QStringLiteral("challenge.txt"));
        m_platform->fileNames.enqueue(path);
        labControl<QAction>("actionSaveData")->trigger();
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256).toHex(), PinnedSha256);
    }

    /// Each row moves P by a number of tolerances from the best fit, the other
    /// answers at the best fit; the tolerance is the larger of 3σ and 1 % of P.
    void scoreAtTheToleranceEdge_data()
    {
        QTest::addColumn<double>("tolerances");
        QTest::addColumn<QString>("periodText"); ///< instead of the number, when given
        QTest::addColumn<QString>("verdict");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("just inside") << 0.98 << QString() << "✔ P =" << QString();
        QTest::newRow("just above") << 1.02 << QString() << "is too long: shorten it." << QString();
        QTest::newRow("just below") << -1.02 << QString() << "is too short: lengthen it." << QString();
        QTest::newRow("not a number") << 0.0 << "4,2 d" << QString() << "is not a number";
        QTest::newRow("negative P") << 0.0 << "-3" << QString() << "P must be a period > 0";
    }

    void scoreAtTheToleranceEdge()
    {
        QFETCH(double, tolerances);
        QFETCH(QString, periodText);
        QFETCH(QString, verdict);
        QFETCH(QString, refusal);
        openLab();
        QVERIFY(classroom()->openChallengeCode(PinnedCode));
        const Challenge::AnswerKey *key = classroom()->challengePanel()->answerKey();
        QVERIFY(key);
        const auto &best = key->bestFit.planets.front().value;
        const auto &sigma = key->bestFit.planets.front().uncertainty;
        const double tolerance = std::max(3 * sigma.periodDays, 0.01 * best.periodDays);
        const double period = best.periodDays + tolerances * tolerance;
        labControl<QLineEdit>("answerPeriod_1")
            ->setText(periodText.isEmpty() ? QString::number(period, 'g', 12) : periodText);
        labControl<QLineEdit>("answerAmplitude_1")->setText(QString::number(best.semiAmplitude, 'g', 12));
        labControl<QLineEdit>("answerEccentricity_1")->setText(QString::number(best.eccentricity, 'g', 12));
        labControl<QLineEdit>("answerMass_1")->setText(QString::number(best.minimumMassJupiter, 'g', 12));
        QTest::mouseClick(labControl<QPushButton>("scoreButton"), Qt::LeftButton);
        const QString refused = labControl<QLabel>("scoreRefusal")->text();
        if (!refusal.isEmpty()) {
            QVERIFY2(refused.contains(refusal), qPrintable(refused));
            QVERIFY(verdicts().isEmpty());
            return;
        }
        QVERIFY2(refused.isEmpty(), qPrintable(refused));
        const QString periodLine = verdicts().split(QLatin1Char('\n')).front();
        QVERIFY2(periodLine.contains(verdict), qPrintable(periodLine));
        QVERIFY2(verdicts().contains(tolerances > 0 && tolerances < 1 ? "4 of 4 right" : "3 of 4 right"),
                 qPrintable(verdicts()));
    }

    /// The second shipped lesson through the lab's controls: its locks, its
    /// watch on e, a wrong and a right answer, and the next step.
    void lessonReplayedThroughTheLab()
    {
        openLab();
        labControl<QAction>("lesson_2-eccentricity-and-omega.json")->trigger();
        QCOMPARE(form<KeplerLab>()->planet().orbit.periodDays, 10.0); // the lesson's set-up
        QVERIFY(!labControl<QDoubleSpinBox>("periodSpin")->isEnabled());
        QVERIFY(!labControl<QSlider>("semiAmplitudeSlider")->isEnabled());
        QVERIFY(labControl<QDoubleSpinBox>("eccentricitySpin")->isEnabled());
        QPushButton *next = labControl<QPushButton>("lessonNext");
        auto answer = [](int question, const QString &text) {
            labControl<QLineEdit>(qPrintable(QStringLiteral("lessonAnswer_%1").arg(question)))->setText(text);
            QTest::mouseClick(labControl<QPushButton>(qPrintable(QStringLiteral("lessonCheck_%1").arg(question))),
                              Qt::LeftButton);
            return labControl<QLabel>(qPrintable(QStringLiteral("lessonVerdict_%1").arg(question)))->text();
        };
        QVERIFY(answer(1, QStringLiteral("70")).contains(QStringLiteral("too small")));
        QCOMPARE(answer(1, QStringLiteral("75")), QStringLiteral("Right."));
        QCOMPARE(answer(2, QStringLiteral("-25")), QStringLiteral("Right."));
        QVERIFY2(!next->isEnabled(), "the answers are right but e is still 0");
        labControl<QDoubleSpinBox>("eccentricitySpin")->setValue(0.5);
        QVERIFY(next->isEnabled());
        QTest::mouseClick(next, Qt::LeftButton);
        QVERIFY(labControl<QLabel>("lessonStep")->text().contains(QStringLiteral("2 of 3")));
        QVERIFY(!labControl<QDoubleSpinBox>("periodSpin")->isEnabled());
        QVERIFY(!next->isEnabled());
    }

    void faultyLessonLeavesTheLessonShown()
    {
        openLab();
        labControl<QAction>("lesson_1-orbit-to-curve.json")->trigger();
        const QString path = QDir(m_environment->path()).filePath(QStringLiteral("faulty.json"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(
            "{\n  \"format\": 1,\n  \"title\": \"T\",\n  \"steps\": [\n    {\"say\": \"x\", \"lock\": [\"nosuch\"]}\n  "
            "]\n}\n");
        file.close();
        m_platform->fileNames.enqueue(path);
        labControl<QAction>("actionOpenLesson")->trigger();
        QCOMPARE(m_platform->messageBoxes.size(), 1);
        QVERIFY2(m_platform->messageBoxes.front().prompt.contains(QStringLiteral("line 5")),
                 qPrintable(m_platform->messageBoxes.front().prompt));
        QCOMPARE(classroom()->lessonPanel()->progress()->lesson().title, std::string("From orbit to curve"));
    }

    void worksheetIsAPdfAndCancelWritesNothing_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("cancel");
        QTest::newRow("lesson") << "actionLessonWorksheet" << false;
        QTest::newRow("challenge") << "actionChallengeWorksheet" << false;
        QTest::newRow("answer key") << "exportKeyPdf" << false;
        QTest::newRow("cancelled") << "actionLessonWorksheet" << true;
    }

    void worksheetIsAPdfAndCancelWritesNothing()
    {
        QFETCH(QString, command);
        QFETCH(bool, cancel);
        openLab();
        labControl<QAction>("lesson_4-finding-51-peg-b.json")->trigger();
        QVERIFY2(!observations()->data().measurements.empty(), "the lesson's data are 51 Peg's");
        QVERIFY(classroom()->openChallengeCode(teacherCode()));
        const QString path = QDir(m_environment->path()).filePath(QStringLiteral("sheet.pdf"));
        if (!cancel)
            m_platform->fileNames.enqueue(path);
        if (command.startsWith(QStringLiteral("action"))) {
            labControl<QAction>(qPrintable(command))->trigger();
        } else {
            QTest::mouseClick(labControl<QPushButton>("answerKeyButton"), Qt::LeftButton);
            QTest::mouseClick(labControl<QPushButton>(qPrintable(command)), Qt::LeftButton);
        }
        QCOMPARE(m_platform->saveFilters.size(), 1);
        QFile file(path);
        QCOMPARE(file.exists(), !cancel);
        if (cancel)
            return;
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.startsWith("%PDF"));
        QVERIFY(bytes.size() > 10000);
    }
};

QTEST_MAIN(TestClassroom)
#include "tst_classroom.moc"

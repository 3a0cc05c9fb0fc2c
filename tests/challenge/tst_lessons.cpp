#include "challenge/lesson.h"
#include "challenge/lessonprogress.h"

#include <QDir>
#include <QTest>

#include <filesystem>

namespace {

const std::filesystem::path sourceDir(ORBIQUEST9_SOURCE_DIR);

/// A lesson with one fault; the lines before it are fine.
QString lessonWith(const QString &stepTwo, const QString &head = QStringLiteral("\"format\": 1, \"title\": \"T\","))
{
    return "{\n" + head + "\n\"steps\": [\n{\"say\": \"first\"},\n" + stepTwo + "\n]\n}\n";
}

} // namespace

class TestLessons : public QObject
{
    Q_OBJECT

private slots:
    void shippedLessonsRead_data()
    {
        QTest::addColumn<QString>("file");
        for (const QString &file : QDir(QString::fromStdString((sourceDir / "data/lessons").string()))
                                       .entryList({"*.json"}, QDir::Files, QDir::Name))
            QTest::newRow(qPrintable(file)) << file;
    }

    void shippedLessonsRead()
    {
        QFETCH(QString, file);
        const auto lesson = Challenge::loadLesson((sourceDir / "data/lessons" / file.toStdString()).string());
        QVERIFY2(lesson.ok(), lesson.reason().c_str());
        QVERIFY(lesson->steps.size() >= 3);
        if (!lesson->data.empty())
            QVERIFY2(std::filesystem::exists(sourceDir / "data/rv" / lesson->data), lesson->data.c_str());
    }

    void fiveLessonsAreShipped()
    {
        QDir folder(QString::fromStdString((sourceDir / "data/lessons").string()));
        QCOMPARE(folder.entryList({"*.json"}, QDir::Files).size(), 5);
    }

    void faultsAreRefusedWithTheirLine_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("not JSON") << lessonWith("{\"say\": \"second\" \"lock\": []}")
                                  << "line 5: the text is not JSON: syntax error while parsing object";
        QTest::newRow("not an object") << "[\n1\n]"
                                       << "line 1: a lesson must be one object";
        QTest::newRow("newer format") << lessonWith("{\"say\": \"x\"}", "\"format\": 2, \"title\": \"T\",")
                                      << "line 2: this program reads lessons of format 1, not 2";
        QTest::newRow("no title") << lessonWith("{\"say\": \"x\"}", "\"format\": 1,") << "line 1: \"title\" is missing";
        QTest::newRow("step without say")
            << lessonWith("{\"title\": \"no say\"}") << "line 5: step 2: \"say\" is missing";
        QTest::newRow("unknown field") << lessonWith("{\"say\": \"x\",\n\"wacth\": {}}")
                                       << "line 6: step 2: unknown field \"wacth\"";
        QTest::newRow("unknown control") << lessonWith("{\"say\": \"x\", \"lock\": [\n\"period\",\n\"warpDrive\"]}")
                                         << "line 7: step 2: \"lock\" names no control of the lab: \"warpDrive\"";
        QTest::newRow("unknown quantity")
            << lessonWith("{\"say\": \"x\",\n\"watch\": {\"quantity\": \"colour\", \"target\": 1, \"tolerance\": 1}}")
            << "line 6: step 2: watch: the lab has no quantity \"colour\"";
        QTest::newRow("zero tolerance") << lessonWith(
            "{\"say\": \"x\", \"watch\": {\"quantity\": \"period\", \"target\": 1,\n\"tolerance\": 0}}")
                                        << "line 6: step 2: watch: \"tolerance\" must be a number > 0";
        QTest::newRow("answer in words") << lessonWith(
            "{\"say\": \"x\", \"questions\": [\n{\"ask\": \"P?\",\n\"answer\": \"ten\", \"tolerance\": 1}]}")
                                         << "line 7: step 2: question 1: \"answer\" must be a number";
        QTest::newRow("locked and unlocked")
            << lessonWith("{\"say\": \"x\", \"lock\": [\"omega\"],\n\"unlock\": [\"omega\"]}")
            << "line 6: step 2: \"omega\" is both locked and unlocked";
        QTest::newRow("no steps") << "{\"format\": 1, \"title\": \"T\",\n\"steps\": []}"
                                  << "line 2: \"steps\" must be a list in [ ] of at least one step";
    }

    void faultsAreRefusedWithTheirLine()
    {
        QFETCH(QString, text);
        QFETCH(QString, refusal);
        const auto lesson = Challenge::readLesson(text.toStdString());
        QVERIFY(!lesson.ok());
        QVERIFY2(QString::fromStdString(lesson.reason()).startsWith(refusal), lesson.reason().c_str());
    }

    void stepsKnowTheirLines()
    {
        const auto lesson = Challenge::readLesson(lessonWith("{\"say\": \"second\"}").toStdString());
        QVERIFY2(lesson.ok(), lesson.reason().c_str());
        QCOMPARE(lesson->steps[0].line, 4);
        QCOMPARE(lesson->steps[1].line, 5);
    }

    void progressThroughALesson()
    {
        const auto lesson = Challenge::loadLesson((sourceDir / "data/lessons/1-orbit-to-curve.json").string());
        QVERIFY2(lesson.ok(), lesson.reason().c_str());
        Challenge::LessonProgress progress(*lesson);
        const std::set<std::string> locked{"eccentricity", "omega", "periastronTime"};
        QCOMPARE(progress.lockedControls(), locked);
        QVERIFY(progress.advance({}));

        QVERIFY(!progress.watchMet({{"period", 19.0}}));
        QVERIFY(progress.watchMet({{"period", 20.4}}));
        QVERIFY(!progress.advance({{"period", 20.4}})); // the question is not answered yet
        const Challenge::AnswerCheck wrong = progress.checkAnswer(0, "12");
        QVERIFY(!wrong.right);
        QCOMPARE(QString::fromStdString(wrong.message), QStringLiteral("Not yet: 12 d is too large."));
        QVERIFY(!progress.checkAnswer(0, "ten").right);
        QVERIFY(progress.checkAnswer(0, "10.4").right);
        QVERIFY(progress.advance({{"period", 20.4}}));

        QCOMPARE(progress.stepIndex(), 2);
        QVERIFY(progress.checkAnswer(0, "30").right);
        QVERIFY(progress.checkAnswer(1, "-30.5").right);
        QVERIFY(progress.advance({{"semiAmplitude", 30.0}}));
        QCOMPARE(progress.lockedControls(), std::set<std::string>{}); // the last step gives them back
        QVERIFY(progress.checkAnswer(0, "0.4").right);
        QVERIFY(progress.advance({}));
        QVERIFY(progress.finished());
    }
};

QTEST_APPLESS_MAIN(TestLessons)
#include "tst_lessons.moc"

#include "ground/appinfo.h"
#include "ground/formregistry.h"
#include "frame/mdiform1.h"
#include "register/catalogdocument.h"
#include "register/droplist.h"
#include "register/form4.h"
#include "register/planetrecord.h"
#include "simulator/form1.h"

#include "support/findcontrol.h"
#include "support/scriptedplatform.h"
#include "support/testenvironment.h"

#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QPushButton>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <optional>

namespace {

/// A list row: the fields joined by three ideographic spaces.
QString row(const QStringList &fields)
{
    return fields.join(QStringLiteral("\u3000\u3000\u3000"));
}

/// Answers for a planet that is not in the built-in catalog, and its document line.
const QStringList NewPlanet{"Orbiquest b", "3.3", "62.5", "0.02", "90", "0.045", "1.2"};
const QByteArray NewPlanetLine = "Orbiquest b 3.3  62.5  0.02  90  0.045  1.2 \r\n";

QByteArray document()
{
    QFile file(CatalogDocument::fileName());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<no document>");
}

} // namespace

class TestForm4 : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void examplePlanetText();
    void acceptedPlanet_data();
    void acceptedPlanet();
    void duplicate_data();
    void duplicate();
    void stopAnswer_data();
    void stopAnswer();
    void documentOnlyGrows_data();
    void documentOnlyGrows();
    void unwritableDocument_data();
    void unwritableDocument();
    void deleteRemovesOnlyASelectedFirstRow();
    void droppedText();

private:
    /// Clicks Register once with `answers` queued, recording only what it shows.
    void registerPlanet(const QStringList &answers);
    QStringList rows() const;
    /// The prompt of the only message box shown, once its title and style are right.
    QString onlyMessage(int style) const;
    QListWidget *planetList() const { return control<QListWidget>(m_window, "List1"); }

    std::optional<TestEnvironment> m_environment;
    std::optional<ScriptedPlatform> m_platform;
    Form4 *m_window = nullptr;
};

void TestForm4::init()
{
    m_environment.emplace();
    m_platform.emplace();
    // The simulator runs before any registration, as in the program.
    form<Form1>();
    m_window = form<Form4>();
}

void TestForm4::cleanup()
{
    m_platform.reset();
    m_environment.reset();
}

void TestForm4::registerPlanet(const QStringList &answers)
{
    m_platform.emplace(); // records this registration alone
    m_platform->inputAnswers.append(answers);
    control<QPushButton>(m_window, "Register")->click();
}

QStringList TestForm4::rows() const
{
    QStringList texts;
    for (int i = 0; i < planetList()->count(); ++i)
        texts << planetList()->item(i)->text();
    return texts;
}

QString TestForm4::onlyMessage(int style) const
{
    if (m_platform->messageBoxes.size() != 1)
        return QStringLiteral("<%1 messages>").arg(m_platform->messageBoxes.size());
    const ScriptedPlatform::Box &box = m_platform->messageBoxes.first();
    if (box.title != QStringLiteral("Orbiquest9") || box.style != style)
        return QStringLiteral("<title %1, style %2>").arg(box.title).arg(box.style);
    return box.prompt;
}

void TestForm4::examplePlanetText()
{
    // 51Peg b's own values: the dialogue refuses them, so they are checked as text only.
    const PlanetRecord x{QStringLiteral("X"), 4.230785f, 55.94f, 0.013f, 58.0f, 0.0527f, 1.09f};
    QCOMPARE(PlanetRecordText::listRow(x), row({"X", "4.230785", "55.94", "0.013", "1.012291", "0.0527", "1.09"}));
    QCOMPARE(PlanetRecordText::documentLine(x), QStringLiteral("X 4.230785  55.94  0.013  58  0.0527  1.09 \r\n"));
}

void TestForm4::acceptedPlanet_data()
{
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<QString>("listRow");
    QTest::addColumn<QByteArray>("line");

    QTest::newRow("ω 90") << NewPlanet << row({"Orbiquest b", "3.3", "62.5", "0.02", "1.570796", "0.045", "1.2"})
                          << NewPlanetLine;
    // "12abc" reads 12 and an empty e is 0, a circle; ω 0 is a valid angle.
    QTest::newRow("ω 0, leading numbers, empty e")
        << QStringList{"惑星 Z", "12abc", " 7 0", "", "0", ".5", "&H2"} << row({"惑星 Z", "12", "70", "0", "0", "0.5", "2"})
        << QByteArray("惑星 Z 12  70  0  0  0.5  2 \r\n");
    QTest::newRow("line break in the name") << QStringList{"A\r\nB", "1", "2", "0", "0", "3", "4"}
                                            << row({"A  B", "1", "2", "0", "0", "3", "4"})
                                            << QByteArray("A  B 1  2  0  0  3  4 \r\n");
}

void TestForm4::acceptedPlanet()
{
    QFETCH(QStringList, answers);
    QFETCH(QString, listRow);
    QFETCH(QByteArray, line);
    registerPlanet(answers);

    const QStringList prompts{
        QStringLiteral("惑星の名前を入力/0 Or「Enter」入力でStop"),
        QStringLiteral("惑星の公転周期P(days)を入力/0 Or「Enter」入力でStop"),
        QStringLiteral("視線速度振幅K(m/s)を入力/0 Or「Enter」入力でStop"),
        QStringLiteral("惑星の離心率eを入力/0未満入力でStop/「Enter」で0入力"),
        QStringLiteral("近星点経度ωを入力/0未満入力 Or「Enter」でStop"),
        QStringLiteral("惑星－恒星間の距離(AU)を入力/0 Or「Enter」入力でStop"),
        QStringLiteral("恒星の質量Mを入力(太陽質量)/0入力 Or「Enter」でStop"),
    };
    QCOMPARE(m_platform->inputBoxes.size(), 7);
    for (int i = 0; i < 7; ++i) {
        QCOMPARE(m_platform->inputBoxes.at(i).prompt, prompts.at(i));
        QCOMPARE(m_platform->inputBoxes.at(i).title, QStringLiteral("Orbiquest9 Data update"));
    }
    QCOMPARE(m_platform->beeps, 7);
    QCOMPARE(rows(), QStringList{listRow});
    QCOMPARE(document(), line);
    QCOMPARE(onlyMessage(MsgBox::Information), QStringLiteral("Set register. Save to doc file(.doc)."));
    QVERIFY(form<Form1>()->isAnimating());
}

void TestForm4::duplicate_data()
{
    QTest::addColumn<QString>("p");
    QTest::addColumn<QString>("k");

    QTest::newRow("P of 51Peg b, any K") << "4.230785" << "1";
    QTest::newRow("K of 51Peg b, any P") << "1" << "55.94";
    QTest::newRow("P of the last planet") << "804.9" << "2";
    QTest::newRow("K of the last planet") << "2" << "418";
}

void TestForm4::duplicate()
{
    QFETCH(QString, p);
    QFETCH(QString, k);
    // One planet accepted first: the next registration still compares from the start.
    registerPlanet(NewPlanet);
    registerPlanet({"Copy", p, k, "0.1", "10", "1", "1"});

    QCOMPARE(m_platform->inputBoxes.size(), 3);
    QCOMPARE(onlyMessage(MsgBox::Information),
             QStringLiteral("These datas already have existed.\r\nPlease add the others."));
    QCOMPARE(planetList()->count(), 1);
    QCOMPARE(document(), NewPlanetLine);
    QVERIFY(form<Form1>()->isAnimating());
}

void TestForm4::stopAnswer_data()
{
    QTest::addColumn<QStringList>("answers");

    const auto stopAt = [](const char *name, int step, const QString &text) {
        QTest::newRow(name) << NewPlanet.mid(0, step - 1) + QStringList{text};
    };
    stopAt("name empty", 1, "");
    stopAt("name 0", 1, "0");
    stopAt("P empty", 2, "");
    stopAt("P 0", 2, "0");
    stopAt("P negative", 2, "-3");
    stopAt("P beyond single precision", 2, "1e39");
    stopAt("K empty", 3, "");
    stopAt("e negative", 4, "-0.1");
    stopAt("e beyond single precision", 4, "5e38");
    stopAt("ω empty", 5, "");
    stopAt("ω negative", 5, "-1");
    stopAt("a 0", 6, "0");
    stopAt("M empty", 7, "");
    stopAt("M negative", 7, "-1.1");
}

void TestForm4::stopAnswer()
{
    QFETCH(QStringList, answers);
    registerPlanet(answers);

    QCOMPARE(m_platform->inputBoxes.size(), answers.size());
    QCOMPARE(m_platform->beeps, answers.size() + 1); // the last one is StopSimulation's
    QVERIFY(m_platform->messageBoxes.isEmpty());
    QCOMPARE(planetList()->count(), 0);
    QCOMPARE(document(), QByteArray("<no document>"));
    QVERIFY(!form<Form1>()->isAnimating());
    QCOMPARE(form<MDIForm1>()->panel1(), AppInfo::title() + "  " + AppInfo::copyrightNotice());
}

void TestForm4::documentOnlyGrows_data()
{
    QTest::addColumn<QByteArray>("earlier");
    QTest::addColumn<QByteArray>("joint");

    QTest::newRow("lines with CR LF") << QByteArray("Old one 1  2  0  0  3  4 \r\n惑星 5  6  0.5  7  8  9 \r\n")
                                      << QByteArray();
    QTest::newRow("Shift-JIS bytes and a lone LF") << QByteArray("\x82\xa9\x82\xc9 1 \nraw \xff\xfe bytes\n")
                                                   << QByteArray();
    QTest::newRow("last line without its end") << QByteArray("A 1  2  0  0  3  4 ") << QByteArray("\r\n");
}

void TestForm4::documentOnlyGrows()
{
    QFETCH(QByteArray, earlier);
    QFETCH(QByteArray, joint);
    QFile file(CatalogDocument::fileName());
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(earlier) == earlier.size());
    file.close();

    // The user's own planets are not compared with each other.
    registerPlanet(NewPlanet);
    registerPlanet(NewPlanet);

    QCOMPARE(planetList()->count(), 2);
    QCOMPARE(document(), earlier + joint + NewPlanetLine + NewPlanetLine);
    control<QPushButton>(m_window, "Clear")->click();
    QCOMPARE(planetList()->count(), 0);
    QCOMPARE(document(), earlier + joint + NewPlanetLine + NewPlanetLine);
}

void TestForm4::unwritableDocument_data()
{
    QTest::addColumn<QString>("cause");

    // All fail for root too, who ignores permission bits.
    QTest::newRow("document name taken by a folder") << "folder";
    QTest::newRow("current folder removed") << "removed";
    QTest::newRow("disk full") << "full";
}

void TestForm4::unwritableDocument()
{
    QFETCH(QString, cause);
    QDir here(m_environment->path());
    QVERIFY(here.mkdir(QStringLiteral("work")) && QDir::setCurrent(here.filePath(QStringLiteral("work"))));
    const QString path = QDir::current().absoluteFilePath(CatalogDocument::fileName());
    QString shownAs = path;
    if (cause == QStringLiteral("removed")) {
        QVERIFY(here.rmdir(QStringLiteral("work")));
        shownAs = CatalogDocument::fileName();
    } else if (cause == QStringLiteral("folder")) {
        QVERIFY(QDir::current().mkdir(CatalogDocument::fileName()));
    } else {
        if (!QFileInfo::exists(QStringLiteral("/dev/full")))
            QSKIP("This system has no /dev/full");
        QVERIFY(QFile::link(QStringLiteral("/dev/full"), path));
    }

    registerPlanet(NewPlanet);

    QCOMPARE(planetList()->count(), 1);
    const QString prompt = onlyMessage(MsgBox::Exclamation);
    QVERIFY2(prompt.startsWith("The planet could not be added to\n" + shownAs + "\n"), qPrintable(prompt));
    QVERIFY(prompt.endsWith(QStringLiteral("It is shown in the list, but the document was not changed.")));
    QVERIFY(!QFileInfo(path).isFile());
    QVERIFY(!QFileInfo::exists(QStringLiteral("/") + CatalogDocument::fileName()));
}

void TestForm4::deleteRemovesOnlyASelectedFirstRow()
{
    control<QPushButton>(m_window, "Delete")->click(); // an empty list: nothing happens
    planetList()->addItems({"first", "second", "third"});

    // Nothing selected, then a later row, then the first: only the last click removes a row.
    for (int selected : {-1, 1, 0}) {
        planetList()->setCurrentRow(selected);
        control<QPushButton>(m_window, "Delete")->click();
    }
    QCOMPARE(rows(), (QStringList{"second", "third"}));

    // After a delete nothing is selected: clicking again without a new
    // choice removes nothing.
    QVERIFY(planetList()->selectedItems().isEmpty());
    control<QPushButton>(m_window, "Delete")->click();
    QCOMPARE(rows(), (QStringList{"second", "third"}));
}

void TestForm4::droppedText()
{
    planetList()->addItem(QStringLiteral("first"));
    const auto drop = [this](QMimeData &data) {
        QWidget *target = planetList()->viewport();
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &enter);
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &drop);
        return enter.isAccepted();
    };
    QMimeData picture;
    picture.setImageData(QImage(4, 4, QImage::Format_RGB32));
    QVERIFY(!drop(picture));
    QMimeData text;
    text.setText(QStringLiteral("Not a planet,\tjust text"));
    QVERIFY(drop(text));
    QCOMPARE(rows(), (QStringList{"first", "Not a planet,\tjust text"}));
}

QTEST_MAIN(TestForm4)
#include "tst_form4.moc"

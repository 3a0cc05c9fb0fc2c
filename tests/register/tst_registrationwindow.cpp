#include "frame/mainframe.h"
#include "ground/appinfo.h"
#include "ground/formregistry.h"
#include "register/catalogdocument.h"
#include "register/registrationwindow.h"
#include "simulator/simulatorwindow.h"

#include "support/findcontrol.h"
#include "support/seedscene.h"

#include <QDropEvent>
#include <QFile>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QTest>

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
    return fileContents(CatalogDocument::fileName());
}

} // namespace

class TestRegistrationWindow : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_environment.emplace(LanguageSwitch::Language::Japanese);
        m_platform.emplace();
        // The simulator runs before any registration, as in the program.
        form<SimulatorWindow>();
        m_window = form<RegistrationWindow>();
    }
    void cleanup()
    {
        m_platform.reset();
        m_environment.reset();
    }

    void acceptedPlanet_data();
    void acceptedPlanet();
    void refused_data();
    void refused();
    void unwritableDocument_data();
    void unwritableDocument();
    void deleteRemovesOnlyASelectedFirstRow();
    void droppedText();

private:
    /// Clicks Register once with `answers` queued, recording only what it shows.
    void registerPlanet(const QStringList &answers);
    QStringList rows() const;
    QListWidget *planetList() const { return control<QListWidget>(m_window, "List1"); }

    std::optional<TestEnvironment> m_environment;
    std::optional<ScriptedPlatform> m_platform;
    RegistrationWindow *m_window = nullptr;
};

void TestRegistrationWindow::registerPlanet(const QStringList &answers)
{
    m_platform.emplace(); // records this registration alone
    m_platform->inputAnswers.append(answers);
    control<QPushButton>(m_window, "Register")->click();
}

QStringList TestRegistrationWindow::rows() const
{
    QStringList texts;
    for (int i = 0; i < planetList()->count(); ++i)
        texts << planetList()->item(i)->text();
    return texts;
}

void TestRegistrationWindow::acceptedPlanet_data()
{
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<QString>("listRow");
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QByteArray>("earlier"); // the document before; empty: none yet
    QTest::addColumn<QByteArray>("joint");

    const QString newRow = row({"Orbiquest b", "3.3", "62.5", "0.02", "1.570796", "0.045", "1.2"});
    QTest::newRow("ω 90") << NewPlanet << newRow << NewPlanetLine << QByteArray() << QByteArray();
    // "12abc" reads 12 and an empty e is 0, a circle; ω 0 is a valid angle.
    QTest::newRow("ω 0, leading numbers, empty e")
        << QStringList{"惑星 Z", "12abc", " 7 0", "", "0", ".5", "&H2"}
        << row({"惑星 Z", "12", "70", "0", "0", "0.5", "2"}) << QByteArray("惑星 Z 12  70  0  0  0.5  2 \r\n")
        << QByteArray() << QByteArray();
    // Seven digits of single precision; ω 58° is 1.0122910 rad.
    QTest::newRow("line break in the name, seven digits")
        << QStringList{"A\r\nB", "4.230786", "55.93", "0.013", "58", "0.0527", "1.09"}
        << row({"A  B", "4.230786", "55.93", "0.013", "1.012291", "0.0527", "1.09"})
        << QByteArray("A  B 4.230786  55.93  0.013  58  0.0527  1.09 \r\n") << QByteArray() << QByteArray();
    QTest::newRow("after Shift-JIS bytes and a lone LF")
        << NewPlanet << newRow << NewPlanetLine << QByteArray("\x82\xa9\x82\xc9 1 \nraw \xff\xfe bytes\n")
        << QByteArray();
    QTest::newRow("after a last line without its end")
        << NewPlanet << newRow << NewPlanetLine << QByteArray("A 1  2  0  0  3  4 ") << QByteArray("\r\n");
}

void TestRegistrationWindow::acceptedPlanet()
{
    QFETCH(QStringList, answers);
    QFETCH(QString, listRow);
    QFETCH(QByteArray, line);
    QFETCH(QByteArray, earlier);
    QFETCH(QByteArray, joint);
    QFile file(CatalogDocument::fileName());
    if (!earlier.isEmpty())
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(earlier) == earlier.size());
    file.close();

    // The user's own planets are not compared with each other.
    registerPlanet(answers);
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
    QCOMPARE(onlyMessage(*m_platform, MsgBox::Information), QStringLiteral("Set register. Save to doc file(.doc)."));
    QVERIFY(form<SimulatorWindow>()->isAnimating());
    QCOMPARE(rows(), (QStringList{listRow, listRow}));
    QCOMPARE(document(), earlier + joint + line + line);
    // Clearing the list leaves the document alone.
    control<QPushButton>(m_window, "Clear")->click();
    QCOMPARE(rows(), QStringList());
    QCOMPARE(document(), earlier + joint + line + line);
}

void TestRegistrationWindow::refused_data()
{
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<bool>("duplicate");

    // P and K of 51Peg b, the first built-in planet, and of the last one.
    QTest::newRow("P of 51Peg b, any K") << QStringList{"Copy", "4.230785", "1"} << true;
    QTest::newRow("K of 51Peg b, any P") << QStringList{"Copy", "1", "55.94"} << true;
    QTest::newRow("P of the last planet") << QStringList{"Copy", "804.9", "2"} << true;
    QTest::newRow("K of the last planet") << QStringList{"Copy", "2", "418"} << true;
    const auto stopAt = [](const char *name, int step, const QString &text) {
        QTest::newRow(name) << NewPlanet.mid(0, step - 1) + QStringList{text} << false;
    };
    stopAt("name empty", 1, "");
    stopAt("name 0", 1, "0");
    stopAt("P 0", 2, "0");
    stopAt("P beyond single precision", 2, "1e39");
    stopAt("K empty", 3, "");
    stopAt("e negative", 4, "-0.1");
    stopAt("e beyond single precision", 4, "5e38");
    stopAt("ω empty", 5, "");
    stopAt("ω negative", 5, "-1");
    stopAt("a 0", 6, "0");
    stopAt("M empty", 7, "");
}

void TestRegistrationWindow::refused()
{
    QFETCH(QStringList, answers);
    QFETCH(bool, duplicate);
    // One planet accepted first: the next registration still compares from the start.
    registerPlanet(NewPlanet);
    registerPlanet(answers);

    QCOMPARE(m_platform->inputBoxes.size(), answers.size());
    QCOMPARE(m_platform->beeps, answers.size() + (duplicate ? 0 : 1)); // a stop beeps once more
    if (duplicate) {
        QCOMPARE(onlyMessage(*m_platform, MsgBox::Information),
                 QStringLiteral("These datas already have existed.\r\nPlease add the others."));
    } else {
        QVERIFY(m_platform->messageBoxes.isEmpty());
        QCOMPARE(form<MainFrame>()->panel1(), AppInfo::title() + "  " + AppInfo::copyrightNotice());
    }
    QCOMPARE(form<SimulatorWindow>()->isAnimating(), duplicate);
    QCOMPARE(rows().size(), 1);
    QCOMPARE(document(), NewPlanetLine);
}

void TestRegistrationWindow::unwritableDocument_data()
{
    QTest::addColumn<QString>("cause");

    // All fail for root too, who ignores permission bits.
    QTest::newRow("document name taken by a folder") << "folder";
    QTest::newRow("current folder removed") << "removed";
    QTest::newRow("disk full") << "full";
}

void TestRegistrationWindow::unwritableDocument()
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

    // This message is the program's own, not the designed one: read it in English.
    LanguageSwitch::instance().start(LanguageSwitch::Language::English);
    registerPlanet(NewPlanet);

    QCOMPARE(planetList()->count(), 1);
    const QString prompt = onlyMessage(*m_platform, MsgBox::Exclamation);
    QVERIFY2(prompt.startsWith("The planet could not be added to\n" + shownAs + "\n"), qPrintable(prompt));
    QVERIFY(prompt.endsWith(QStringLiteral("It is shown in the list, but the document was not changed.")));
    QVERIFY(!QFileInfo(path).isFile());
    QVERIFY(!QFileInfo::exists(QStringLiteral("/") + CatalogDocument::fileName()));
}

void TestRegistrationWindow::deleteRemovesOnlyASelectedFirstRow()
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

void TestRegistrationWindow::droppedText()
{
    planetList()->addItem(QStringLiteral("first"));
    const auto drop = [this](QMimeData &data) {
        QWidget *target = planetList()->viewport();
        // As a real drag: it enters, moves over the list, and is let go.
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &enter);
        QDragMoveEvent move(QPoint(12, 14), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &move);
        QDropEvent drop(QPointF(12, 14), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &drop);
        return enter.isAccepted() && move.isAccepted();
    };
    QMimeData picture;
    picture.setImageData(QImage(4, 4, QImage::Format_RGB32));
    QVERIFY(!drop(picture));
    QMimeData text;
    text.setText(QStringLiteral("Not a planet,\tjust text"));
    QVERIFY(drop(text));
    QCOMPARE(rows(), (QStringList{"first", "Not a planet,\tjust text"}));
}

QTEST_MAIN(TestRegistrationWindow)
#include "tst_registrationwindow.moc"

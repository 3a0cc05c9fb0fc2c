#include "app/appinfo.h"
#include "app/formregistry.h"
#include "app/mdiform1.h"
#include "app/twips.h"
#include "register/catalogdocument.h"
#include "register/droplist.h"
#include "register/form4.h"
#include "simulator/form1.h"

#include "support/scriptedplatform.h"
#include "support/testenvironment.h"

#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

const QString Gap = QStringLiteral("\u3000\u3000\u3000");

const QStringList Prompts{
    QStringLiteral("惑星の名前を入力/0 Or「Enter」入力でStop"),
    QStringLiteral("惑星の公転周期P(days)を入力/0 Or「Enter」入力でStop"),
    QStringLiteral("視線速度振幅K(m/s)を入力/0 Or「Enter」入力でStop"),
    QStringLiteral("惑星の離心率eを入力/0未満入力でStop/「Enter」で0入力"),
    QStringLiteral("近星点経度ωを入力/0未満入力 Or「Enter」でStop"),
    QStringLiteral("惑星－恒星間の距離(AU)を入力/0 Or「Enter」入力でStop"),
    QStringLiteral("恒星の質量Mを入力(太陽質量)/0入力 Or「Enter」でStop"),
};

/// Answers for a planet that is not in the built-in catalog.
const QStringList NewPlanet{"Orbiquest b", "3.3", "62.5", "0.02", "90", "0.045", "1.2"};

QString documentPath()
{
    return QDir::current().absoluteFilePath(CatalogDocument::fileName());
}

QByteArray document()
{
    QFile file(documentPath());
    if (!file.open(QIODevice::ReadOnly))
        return "<no document>";
    return file.readAll();
}

QStringList rows(const Form4 *window)
{
    QStringList texts;
    for (int i = 0; i < window->List1->count(); ++i)
        texts << window->List1->item(i)->text();
    return texts;
}

bool stopSimulationRan()
{
    return !form<Form1>()->Timer1->isActive()
           && form<MDIForm1>()->panel1() == AppInfo::title() + "  " + AppInfo::copyrightNotice();
}

} // namespace

class TestForm4 : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void loadPreparesTheWindow();
    void acceptedPlanet();
    void answersAreReadByTheLeadingNumberRule();
    void duplicate_data();
    void duplicate();
    void stopAnswer_data();
    void stopAnswer();
    void everyRegistrationRunsTheFullTest();
    void samePlanetOfOnesOwnTwiceIsAddedTwice();
    void documentKeepsItsEarlierLines();
    void unwritableDocument_data();
    void unwritableDocument();
    void deleteRemovesOnlyASelectedFirstRow();
    void clearEmptiesTheList();
    void droppedText_data();
    void droppedText();

private:
    void answer(const QStringList &answers);
    /// Clicks Register once with `answers` queued.
    void registerPlanet(const QStringList &answers);

    TestEnvironment *m_environment = nullptr;
    ScriptedPlatform *m_platform = nullptr;
    Form4 *m_window = nullptr;
};

void TestForm4::init()
{
    m_environment = new TestEnvironment;
    m_platform = new ScriptedPlatform;
    // The simulator runs before any registration, as in the program; what
    // its start-up says is not this test's business.
    form<Form1>();
    m_window = form<Form4>();
    m_platform->beeps = 0;
    m_platform->messageBoxes.clear();
    m_platform->inputBoxes.clear();
}

void TestForm4::cleanup()
{
    delete m_platform;
    delete m_environment;
}

void TestForm4::answer(const QStringList &answers)
{
    for (const QString &text : answers)
        m_platform->inputAnswers.enqueue(text);
}

void TestForm4::registerPlanet(const QStringList &answers)
{
    answer(answers);
    m_window->Register->click();
    // A registration that ended early leaves answers the next must not get.
    m_platform->inputAnswers.clear();
}

void TestForm4::loadPreparesTheWindow()
{
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Orbiquest9 - Screen4"));
    QCOMPARE(m_window->Register->toolTip(),
             QStringLiteral("To click this button which you make the based CNE original planets catalog."));
    QCOMPARE(m_window->size(), Twips::size(10995, 5000));
    QCOMPARE(m_window->List1->width(), Twips::toPixels(10095));
    QCOMPARE(m_window->List1->count(), 0);
    QCOMPARE(m_window->comparison.P[1], 4.230785f);
    QCOMPARE(m_window->comparison.K[15], 418.0f);

    const QStringList headings{"Name", "P(d)", "K(m/s)", "e", "ω", "a(AU)", "M", "Planet Catalog"};
    for (int i = 0; i < headings.size(); ++i) {
        const auto *label = m_window->findChild<QLabel *>(QStringLiteral("Label%1").arg(i + 1));
        QVERIFY(label);
        QCOMPARE(label->text(), headings.at(i));
    }
    QCOMPARE(m_window->Delete->text(), QStringLiteral("Delete"));
    QCOMPARE(m_window->Clear->text(), QStringLiteral("Clear"));
}

void TestForm4::acceptedPlanet()
{
    registerPlanet(NewPlanet);

    QCOMPARE(m_platform->inputBoxes.size(), 7);
    for (int i = 0; i < 7; ++i) {
        QCOMPARE(m_platform->inputBoxes.at(i).prompt, Prompts.at(i));
        QCOMPARE(m_platform->inputBoxes.at(i).title, QStringLiteral("Orbiquest9 Data update"));
    }
    QCOMPARE(m_platform->beeps, 7);
    QCOMPARE(rows(m_window), QStringList{"Orbiquest b" + Gap + "3.3" + Gap + "62.5" + Gap + "0.02"
                                         + Gap + "1.570796" + Gap + "0.045" + Gap + "1.2"});
    QCOMPARE(document(), QByteArray("Orbiquest b 3.3  62.5  0.02  90  0.045  1.2 \r\n"));
    QCOMPARE(m_platform->messageBoxes.size(), 1);
    QCOMPARE(m_platform->messageBoxes.at(0).prompt, QStringLiteral("Set register. Save to doc file(.doc)."));
    QCOMPARE(m_platform->messageBoxes.at(0).style, MsgBox::Information);
    QCOMPARE(m_platform->messageBoxes.at(0).title, QStringLiteral("Orbiquest9"));
    QVERIFY(form<Form1>()->Timer1->isActive());
    QCOMPARE(m_window->record.M, 1.2f);
}

void TestForm4::answersAreReadByTheLeadingNumberRule()
{
    // "12abc" reads 12; an empty e is 0, a circle; ω 0 is a valid angle.
    registerPlanet({"惑星 Z", "12abc", " 7 0", "", "0", ".5", "&H2"});

    QCOMPARE(rows(m_window), QStringList{"惑星 Z" + Gap + "12" + Gap + "70" + Gap + "0" + Gap + "0"
                                         + Gap + "0.5" + Gap + "2"});
    QCOMPARE(document(), QByteArray("惑星 Z 12  70  0  0  0.5  2 \r\n"));
}

void TestForm4::duplicate_data()
{
    QTest::addColumn<QString>("p");
    QTest::addColumn<QString>("k");

    QTest::newRow("P of 51Peg b, any K") << "4.230785" << "1";
    QTest::newRow("K of 51Peg b, any P") << "1" << "55.94";
    QTest::newRow("K of HD137510 b") << "2" << "418";
    QTest::newRow("P of 55Cnc d written with an exponent") << "5.552E3" << "3";
}

void TestForm4::duplicate()
{
    QFETCH(QString, p);
    QFETCH(QString, k);
    registerPlanet({"Copy", p, k, "0.1", "10", "1", "1"});

    QCOMPARE(m_platform->inputBoxes.size(), 3);
    QCOMPARE(m_platform->beeps, 3);
    QCOMPARE(m_platform->messageBoxes.size(), 1);
    QCOMPARE(m_platform->messageBoxes.at(0).prompt,
             QStringLiteral("These datas already have existed.\r\nPlease add the others."));
    QCOMPARE(m_platform->messageBoxes.at(0).style, MsgBox::Information);
    QCOMPARE(m_platform->messageBoxes.at(0).title, QStringLiteral("Orbiquest9"));
    QCOMPARE(m_window->List1->count(), 0);
    QVERIFY(!QFileInfo::exists(documentPath()));
    QVERIFY(form<Form1>()->Timer1->isActive());
}

void TestForm4::stopAnswer_data()
{
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<int>("asked");

    auto stopAt = [](int step, const QString &text) {
        QStringList answers = NewPlanet.mid(0, step - 1);
        answers << text;
        return answers;
    };
    QTest::newRow("name empty") << stopAt(1, "") << 1;
    QTest::newRow("name 0") << stopAt(1, "0") << 1;
    QTest::newRow("P empty") << stopAt(2, "") << 2;
    QTest::newRow("P 0") << stopAt(2, "0") << 2;
    QTest::newRow("P negative") << stopAt(2, "-3") << 2;
    QTest::newRow("P letters") << stopAt(2, "abc") << 2;
    QTest::newRow("P beyond single precision") << stopAt(2, "1e39") << 2;
    QTest::newRow("P underflows to 0") << stopAt(2, "1e-50") << 2;
    QTest::newRow("K empty") << stopAt(3, "") << 3;
    QTest::newRow("K 0") << stopAt(3, "0") << 3;
    QTest::newRow("K beyond double range") << stopAt(3, "1e400") << 3;
    QTest::newRow("e negative") << stopAt(4, "-0.1") << 4;
    QTest::newRow("e beyond single precision") << stopAt(4, "5e38") << 4;
    QTest::newRow("omega empty") << stopAt(5, "") << 5;
    QTest::newRow("omega negative") << stopAt(5, "-1") << 5;
    QTest::newRow("a empty") << stopAt(6, "") << 6;
    QTest::newRow("a 0") << stopAt(6, "0") << 6;
    QTest::newRow("M empty") << stopAt(7, "") << 7;
    QTest::newRow("M 0") << stopAt(7, "0") << 7;
    QTest::newRow("M negative") << stopAt(7, "-1.1") << 7;
}

void TestForm4::stopAnswer()
{
    QFETCH(QStringList, answers);
    QFETCH(int, asked);
    registerPlanet(answers);

    QCOMPARE(m_platform->inputBoxes.size(), asked);
    QCOMPARE(m_platform->beeps, asked + 1); // the last one is StopSimulation's
    QVERIFY(m_platform->messageBoxes.isEmpty());
    QCOMPARE(m_window->List1->count(), 0);
    QVERIFY(!QFileInfo::exists(documentPath()));
    QVERIFY(stopSimulationRan());
}

void TestForm4::everyRegistrationRunsTheFullTest()
{
    registerPlanet(NewPlanet);
    registerPlanet({"Second", "7", "73.38", "0", "0", "1", "1"}); // K of 55Cnc b
    registerPlanet({"Third", "2.7955", "8", "0", "0", "1", "1"}); // P of 55Cnc e

    QCOMPARE(m_window->List1->count(), 1);
    QCOMPARE(m_platform->messageBoxes.size(), 3);
    QCOMPARE(m_platform->messageBoxes.at(1).prompt, m_platform->messageBoxes.at(2).prompt);
    QVERIFY(m_platform->messageBoxes.at(1).prompt.startsWith(QStringLiteral("These datas")));
}

void TestForm4::samePlanetOfOnesOwnTwiceIsAddedTwice()
{
    registerPlanet(NewPlanet);
    registerPlanet(NewPlanet);

    QCOMPARE(m_window->List1->count(), 2);
    QCOMPARE(m_window->List1->item(0)->text(), m_window->List1->item(1)->text());
    const QByteArray line = "Orbiquest b 3.3  62.5  0.02  90  0.045  1.2 \r\n";
    QCOMPARE(document(), line + line);
}

void TestForm4::documentKeepsItsEarlierLines()
{
    const QByteArray earlier = "Old one 1  2  0  0  3  4 \r\n\xe6\x83\x91\xe6\x98\x9f 5  6  0.5  7  8  9 \r\n";
    {
        QFile file(documentPath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(earlier);
    }

    registerPlanet(NewPlanet);

    QCOMPARE(document(), earlier + "Orbiquest b 3.3  62.5  0.02  90  0.045  1.2 \r\n");
}

void TestForm4::unwritableDocument_data()
{
    QTest::addColumn<bool>("removeFolder");

    // Both fail for root too, who ignores permission bits.
    QTest::newRow("document name taken by a folder") << false;
    QTest::newRow("current folder removed") << true;
}

void TestForm4::unwritableDocument()
{
    QFETCH(bool, removeFolder);
    QDir here(m_environment->path());
    QVERIFY(here.mkdir(QStringLiteral("work")));
    QVERIFY(QDir::setCurrent(here.filePath(QStringLiteral("work"))));
    const QString path = documentPath();
    QString shownAs = path;
    if (removeFolder) {
        QVERIFY(here.rmdir(QStringLiteral("work")));
        shownAs = CatalogDocument::fileName();
    } else {
        QVERIFY(QDir::current().mkdir(CatalogDocument::fileName()));
    }

    registerPlanet(NewPlanet);

    QCOMPARE(m_window->List1->count(), 1);
    QCOMPARE(m_platform->messageBoxes.size(), 1);
    const ScriptedPlatform::Box box = m_platform->messageBoxes.at(0);
    QCOMPARE(box.style, MsgBox::Exclamation);
    QCOMPARE(box.title, QStringLiteral("Orbiquest9"));
    QVERIFY2(box.prompt.startsWith(QStringLiteral("The planet could not be added to\n") + shownAs + "\n"),
             qPrintable(box.prompt));
    QVERIFY(box.prompt.endsWith(QStringLiteral("It is shown in the list, but the document was not changed.")));
    QVERIFY(!QFileInfo(path).isFile());
    QVERIFY(!QFileInfo::exists(QStringLiteral("/") + CatalogDocument::fileName()));
}

void TestForm4::deleteRemovesOnlyASelectedFirstRow()
{
    m_window->Delete->click(); // an empty list: nothing happens
    for (const char *text : {"first", "second", "third"})
        m_window->List1->addItem(QString::fromLatin1(text));

    m_window->Delete->click();
    QCOMPARE(rows(m_window), (QStringList{"first", "second", "third"}));

    m_window->List1->setCurrentRow(1);
    m_window->Delete->click();
    QCOMPARE(rows(m_window), (QStringList{"first", "second", "third"}));

    m_window->List1->setCurrentRow(0);
    m_window->Delete->click();
    QCOMPARE(rows(m_window), (QStringList{"second", "third"}));
}

void TestForm4::clearEmptiesTheList()
{
    registerPlanet(NewPlanet);
    m_window->List1->addItem(QStringLiteral("dropped"));
    const QByteArray written = document();

    m_window->Clear->click();

    QCOMPARE(m_window->List1->count(), 0);
    QCOMPARE(document(), written);
}

void TestForm4::droppedText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("withText");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("plain text") << "Not a planet row,\tjust text" << true
                                << QStringList{"first", "Not a planet row,\tjust text"};
    QTest::newRow("a planet row") << "A" + Gap + "1" << true << QStringList{"first", "A" + Gap + "1"};
    QTest::newRow("a picture only") << QString() << false << QStringList{"first"};
}

void TestForm4::droppedText()
{
    QFETCH(QString, text);
    QFETCH(bool, withText);
    QFETCH(QStringList, expected);
    m_window->List1->addItem(QStringLiteral("first"));
    QMimeData data;
    if (withText)
        data.setText(text);
    else
        data.setImageData(QImage(4, 4, QImage::Format_RGB32));
    QWidget *target = m_window->List1->viewport();
    const QPointF where(10, 10);

    QDragEnterEvent enter(where.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    QCOMPARE(enter.isAccepted(), withText);
    QDropEvent drop(where, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &drop);

    QCOMPARE(rows(m_window), expected);
}

QTEST_MAIN(TestForm4)
#include "tst_form4.moc"

#include "app/formregistry.h"
#include "massfunction/dialog.h"
#include "massfunction/formulapicture.h"
#include "support/scriptedplatform.h"
#include "support/testenvironment.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QToolButton>

#include <memory>

class TestDialog : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void eightLines_data();
    void eightLines();
    void textBoxShowsAllLines();
    void secondOpeningKeepsOneWindow();
    void okUnloads();
    void formulaPictures();
    void activatingTheIconOpensThePicture();

private:
    std::unique_ptr<TestEnvironment> m_environment;
    std::unique_ptr<ScriptedPlatform> m_platform;
};

void TestDialog::init()
{
    m_environment = std::make_unique<TestEnvironment>();
    m_platform = std::make_unique<ScriptedPlatform>();
}

void TestDialog::cleanup()
{
    m_platform.reset();
    m_environment.reset();
}

void TestDialog::eightLines_data()
{
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("text");

    const QString equals = QStringLiteral("＝＝＝＝＝＝＝＝＝＝＝＝＝＝＝＝＝＝＝＝");
    QTest::newRow("1 formulas run together")
        << 0 << QStringLiteral("m = (Nsin i)^2 / (M + N)^ 3=K^3 * P^2{(1 - e^2)^3}^(1/2) / 2πG");
    QTest::newRow("2 rule") << 1 << equals;
    QTest::newRow("3 minimum mass")
        << 2 << QStringLiteral("Nz = Nsin(i) ～ {K(1 - e^2)^(1/2)} * {P^2(M)^2 / 2πG}^(1/3)");
    QTest::newRow("4 rule") << 3 << equals;
    QTest::newRow("5 ideographic space")
        << 4 << QStringLiteral("　This is a important equation to calculate minimum mass of the "
                               "planets which is called 'Mass Function'.");
    QTest::newRow("6 ends with a blank")
        << 5 << "If we know the dates of the exoplanets when newly astronomers which is called "
                "'Orbiquest' have discovered the exoplanets, ";
    QTest::newRow("7") << 6
                       << "this would be able to calculate if actually you don't observe the "
                          "exoplanetary system. If you calculated with this equation, you would "
                          "get near the observational result in CNE.";
    QTest::newRow("8") << 7
                       << "Orbiquests judge mass size of the heavenlybody to know with Mass "
                          "Function. In the end of right side equation is makes up of the two "
                          "observational volumes that are P and K .";
}

void TestDialog::eightLines()
{
    QFETCH(int, line);
    QFETCH(QString, text);
    Dialog *dialog = form<Dialog>();
    QCOMPARE(dialog->Lines.size(), 8);
    QCOMPARE(dialog->Lines.at(line), text);
    QCOMPARE(dialog->Text1->document()->findBlockByNumber(line).text(), text);
}

void TestDialog::textBoxShowsAllLines()
{
    Dialog *dialog = form<Dialog>();
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Orbiquest9 - Mass Function -"));
    QCOMPARE(dialog->Text1->document()->blockCount(), 8);
    QCOMPARE(dialog->OKButton->text(), QStringLiteral("OK"));
    QCOMPARE(dialog->OLE1->text(), QStringLiteral("MassFunction"));
}

void TestDialog::secondOpeningKeepsOneWindow()
{
    Dialog *first = form<Dialog>();
    first->show();
    Dialog *second = form<Dialog>();
    QCOMPARE(second, first);
    QCOMPARE(second->Text1->toPlainText(), first->Text1->toPlainText());
}

void TestDialog::okUnloads()
{
    Dialog *dialog = form<Dialog>();
    dialog->OKButton->click();
    QVERIFY(!FormRegistry::instance().isLoaded<Dialog>());
}

void TestDialog::formulaPictures()
{
    const QImage small = FormulaPicture::minimumMass();
    QCOMPARE(small.size(), QSize(195, 60));
    // Something is written on the white picture.
    int dark = 0;
    for (int y = 0; y < small.height(); ++y) {
        for (int x = 0; x < small.width(); ++x)
            dark += qGray(small.pixel(x, y)) < 128;
    }
    QVERIFY(dark > 100);

    Dialog *dialog = form<Dialog>();
    QCOMPARE(dialog->Image1->pixmap().size(), QSize(195, 60));
    QVERIFY(!FormulaPicture::massFunction().isNull());
}

void TestDialog::activatingTheIconOpensThePicture()
{
    Dialog *dialog = form<Dialog>();
    dialog->OLE1->click();
    QCOMPARE(m_platform->shellTargets.size(), 1);
    const QString file = m_platform->shellTargets.first();
    QCOMPARE(file, Dialog::massFunctionPictureFile());
    QVERIFY(file.startsWith(m_environment->path()));
    QImage written(file);
    QCOMPARE(written.size(), FormulaPicture::massFunction().size());
}

QTEST_MAIN(TestDialog)
#include "tst_dialog.moc"

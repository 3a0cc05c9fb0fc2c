#include "app/colors.h"
#include "app/controls.h"
#include "app/formregistry.h"
#include "catalog/catalog.h"
#include "massfunction/form2.h"
#include "support/scriptedplatform.h"
#include "support/testenvironment.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTest>

#include <memory>

class TestForm2 : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void captionsAndColours_data();
    void captionsAndColours();
    void listRows();
    void rowClick_data();
    void rowClick();
    void rowClickClearsResults();
    void tickingShowsEarthUnitWithoutMessage();
    void clearingShowsCaution();
    void oneWindowOnly();

private:
    std::unique_ptr<TestEnvironment> m_environment;
    std::unique_ptr<ScriptedPlatform> m_platform;
};

void TestForm2::init()
{
    m_environment = std::make_unique<TestEnvironment>();
    m_platform = std::make_unique<ScriptedPlatform>();
}

void TestForm2::cleanup()
{
    m_platform.reset();
    m_environment.reset();
}

void TestForm2::captionsAndColours_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QColor>("color");

    QTest::newRow("Label2") << "Label2" << "Name" << Colors::rgb(255, 0, 255);
    QTest::newRow("Label3") << "Label3" << "Judgement of the Orbital form" << Colors::rgb(0, 255, 0);
    QTest::newRow("Label4") << "Label4" << "m=Msin(i)=" << Colors::rgb(255, 255, 0);
    QTest::newRow("Label6") << "Label6" << "(M_JUP)" << Colors::rgb(255, 255, 0);
    QTest::newRow("Label8") << "Label8" << "The Exoplanets Catalog" << Colors::rgb(0, 255, 0);
    QTest::newRow("Label1") << "Label1" << "Explanation of About the planet" << Colors::rgb(255, 128, 0);
}

void TestForm2::captionsAndColours()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QColor, color);
    auto *label = form<Form2>()->findChild<QLabel *>(name);
    QVERIFY(label);
    QCOMPARE(label->text(), caption);
    QCOMPARE(Controls::foreColor(label), color);
}

void TestForm2::listRows()
{
    Form2 *window = form<Form2>();
    QCOMPARE(window->windowTitle(), QStringLiteral("Orbiquest9 Screen2"));
    QCOMPARE(window->Check1->text(), QStringLiteral("M_{E}(地球質量)"));
    QVERIFY(!window->Check1->isChecked());
    QCOMPARE(window->List1->count(), 16);
    QCOMPARE(window->List1->item(0)->text(), QStringLiteral(" No, P(day / Period)   K(m/s / Velocity) "));
    QCOMPARE(window->List1->item(1)->text(), QStringLiteral(" 1.       4.230785          55.94    "));
    QCOMPARE(window->List1->item(5)->text(), QStringLiteral(" 5.      14.652             73.38"));
    QCOMPARE(window->List1->item(15)->text(), QStringLiteral("15.    804.9              418        "));
}

void TestForm2::rowClick_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("explanation");

    QTest::newRow("heading") << 0 << "Planet"
                             << "Display about explanation of the planet or the planetary system in this.";
    QTest::newRow("51Peg b") << 1 << "51Peg b"
                             << "October 6 in 1995, Swiss astronomers have discovered the 1st planet out solar-system.";
    QTest::newRow("55Cnc c without text") << 6 << QStringLiteral("55Cnc c/かに座55番星 惑星 c") << QString();
    QTest::newRow("47UMa c without text") << 11 << QStringLiteral("47UMa c/大熊座47番星惑星 c") << QString();
    QTest::newRow("16Cygni B ends with a blank")
        << 12 << "16Cygni B"
        << "16Cygni B b which the planet has eccentricity of 0.63 run around 16Cygni B(HD186427) the "
           "form of ellipse orbit. Astronomers detected a planetary-mass companion to the solar-type "
           "star 16Cygni B, the secondary star of the 16 Cygni triple star system. ";
    QTest::newRow("HD202206 c without text") << 14 << "HD202206 c" << QString();
    QTest::newRow("HD137510 b") << 15 << "HD137510 b"
                                << QStringLiteral("The resulting mass function of this binary yields a "
                                                  "minimum mass for the companion of 26MJ±1.4MJ.");
}

void TestForm2::rowClick()
{
    QFETCH(int, row);
    QFETCH(QString, name);
    QFETCH(QString, explanation);
    Form2 *window = form<Form2>();
    window->List1->setCurrentRow(row);
    QCOMPARE(window->Text2->text(), name);
    QCOMPARE(window->Text4->toPlainText(), explanation);
}

void TestForm2::rowClickClearsResults()
{
    Form2 *window = form<Form2>();
    window->Text1->setText(QStringLiteral("0.4716685"));
    window->Text3->setText(QStringLiteral("Circle"));
    window->Text5->setText(QStringLiteral("Planet"));
    window->List1->setCurrentRow(3);
    QCOMPARE(window->Text1->text(), QString());
    QCOMPARE(window->Text3->text(), QString());
    QCOMPARE(window->Text5->text(), QString());
    QCOMPARE(window->Text2->text(), PlanetCatalog::planetName(3));
}

void TestForm2::tickingShowsEarthUnitWithoutMessage()
{
    Form2 *window = form<Form2>();
    window->Text1->setText(QStringLiteral("0.4716685"));
    window->Check1->setChecked(true);
    QCOMPARE(window->Label6->text(), QStringLiteral("M_{E}(地球質量)"));
    QCOMPARE(Controls::foreColor(window->Label6), Colors::rgb(0, 169, 241));
    QVERIFY(m_platform->messageBoxes.isEmpty());
    // The number keeps its unit until the next set-up converts it.
    QCOMPARE(window->Text1->text(), QStringLiteral("0.4716685"));
}

void TestForm2::clearingShowsCaution()
{
    Form2 *window = form<Form2>();
    window->Check1->setChecked(true);
    window->Check1->setChecked(false);
    QCOMPARE(m_platform->messageBoxes.size(), 1);
    const ScriptedPlatform::Box box = m_platform->messageBoxes.first();
    QCOMPARE(box.prompt, QStringLiteral("Orbiquest9 calaculates at Mass of Jupiter."));
    QCOMPARE(box.title, QStringLiteral("Caution!"));
    QCOMPARE(box.style, MsgBox::OkOnly | MsgBox::Exclamation);
    QCOMPARE(window->Label6->text(), QStringLiteral("M_{JUP}(木星質量)"));
    QCOMPARE(Controls::foreColor(window->Label6), Colors::rgb(255, 255, 0));

    window->Check1->setChecked(true);
    window->Check1->setChecked(false);
    QCOMPARE(m_platform->messageBoxes.size(), 2);
}

void TestForm2::oneWindowOnly()
{
    Form2 *first = form<Form2>();
    QCOMPARE(form<Form2>(), first);
}

QTEST_MAIN(TestForm2)
#include "tst_form2.moc"

#include "simulatorfixture.h"

#include "app/appinfo.h"
#include "app/formregistry.h"
#include "app/mdiform1.h"
#include "massfunction/form2.h"
#include "simulator/form1.h"

#include <QLineEdit>
#include <QTest>

#include <memory>

class TestSimulatorMouse : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void pressShowsInformation_data();
    void pressShowsInformation();
    void rightPressRunsTheChosenItemFirst();
    void titleFollowsTheVersion();

private:
    Form1 *simulator() const { return m_fixture->simulator(); }
    ScriptedPlatform &platform() { return m_fixture->platform(); }
    std::unique_ptr<SimulatorFixture> m_fixture;
};

void TestSimulatorMouse::init()
{
    m_fixture = std::make_unique<SimulatorFixture>();
}

void TestSimulatorMouse::cleanup()
{
    m_fixture.reset();
}

void TestSimulatorMouse::pressShowsInformation_data()
{
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<int>("popups");

    QTest::newRow("left") << Qt::LeftButton << 0;
    QTest::newRow("right, menu dismissed") << Qt::RightButton << 1;
    QTest::newRow("middle") << Qt::MiddleButton << 0;
}

void TestSimulatorMouse::pressShowsInformation()
{
    QFETCH(Qt::MouseButton, button);
    QFETCH(int, popups);

    QTest::mousePress(simulator()->Simulator, button, {}, QPoint(100, 100));

    QCOMPARE(platform().popups, popups);
    QCOMPARE(platform().messageBoxes.size(), 1);
    const ScriptedPlatform::Box box = platform().messageBoxes.first();
    QCOMPARE(box.title, QStringLiteral("【Information】Orbiquest9 Ver(9.0.59)"));
    QCOMPARE(box.style, MsgBox::Information);
    QCOMPARE(box.prompt, AppInfo::organisation() + QStringLiteral("\r\nMidlevels Floor 31\r\n")
                             + AppInfo::homePage().toString());
    QVERIFY(box.prompt.endsWith(QStringLiteral("/astron/skydeck.html")));
    QCOMPARE(simulator()->InfoTitle, box.title);
    QCOMPARE(simulator()->NewLine, QStringLiteral("\r\n"));
}

void TestSimulatorMouse::rightPressRunsTheChosenItemFirst()
{
    platform().popupChoices.enqueue(QStringLiteral("Screen1"));
    platform().inputAnswers.enqueue(QStringLiteral("4.230785"));
    platform().inputAnswers.enqueue(QStringLiteral("55.94"));

    QTest::mousePress(simulator()->Simulator, Qt::RightButton, {}, QPoint(50, 50));

    QCOMPARE(platform().popups, 1);
    QCOMPARE(platform().inputBoxes.size(), 2);
    QCOMPARE(form<Form2>()->Text1->text(), QStringLiteral("0.4716685"));
    QCOMPARE(platform().messageBoxes.size(), 1);
    QVERIFY(platform().messageBoxes.first().title.startsWith(QStringLiteral("【Information】")));
}

void TestSimulatorMouse::titleFollowsTheVersion()
{
    const AppVersion shipped = AppInfo::version();
    AppInfo::setVersion({10, 2, 7});
    simulator()->Simulator_MouseDown(Qt::LeftButton, {}, {});
    AppInfo::setVersion(shipped);
    QCOMPARE(platform().messageBoxes.first().title, QStringLiteral("【Information】Orbiquest9 Ver(10.2.7)"));
}

QTEST_MAIN(TestSimulatorMouse)
#include "tst_simulatormouse.moc"

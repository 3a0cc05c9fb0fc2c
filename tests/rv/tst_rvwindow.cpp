#include "app/appinfo.h"
#include "app/colors.h"
#include "app/controls.h"
#include "app/formregistry.h"
#include "massfunction/form2.h"
#include "rv/drawradialvelocitycurve.h"
#include "rv/linecontrol.h"
#include "rv/rv.h"
#include "rv/rvcurve.h"
#include "simulator/form1.h"
#include "support/scriptedplatform.h"
#include "support/testenvironment.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <cmath>
#include <memory>

namespace {

const QColor Yellow = Colors::rgb(255, 255, 0);
const QColor Cyan = Colors::rgb(0, 255, 255);
const QColor Navy = Colors::rgb(0, 0, 128);

int countColor(const QImage &image, const QColor &color)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            count += image.pixel(x, y) == color.rgb();
    }
    return count;
}

int countColorIn(const QImage &image, const QColor &color, const QRect &area)
{
    return countColor(image.copy(area), color);
}

} // namespace

class TestRvWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void labels_data();
    void labels();
    void carrierBoxes();
    void linesAndToolTip();
    void menus();
    void clearAndEnd();
    void drawsSummaryAndCurve();
    void pointsLandWhereTheModelSays();
    void eccentricityOutOfRange_data();
    void eccentricityOutOfRange();
    void circularOrbitKeepsTheWindow();
    void missingInput_data();
    void missingInput();

private:
    void fill(const QString &e, const QString &k, const QString &p, const QString &omega,
              const QString &mass);

    std::unique_ptr<TestEnvironment> m_environment;
    std::unique_ptr<ScriptedPlatform> m_platform;
};

void TestRvWindow::init()
{
    m_environment = std::make_unique<TestEnvironment>();
    m_platform = std::make_unique<ScriptedPlatform>();
    AppInfo::setMakerHost(QStringLiteral("127.0.0.1:9"));
    form<Form1>()->Timer1->stop();
    m_platform->messageBoxes.clear();
}

void TestRvWindow::cleanup()
{
    m_environment.reset();
    m_platform.reset();
}

void TestRvWindow::fill(const QString &e, const QString &k, const QString &p,
                        const QString &omega, const QString &mass)
{
    RV *rv = form<RV>();
    rv->Text1->setText(e);
    rv->Text2->setText(k);
    rv->Text3->setText(p);
    rv->Text5->setText(omega);
    form<Form2>()->Text1->setText(mass);
    form<Form2>()->Text2->setText(QStringLiteral("51Peg b"));
}

void TestRvWindow::labels_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QColor>("fore");
    QTest::addColumn<QColor>("back");

    QTest::newRow("Label6") << "Label6" << "Radial Velocities" << Colors::rgb(255, 128, 0)
                            << Colors::rgb(64, 0, 0);
    QTest::newRow("Label8") << "Label8" << "Velocity (m/s)" << Colors::rgb(0, 255, 255)
                            << Colors::rgb(0, 0, 255);
    QTest::newRow("Label5") << "Label5" << "Orbital Phase" << Colors::rgb(255, 255, 0)
                            << Colors::rgb(192, 0, 0);
    QTest::newRow("Label4") << "Label4" << "0" << Colors::rgb(0, 0, 0) << Colors::rgb(255, 255, 255);
    QTest::newRow("Label3") << "Label3" << "0" << Colors::rgb(0, 0, 0) << Colors::rgb(255, 255, 255);
}

void TestRvWindow::labels()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QColor, fore);
    QFETCH(QColor, back);
    auto *label = form<RV>()->findChild<QLabel *>(name);
    QVERIFY(label);
    QCOMPARE(label->text(), caption);
    QCOMPARE(Controls::foreColor(label), fore);
    QCOMPARE(label->palette().color(QPalette::Window), back);
}

void TestRvWindow::carrierBoxes()
{
    RV *rv = form<RV>();
    QCOMPARE(rv->windowTitle(), QStringLiteral("Orbiquest9 - Screen3"));
    QCOMPARE(rv->Text5->text(), QStringLiteral("Text5"));
    QCOMPARE(rv->Text4->text(), QStringLiteral("Text4"));
    QCOMPARE(rv->Text6->text(), QStringLiteral("Text6"));
    QCOMPARE(rv->Text1->text(), QString());
    for (QLineEdit *box : {rv->Text1, rv->Text2, rv->Text3, rv->Text4, rv->Text5, rv->Text6})
        QCOMPARE(box->palette().color(QPalette::Base), Colors::rgb(0, 0, 0));
    QCOMPARE(rv->RVC->backColor(), Navy);
    QCOMPARE(rv->RVC->foreColor(), Cyan);
    QCOMPARE(rv->RVC->image().size(), QSize(489, 329));
    QVERIFY(rv->RVC->font().bold());
}

void TestRvWindow::linesAndToolTip()
{
    RV *rv = form<RV>();
    QCOMPARE(rv->RVC->toolTip(),
             QStringLiteral("This screen shows the Radius Velocity Curve of the planets each other."));
    QCOMPARE(rv->Line3->twipsLine(), QLineF(1080, 4680, 1080, 960));
    QCOMPARE(rv->Line2->twipsLine(), QLineF(240, 3480, 6960, 3480));
    QCOMPARE(rv->Line1->twipsLine(), QLineF(0, 0, 0, 4440));
    QCOMPARE(rv->Line2->color(), Colors::rgb(192, 192, 192));
    QCOMPARE(rv->Line1->penStyle(), Qt::DotLine);
    QCOMPARE(rv->Line2->parentWidget(), rv->RVC);
    // The decoration is over the plot, not in its picture.
    const QImage drawn = rv->RVC->grab().toImage();
    QCOMPARE(QColor(drawn.pixel(72, 150)), Colors::rgb(192, 192, 192));
    QCOMPARE(QColor(rv->RVC->image().pixel(72, 150)), Navy);
}

void TestRvWindow::menus()
{
    RV *rv = form<RV>();
    QCOMPARE(rv->Ctrl->title(), QStringLiteral("Control"));
    QCOMPARE(rv->File->title(), QStringLiteral("File"));
    QCOMPARE(rv->Clear->text(), QStringLiteral("Clear(&C)"));
    QCOMPARE(rv->Clear->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_C));
    QCOMPARE(rv->End->text(), QStringLiteral("End(&E)"));
    QCOMPARE(rv->End->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_E));
    QCOMPARE(rv->FOpen->text(), QStringLiteral("Load(O)"));
    QCOMPARE(rv->FOpen->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
    QCOMPARE(rv->Fsave->text(), QStringLiteral("Save(S)"));
    QCOMPARE(rv->Fsave->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
}

void TestRvWindow::clearAndEnd()
{
    fill(QStringLiteral("0.013"), QStringLiteral("55.94"), QStringLiteral("4.230785"),
         QStringLiteral("1"), QStringLiteral("0.4716685"));
    DrawRadialVelocityCurve();
    RV *rv = form<RV>();
    rv->show();
    QVERIFY(countColor(rv->RVC->image(), Yellow) > 0);
    rv->Clear->trigger();
    QCOMPARE(countColor(rv->RVC->image(), Navy), 489 * 329);

    const int beeps = m_platform->beeps;
    rv->End->trigger();
    QCOMPARE(m_platform->beeps, beeps + 1);
    QVERIFY(rv->isVisible());
}

void TestRvWindow::drawsSummaryAndCurve()
{
    fill(QStringLiteral("0.013"), QStringLiteral("55.94"), QStringLiteral("4.230785"),
         QStringLiteral("1.01229096045"), QStringLiteral("0.4716685"));
    DrawRadialVelocityCurve();

    RV *rv = form<RV>();
    const QImage plot = rv->RVC->image();
    QVERIFY(m_platform->messageBoxes.isEmpty());
    // The summary in cyan at the top, the curve in yellow below it.
    QVERIFY(countColorIn(plot, Cyan, QRect(0, 0, 489, 90)) > 50);
    QVERIFY(countColorIn(plot, Yellow, QRect(0, 0, 489, 90)) == 0);
    QVERIFY(countColor(plot, Yellow) > 241);
    QCOMPARE(rv->RVC->drawWidth(), 2);
    QVERIFY(form<Form1>()->Timer1->isActive());
}

void TestRvWindow::pointsLandWhereTheModelSays()
{
    fill(QStringLiteral("0.3"), QStringLiteral("60"), QStringLiteral("20"), QStringLiteral("0.5"),
         QStringLiteral("2.5"));
    DrawRadialVelocityCurve();
    const QImage plot = form<RV>()->RVC->image();
    const QList<QPointF> points = RvCurve::points(RvCurve::Elements{0.3, 60, 20, 0.5});
    QCOMPARE(points.size(), 241);
    int onThePlot = 0;
    for (const QPointF &point : points) {
        const QPoint pixel(int(std::floor(point.x() / 15)), int(std::floor(point.y() / 15)));
        if (!plot.valid(pixel))
            continue;
        ++onThePlot;
        QCOMPARE(QColor(plot.pixel(pixel)), Yellow);
    }
    // Two orbits of a 20-day period span 200 to about 6500 twips: all inside.
    QCOMPARE(onThePlot, 241);
}

void TestRvWindow::eccentricityOutOfRange_data()
{
    QTest::addColumn<QString>("e");
    QTest::newRow("1") << QStringLiteral("1");
    QTest::newRow("-0.01") << QStringLiteral("-0.01");
}

void TestRvWindow::eccentricityOutOfRange()
{
    QFETCH(QString, e);
    fill(e, QStringLiteral("55.94"), QStringLiteral("4.230785"), QStringLiteral("1"),
         QStringLiteral("2.5"));
    DrawRadialVelocityCurve();

    QCOMPARE(m_platform->messageBoxes.size(), 1);
    QCOMPARE(m_platform->messageBoxes.first().prompt,
             QStringLiteral("Can NOT draw the radial velocity curve. "));
    QCOMPARE(m_platform->messageBoxes.first().title, QStringLiteral("Orbiquest9"));
    QCOMPARE(m_platform->messageBoxes.first().style, MsgBox::OkOnly);
    const QImage plot = form<RV>()->RVC->image();
    QCOMPARE(countColor(plot, Yellow), 0);
    QVERIFY(countColor(plot, Cyan) > 50);
    QVERIFY(form<Form1>()->Timer1->isActive());
}

void TestRvWindow::circularOrbitKeepsTheWindow()
{
    QPointer<RV> rv = form<RV>();
    rv->show();
    fill(QStringLiteral("0"), QStringLiteral("40.4"), QStringLiteral("2.87598"), QStringLiteral("0"),
         QStringLiteral("0.3367548"));
    DrawRadialVelocityCurve();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(rv);
    QVERIFY(rv->isVisible());
    QVERIFY(countColor(rv->RVC->image(), Yellow) > 241);
    QVERIFY(m_platform->messageBoxes.isEmpty());
}

void TestRvWindow::missingInput_data()
{
    QTest::addColumn<QString>("k");
    QTest::addColumn<QString>("p");
    QTest::addColumn<QString>("mass");

    QTest::newRow("K 0") << "0" << "4.2" << "0.5";
    QTest::newRow("P empty") << "55" << "" << "0.5";
    QTest::newRow("mass not a number") << "55" << "4.2" << "abc";
    QTest::newRow("P beyond double range") << "55" << "1e999" << "0.5";
}

void TestRvWindow::missingInput()
{
    QFETCH(QString, k);
    QFETCH(QString, p);
    QFETCH(QString, mass);
    QPointer<RV> rv = form<RV>();
    rv->show();
    fill(QStringLiteral("0.2"), k, p, QStringLiteral("1"), mass);
    DrawRadialVelocityCurve();

    QCOMPARE(m_platform->messageBoxes.size(), 1);
    QCOMPARE(m_platform->messageBoxes.first().prompt,
             QStringLiteral("Please Click on this button after you input the datas."));
    QCOMPARE(m_platform->messageBoxes.first().style, MsgBox::OkOnly);
    QVERIFY(!FormRegistry::instance().isLoaded<RV>());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!rv);
    QVERIFY(form<Form1>()->Timer1->isActive());
}

QTEST_MAIN(TestRvWindow)
#include "tst_rvwindow.moc"

#include "ground/colors.h"
#include "ground/formregistry.h"
#include "ground/picturebox.h"
#include "ground/textnumber.h"
#include "rv/rv.h"
#include "rv/rvcurve.h"
#include "support/findcontrol.h"
#include "support/imagecheck.h"
#include "support/scriptedplatform.h"
#include "support/testenvironment.h"

#include <QAction>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

const QColor Yellow = Colors::rgb(255, 255, 0);
const QColor Cyan = Colors::rgb(0, 255, 255);

PictureBox *plotOf(const RV *rv)
{
    return control<PictureBox>(rv, "RVC");
}

/// Draws the curve of "e|K|P|ω|m", each value read from its text as the
/// carrier boxes hand it on.
void draw(const QString &values)
{
    const QStringList value = values.split(u'|');
    auto number = [&value](int i) { return TextNumber::leadingNumber(value.at(i)); };
    form<RV>()->drawRadialVelocityCurve(RvCurve::Elements{number(0), number(1), number(2), number(3)},
                                        number(4), false, QString());
}

} // namespace

class TestRvWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void pointsLandWhereTheModelSays();
    void refusals_data();
    void refusals();
    void clearEndAndToolTip();
    void curveIsTwoPixelsWide();
    void summaryLinesDoNotOverlap();

private:
    std::unique_ptr<TestEnvironment> m_environment;
    std::unique_ptr<ScriptedPlatform> m_platform;
};

void TestRvWindow::init()
{
    m_environment = std::make_unique<TestEnvironment>();
    m_platform = std::make_unique<ScriptedPlatform>();
    m_platform->messageBoxes.clear();
}

void TestRvWindow::cleanup()
{
    m_environment.reset();
    m_platform.reset();
}

void TestRvWindow::pointsLandWhereTheModelSays()
{
    draw(QStringLiteral("0.3|60|20|0.5|2.5"));
    const QImage plot = plotOf(form<RV>())->image();
    QVERIFY(m_platform->messageBoxes.isEmpty());
    // The summary in cyan at the top, the curve in yellow below it.
    QVERIFY(countColor(plot.copy(0, 0, plot.width(), 90), Cyan) > 50);
    QCOMPARE(countColor(plot.copy(0, 0, plot.width(), 90), Yellow), 0);
    // Two orbits of a 20-day period span 200 to about 6500 twips: all on the plot.
    for (const QPointF &point : RvCurve::points(RvCurve::Elements{0.3, 60, 20, 0.5})) {
        const QPoint pixel(int(std::floor(point.x() / 15)), int(std::floor(point.y() / 15)));
        QVERIFY(plot.valid(pixel));
        QCOMPARE(QColor(plot.pixel(pixel)), Yellow);
    }
}

void TestRvWindow::refusals_data()
{
    QTest::addColumn<QString>("values");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("unloads");

    const QString cannotDraw = QStringLiteral("Can NOT draw the radial velocity curve. ");
    const QString missing = QStringLiteral("Please Click on this button after you input the datas.");
    QTest::newRow("e 1") << "1|55.94|4.2|1|2.5" << cannotDraw << false;
    QTest::newRow("K 0") << "0.2|0|4.2|1|0.5" << missing << true;
    QTest::newRow("P empty") << "0.2|55||1|0.5" << missing << true;
    QTest::newRow("mass not a number") << "0.2|55|4.2|1|abc" << missing << true;
    QTest::newRow("P beyond double range") << "0.2|55|1e999|1|0.5" << missing << true;
}

void TestRvWindow::refusals()
{
    QFETCH(QString, values);
    QFETCH(QString, message);
    QFETCH(bool, unloads);
    QPointer<RV> rv = form<RV>();
    rv->show();
    draw(values);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    QCOMPARE(m_platform->messageBoxes.size(), 1);
    QCOMPARE(m_platform->messageBoxes.first().prompt, message);
    QCOMPARE(m_platform->messageBoxes.first().style, MsgBox::OkOnly);
    QCOMPARE(rv.isNull(), unloads);
    if (rv)
        QCOMPARE(countColor(plotOf(rv)->image(), Yellow), 0);
}

void TestRvWindow::clearEndAndToolTip()
{
    RV *rv = form<RV>();
    QCOMPARE(plotOf(rv)->toolTip(),
             QStringLiteral("This screen shows the Radius Velocity Curve of the planets each other."));
    draw(QStringLiteral("0.013|55.94|4.230785|1|0.4716685"));
    rv->show();
    QVERIFY(countColor(plotOf(rv)->image(), Yellow) > 0);
    control<QAction>(rv, "Clear")->trigger();
    const QImage cleared = plotOf(rv)->image();
    QCOMPARE(countColor(cleared, Colors::rgb(0, 0, 128)), cleared.width() * cleared.height());

    control<QAction>(rv, "End")->trigger();
    QCOMPARE(m_platform->beeps, 1);
    QVERIFY(rv->isVisible());
}

void TestRvWindow::curveIsTwoPixelsWide()
{
    draw(QStringLiteral("0|60|20|0.5|2.5"));
    const QImage plot = plotOf(form<RV>())->image();
    // Every column the curve passes through holds a run of at least two
    // yellow pixels: points of width 2, not 1.
    int columns = 0;
    for (int x = 0; x < plot.width(); ++x) {
        int longest = 0;
        int run = 0;
        for (int y = 0; y < plot.height(); ++y) {
            run = QColor(plot.pixel(x, y)) == Yellow ? run + 1 : 0;
            longest = std::max(longest, run);
        }
        if (longest == 0)
            continue;
        ++columns;
        QVERIFY2(longest >= 2, qPrintable(QStringLiteral("column %1").arg(x)));
    }
    QVERIFY(columns > 300);
}

void TestRvWindow::summaryLinesDoNotOverlap()
{
    // A long mass and period, in the font the plot prints with.
    const RvCurve::Elements elements{0.681, 50.5, 798.5, 1.4974924897777};
    const QList<RvCurve::SummaryLine> lines
        = RvCurve::summary(QStringLiteral("Cassiopeia HD17156 b"), 1.681055, false, elements);
    PictureBox *plot = plotOf(form<RV>());
    const QFontMetricsF metrics(plot->font());
    // Where each line's ink lands, in pixels: text starts at its position,
    // baseline one ascent lower.
    QList<QRectF> places;
    for (const RvCurve::SummaryLine &line : lines) {
        const QPointF baseline = line.position / 15 + QPointF(0, metrics.ascent());
        places.append(metrics.tightBoundingRect(line.text + line.italicTail).translated(baseline));
    }
    for (qsizetype i = 0; i < places.size(); ++i) {
        for (qsizetype j = i + 1; j < places.size(); ++j)
            QVERIFY2(!places[i].intersects(places[j]),
                     qPrintable(lines[i].text + QStringLiteral(" / ") + lines[j].text));
    }
}

QTEST_MAIN(TestRvWindow)
#include "tst_rvwindow.moc"

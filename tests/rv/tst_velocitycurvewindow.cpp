#include "ground/colors.h"
#include "ground/formregistry.h"
#include "ground/picturebox.h"
#include "rv/linecontrol.h"
#include "rv/velocitycurvewindow.h"
#include "seedmodel/rvcurve.h"
#include "support/findcontrol.h"
#include "support/imagecheck.h"
#include "support/seedscene.h"

#include <QAction>
#include <QFontMetricsF>
#include <QPointer>
#include <QTest>

#include <optional>

namespace {

const QColor Yellow = Colors::rgb(255, 255, 0);
const QColor Cyan = Colors::rgb(0, 255, 255);

PictureBox *plotOf(const VelocityCurveWindow *rv)
{
    return control<PictureBox>(rv, "RVC");
}

/// The rows of column `x` that the curve paints.
QList<int> yellowRows(const QImage &plot, int x)
{
    QList<int> rows;
    for (int y = 0; y < plot.height(); ++y) {
        if (QColor(plot.pixel(x, y)) == Yellow)
            rows.append(y);
    }
    return rows;
}

/// Draws the curve of {e, K, P, ω, m}; how a typed text reads as a number
/// is tst_textnumber's.
void draw(const QList<double> &value)
{
    form<VelocityCurveWindow>()->drawRadialVelocityCurve(RvCurve::Elements{value[0], value[1], value[2], value[3]},
                                                         value[4], false, QString());
}

} // namespace

class TestVelocityCurveWindow : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_scene.emplace();
        m_platform = &m_scene->platform;
    }

    void cleanup() { m_scene.reset(); }

    void pointsLandWhereWorkedOutByHand()
    {
        // e 0.3, K 60, P 20 d, ω 0.5 rad: an ellipse with K < 100, factor 16,
        // c = 0.3·cos 0.5 = 0.263275. The peak 16·60·1.263275 = 1212.7 is past
        // the room of 1200, so s·K = 1200 / 1.263275 = 949.912. P ≥ 10 days:
        // X = 200 + 500·(θ + 2°). A point fills 2 × 2 pixels from (X/15, Y/15).
        //   θ 0:    Y = 3480 + 949.912·(cos 0.5 + c) = 3480 + 949.912·1.140857 = 4563.71,
        //           X = 200 + 500·0.034907 = 217.45: pixel (14, 304), the first column.
        //   θ 720°: Y as at θ 0; X = 200 + 500·12.601220 = 6500.61: pixel (433, 304), the last.
        // The next points lie 26 twips to the side, so the first and last
        // columns hold one point each. The curve's shape between them is
        // tst_rvcurve's to check; here, that its points land as 2 × 2 pixels.
        VelocityCurveWindow *rv = form<VelocityCurveWindow>();
        draw({0.3, 60, 20, 0.5, 2.5});
        const QImage plot = plotOf(rv)->image();
        QVERIFY(m_platform->messageBoxes.isEmpty());
        QCOMPARE(control<LineControl>(rv, "Line2")->twipsLine().y1(), 3480.0);
        for (int x : {14, 15, 433, 434})
            QVERIFY2(yellowRows(plot, x) == QList<int>({304, 305}), qPrintable(QStringLiteral("column %1").arg(x)));
        QVERIFY(yellowRows(plot, 13).isEmpty() && yellowRows(plot, 435).isEmpty());
        // The summary in cyan at the top, the curve in yellow below it.
        QVERIFY(countColor(plot.copy(0, 0, plot.width(), 90), Cyan) > 50);
        QCOMPARE(countColor(plot.copy(0, 0, plot.width(), 90), Yellow), 0);
    }

    void refusals_data()
    {
        QTest::addColumn<QList<double>>("values"); // e, K, P, ω, m
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("unloads");

        const QString cannotDraw = QStringLiteral("Can NOT draw the radial velocity curve. ");
        const QString missing = QStringLiteral("Please Click on this button after you input the datas.");
        QTest::newRow("e 1") << QList<double>{1, 55.94, 4.2, 1, 2.5} << cannotDraw << false;
        QTest::newRow("K 0") << QList<double>{0.2, 0, 4.2, 1, 0.5} << missing << true;
        QTest::newRow("P 0") << QList<double>{0.2, 55, 0, 1, 0.5} << missing << true;
        QTest::newRow("mass 0") << QList<double>{0.2, 55, 4.2, 1, 0} << missing << true;
        QTest::newRow("P infinite") << QList<double>{0.2, 55, qInf(), 1, 0.5} << missing << true;
    }

    void refusals()
    {
        QFETCH(QList<double>, values);
        QFETCH(bool, unloads);
        QPointer<VelocityCurveWindow> rv = form<VelocityCurveWindow>();
        rv->show();
        draw(values);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        QTEST(onlyMessage(*m_platform, MsgBox::OkOnly), "message");
        QCOMPARE(rv.isNull(), unloads);
        if (rv)
            QCOMPARE(countColor(plotOf(rv)->image(), Yellow), 0);
    }

    void clearEndAndToolTip()
    {
        VelocityCurveWindow *rv = form<VelocityCurveWindow>();
        QCOMPARE(plotOf(rv)->toolTip(),
                 QStringLiteral("This screen shows the Radius Velocity Curve of the planets each other."));
        draw({0.013, 55.94, 4.230785, 1, 0.4716685});
        rv->show();
        QVERIFY(countColor(plotOf(rv)->image(), Yellow) > 0);
        control<QAction>(rv, "Clear")->trigger();
        const QImage cleared = plotOf(rv)->image();
        QCOMPARE(countColor(cleared, Colors::rgb(0, 0, 128)), cleared.width() * cleared.height());

        control<QAction>(rv, "End")->trigger();
        QCOMPARE(m_platform->beeps, 1);
        QVERIFY(rv->isVisible());
    }

    void summaryLinesDoNotOverlap()
    {
        // A long mass and period, in the font the plot prints with.
        const QList<RvCurve::SummaryLine> lines = RvCurve::summary(QStringLiteral("Cassiopeia HD17156 b"), 1.681055,
                                                                   false, {0.681, 50.5, 798.5, 1.4974924897777});
        const QFontMetricsF metrics(plotOf(form<VelocityCurveWindow>())->font());
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

private:
    std::optional<SeedScene> m_scene;
    ScriptedPlatform *m_platform = nullptr;
};

QTEST_MAIN(TestVelocityCurveWindow)
#include "tst_velocitycurvewindow.moc"

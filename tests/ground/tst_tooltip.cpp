#include "ground/formregistry.h"
#include "ground/pictures.h"
#include "ground/simulatortip.h"
#include "simulator/simulatorwindow.h"
#include "support/findcontrol.h"
#include "support/seedscene.h"

#include <QGuiApplication>
#include <QHelpEvent>
#include <QScreen>
#include <QTest>

#include <optional>

namespace {

const QColor tipBlue(0, 85, 255);

const QList<QEvent::Type> sentTypes{QEvent::MouseButtonPress,
                                    QEvent::MouseButtonRelease,
                                    QEvent::MouseMove,
                                    QEvent::Wheel,
                                    QEvent::KeyPress,
                                    QEvent::Enter,
                                    QEvent::Leave,
                                    QEvent::ContextMenu,
                                    QEvent::WhatsThis};

// Records which of the sent events reach the widget and whether it accepted them.
class EventLog : public QWidget
{
public:
    QList<QPair<QEvent::Type, bool>> events;

protected:
    bool event(QEvent *event) override
    {
        const bool handled = QWidget::event(event);
        if (sentTypes.contains(event->type()))
            events.append({event->type(), event->isAccepted()});
        return handled;
    }
};

void sendSequence(QWidget *widget)
{
    const QPointF at(7, 9);
    const QPointF global = widget->mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QMouseEvent move(QEvent::MouseMove, at, global, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QWheelEvent wheel(at, global, QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QEnterEvent enter(at, at, global);
    QEvent leave(QEvent::Leave);
    QContextMenuEvent context(QContextMenuEvent::Mouse, at.toPoint(), global.toPoint());
    QHelpEvent whatsThis(QEvent::WhatsThis, at.toPoint(), global.toPoint());
    for (QEvent *event :
         std::initializer_list<QEvent *>{&press, &release, &move, &wheel, &key, &enter, &leave, &context, &whatsThis})
        QCoreApplication::sendEvent(widget, event);
}

} // namespace

class TestToolTip : public QObject
{
    Q_OBJECT

private slots:
    void tipOfBitmap_data()
    {
        QTest::addColumn<QSize>("bitmap");           // 0 × 0: Screen1's own drawing area and its shipped icon
        QTest::addColumn<QPoint>("fromBottomRight"); // the pointer, from the available area's bottom-right
        QTest::addColumn<QPoint>("tipFromPointer");  // the tip's top-left, from the pointer

        // The tip, W × H = (318 + w) × (69 + h) for a bitmap of w × h, opens 2
        // right of and 16 below the pointer; where that would leave the screen
        // it goes above the pointer, its bottom row 1 pixel over it: top =
        // pointer − H. At the right edge its last column is the area's last:
        // left = right − W + 1, the pointer being at right − 1.
        QTest::newRow("Screen1's drawing area: an icon, no bitmap; middle")
            << QSize(0, 0) << QPoint(-500, -400) << QPoint(2, 16);
        QTest::newRow("40 by 30 at the bottom: 358 × 99") << QSize(40, 30) << QPoint(-500, -5) << QPoint(2, -99);
        QTest::newRow("1 by 1 on the bottom row: 319 × 70") << QSize(1, 1) << QPoint(-500, 0) << QPoint(2, -70);
        QTest::newRow("wide and flat in the corner: 438 × 77") << QSize(120, 8) << QPoint(-1, -1) << QPoint(-436, -77);
    }

    void tipOfBitmap()
    {
        QFETCH(QSize, bitmap);
        QFETCH(QPoint, fromBottomRight);
        QFETCH(QPoint, tipFromPointer);
        std::optional<SeedScene> scene;
        QWidget own;
        QWidget *tool = &own;
        if (bitmap.isEmpty()) {
            scene.emplace();
            tool = control<QWidget>(form<SimulatorWindow>(), "Simulator");
        } else {
            QPixmap picture(bitmap);
            picture.fill(Qt::red);
            SimulatorTip::createSimulatorTip(&own, picture);
        }
        const int w = bitmap.width();
        const int h = bitmap.height();
        const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
        const QPoint pointer = available.bottomRight() + fromBottomRight;
        QHelpEvent help(QEvent::ToolTip, QPoint(5, 5), pointer);
        QVERIFY(QCoreApplication::sendEvent(tool, &help));
        const auto tips = tool->findChildren<SimulatorTip::TipWindow *>();
        QCOMPARE(tips.size(), 1);
        QVERIFY(tips.first()->isVisible());
        QVERIFY(tips.first()->textFits());
        // A window is placed by its corner; the offscreen test platform then
        // adds a frame that a tool-tip window of a real desktop does not have.
        const QRect placed(tips.first()->frameGeometry().topLeft(), tips.first()->size());
        QCOMPARE(placed, QRect(pointer + tipFromPointer, QSize(318 + w, 69 + h)));
        QVERIFY(!placed.contains(pointer));
        QVERIFY(available.contains(placed));

        // The bitmap at the top-left, the text from x = w.
        const QImage image = tips.first()->grab().toImage();
        QCOMPARE(QColor(image.pixel(0, 0)), w > 0 ? QColor(Qt::red) : tipBlue);
        if (w > 0) {
            QCOMPARE(QColor(image.pixel(w - 1, h - 1)), QColor(Qt::red));
            QCOMPARE(QColor(image.pixel(0, h)), tipBlue);
        }
        QCOMPARE(QColor(image.pixel(w + 317, h + 68)), tipBlue);
        int textLeft = -1; // leftmost column with white text
        for (int x = 0; x < image.width() && textLeft < 0; ++x) {
            for (int y = 0; y < image.height() && textLeft < 0; ++y) {
                if (QColor(image.pixel(x, y)).lightness() > 200)
                    textLeft = x;
            }
        }
        QVERIFY2(textLeft >= w && textLeft < w + 10, qPrintable(QString::number(textLeft)));
        // The tip must come up even while the program is not the active one.
        QVERIFY(tool->window()->testAttribute(Qt::WA_AlwaysShowToolTips));
        // It stays up while the pointer rests, and goes when it leaves.
        QCoreApplication::processEvents();
        QVERIFY(tips.first()->isVisible());
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(tool, &leave);
        QVERIFY(!tips.first()->isVisible());
    }

    void otherEventsBehaveAsWithoutTheTip()
    {
        EventLog plain;
        EventLog watched;
        plain.setMouseTracking(true);
        watched.setMouseTracking(true);
        SimulatorTip::createSimulatorTip(&watched, Pictures::programIcon());
        sendSequence(&plain);
        sendSequence(&watched);
        QCOMPARE(plain.events.size(), sentTypes.size());
        QCOMPARE(watched.events, plain.events);
    }
};

QTEST_MAIN(TestToolTip)
#include "tst_tooltip.moc"

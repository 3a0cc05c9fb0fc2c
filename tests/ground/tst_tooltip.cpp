#include "ground/bastootip.h"
#include "ground/formregistry.h"
#include "ground/pictures.h"
#include "simulator/form1.h"
#include "support/findcontrol.h"
#include "support/scriptedplatform.h"
#include "support/testenvironment.h"

#include <QHelpEvent>
#include <QTest>

namespace {

const QColor tipBlue(0, 85, 255);

// Rests the mouse on `tool` and checks the tip it shows: (318 + w) × (69 + h)
// for a bitmap of w × h, the bitmap at the top-left, the text from x = w.
void checkTip(QWidget *tool, const QSize &bitmap)
{
    const int w = bitmap.width();
    const int h = bitmap.height();
    QHelpEvent help(QEvent::ToolTip, QPoint(5, 5), tool->mapToGlobal(QPoint(5, 5)));
    QVERIFY(QCoreApplication::sendEvent(tool, &help));
    const auto tips = tool->findChildren<basTootip::TipWindow *>();
    QCOMPARE(tips.size(), 1);
    QVERIFY(tips.first()->isVisible());
    QCOMPARE(tips.first()->size(), QSize(318 + w, 69 + h));
    QVERIFY(tips.first()->textFits());
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
}

const QList<QEvent::Type> sentTypes{QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                                    QEvent::MouseMove,        QEvent::Wheel,
                                    QEvent::KeyPress,         QEvent::Enter,
                                    QEvent::Leave,            QEvent::ContextMenu,
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
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QMouseEvent move(QEvent::MouseMove, at, global, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QWheelEvent wheel(at, global, QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QEnterEvent enter(at, at, global);
    QEvent leave(QEvent::Leave);
    QContextMenuEvent context(QContextMenuEvent::Mouse, at.toPoint(), global.toPoint());
    QHelpEvent whatsThis(QEvent::WhatsThis, at.toPoint(), global.toPoint());
    for (QEvent *event : std::initializer_list<QEvent *>{&press, &release, &move, &wheel, &key, &enter,
                                                         &leave, &context, &whatsThis})
        QCoreApplication::sendEvent(widget, event);
}

} // namespace

class TestToolTip : public QObject
{
    Q_OBJECT

private slots:
    void simulatorShowsTheShippedIcon();
    void bitmapWidensTheTip_data();
    void bitmapWidensTheTip();
    void otherEventsBehaveAsWithoutTheTip();
};

void TestToolTip::simulatorShowsTheShippedIcon()
{
    TestEnvironment environment;
    ScriptedPlatform platform;
    QWidget *simulator = control<QWidget>(form<Form1>(), "Simulator");
    checkTip(simulator, QSize(0, 0));
    // The tip must come up even while the program is not the active one.
    QVERIFY(simulator->window()->testAttribute(Qt::WA_AlwaysShowToolTips));

    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(simulator, &leave);
    QVERIFY(!simulator->findChild<basTootip::TipWindow *>()->isVisible());
}

void TestToolTip::bitmapWidensTheTip_data()
{
    QTest::addColumn<QSize>("bitmap");

    QTest::newRow("40 by 30") << QSize(40, 30);
    QTest::newRow("1 by 1") << QSize(1, 1);
    QTest::newRow("wide and flat") << QSize(120, 8);
}

void TestToolTip::bitmapWidensTheTip()
{
    QFETCH(QSize, bitmap);
    QPixmap picture(bitmap);
    picture.fill(Qt::red);
    QWidget simulator;
    basTootip::createSimulatorTip(&simulator, picture);
    checkTip(&simulator, bitmap);
}

void TestToolTip::otherEventsBehaveAsWithoutTheTip()
{
    EventLog plain;
    EventLog watched;
    plain.setMouseTracking(true);
    watched.setMouseTracking(true);
    basTootip::createSimulatorTip(&watched, Pictures::programIcon());

    sendSequence(&plain);
    sendSequence(&watched);

    QCOMPARE(plain.events.size(), sentTypes.size());
    QCOMPARE(watched.events, plain.events);
}

QTEST_MAIN(TestToolTip)
#include "tst_tooltip.moc"

#include "app/bastootip.h"
#include "app/formregistry.h"
#include "app/picturebox.h"
#include "app/pictures.h"
#include "simulator/form1.h"
#include "support/scriptedplatform.h"
#include "support/testenvironment.h"

#include <QHelpEvent>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>

#include <memory>

namespace {

const QString expectedText = QStringLiteral(
    "This screen displays the moving planets around the star.\r\n"
    " If you click the Right button a point on screen1, sub menu of 'Screen’will show its point.\r\n"
    " In reverse if you click the Left button a point on screen1, you will get about the "
    "informations of coreweapons.");

// Asks `widget` for its tool tip as the mouse resting on it would.
bool askForTip(QWidget *widget)
{
    const QPoint inside(5, 5);
    QHelpEvent help(QEvent::ToolTip, inside, widget->mapToGlobal(inside));
    return QCoreApplication::sendEvent(widget, &help);
}

basTootip::TipWindow *shownTip(QWidget *simulator)
{
    const auto tips = simulator->findChildren<basTootip::TipWindow *>();
    return tips.size() == 1 && tips.first()->isVisible() ? tips.first() : nullptr;
}

bool isWhite(QRgb pixel)
{
    return qRed(pixel) > 200 && qGreen(pixel) > 200 && qBlue(pixel) > 200;
}

// Leftmost column holding a white (text) pixel, or -1.
int leftmostText(const QImage &image)
{
    for (int x = 0; x < image.width(); ++x) {
        for (int y = 0; y < image.height(); ++y) {
            if (isWhite(image.pixel(x, y)))
                return x;
        }
    }
    return -1;
}

QPixmap solidBitmap(int width, int height)
{
    QPixmap bitmap(width, height);
    bitmap.fill(QColor(255, 0, 0));
    return bitmap;
}

// Records the events a widget receives and whether it accepted them.
class EventLog : public QWidget
{
public:
    QList<QPair<QEvent::Type, bool>> events;
    QList<QEvent::Type> logged;

protected:
    bool event(QEvent *event) override
    {
        const bool handled = QWidget::event(event);
        if (logged.contains(event->type()))
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
    void init();
    void cleanup();
    void entryZeroHoldsTheThreeLines();
    void shippedIconGivesTheBasicTip();
    void bitmapWidensTheTip_data();
    void bitmapWidensTheTip();
    void otherEventsBehaveAsWithoutTheTip();
    void mouseDownStillReachesTheSimulator();
    void otherWidgetsKeepTheirOwnTips();
    void leavingHidesTheTip();
    void reloadOverwritesEntryZero();
    void simulatorWindowCarriesTheTip();

private:
    std::unique_ptr<TestEnvironment> m_environment;
    std::unique_ptr<ScriptedPlatform> m_platform;
};

void TestToolTip::init()
{
    m_environment = std::make_unique<TestEnvironment>();
    m_platform = std::make_unique<ScriptedPlatform>();
}

void TestToolTip::cleanup()
{
    m_platform.reset();
    m_environment.reset();
}

void TestToolTip::entryZeroHoldsTheThreeLines()
{
    QWidget simulator;
    basTootip::createSimulatorTip(&simulator, Pictures::programIcon());

    QCOMPARE(basTootip::TipEntries().size(), 1);
    const basTootip::TipEntry &entry = basTootip::TipEntries().first();
    QCOMPARE(entry.Text, expectedText);
    QCOMPARE(entry.TextColor, QColor(255, 255, 255));
    QCOMPARE(entry.ToolParam, 0);
    QVERIFY(std::holds_alternative<QIcon>(entry.Picture));
}

void TestToolTip::shippedIconGivesTheBasicTip()
{
    QWidget simulator;
    simulator.resize(200, 100);
    basTootip::createSimulatorTip(&simulator, Pictures::programIcon());

    QVERIFY(askForTip(&simulator));

    basTootip::TipWindow *tip = shownTip(&simulator);
    QVERIFY(tip);
    QCOMPARE(tip->size(), QSize(318, 69));
    QCOMPARE(tip->textRect(), QRect(0, 0, 318, 69));
    const QImage image = tip->grab().toImage();
    QCOMPARE(image.size(), QSize(318, 69));
    // No picture drawn: the corner is the tip's blue, and the text starts at the left edge.
    QCOMPARE(QColor(image.pixel(0, 0)), QColor(0, 85, 255));
    QCOMPARE(QColor(image.pixel(317, 68)), QColor(0, 85, 255));
    const int textLeft = leftmostText(image);
    QVERIFY(textLeft >= 0);
    QVERIFY2(textLeft < 10, qPrintable(QString::number(textLeft)));
    QVERIFY(tip->textFits());
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
    const int w = bitmap.width();
    const int h = bitmap.height();
    QWidget simulator;
    basTootip::createSimulatorTip(&simulator, solidBitmap(w, h));
    QCOMPARE(basTootip::tipSize(basTootip::TipEntries().first()), QSize(318 + w, 69 + h));

    QVERIFY(askForTip(&simulator));

    basTootip::TipWindow *tip = shownTip(&simulator);
    QVERIFY(tip);
    QCOMPARE(tip->size(), QSize(318 + w, 69 + h));
    QCOMPARE(tip->textRect().left(), w);
    const QImage image = tip->grab().toImage();
    // The bitmap at the top-left corner, w by h, and blue right beside and below it.
    QCOMPARE(QColor(image.pixel(0, 0)), QColor(255, 0, 0));
    QCOMPARE(QColor(image.pixel(w - 1, h - 1)), QColor(255, 0, 0));
    QCOMPARE(QColor(image.pixel(0, h)), QColor(0, 85, 255));
    QCOMPARE(QColor(image.pixel(w + 317, h + 68)), QColor(0, 85, 255));
    // The text starts at x = w.
    const int textLeft = leftmostText(image);
    QVERIFY(textLeft >= w);
    QVERIFY2(textLeft < w + 10, qPrintable(QString::number(textLeft)));
    QVERIFY(tip->textFits());
}

void TestToolTip::otherEventsBehaveAsWithoutTheTip()
{
    const QList<QEvent::Type> types{QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                                    QEvent::MouseMove,        QEvent::Wheel,
                                    QEvent::KeyPress,         QEvent::Enter,
                                    QEvent::Leave,            QEvent::ContextMenu,
                                    QEvent::WhatsThis};
    EventLog plain;
    plain.logged = types;
    plain.setMouseTracking(true);
    EventLog watched;
    watched.logged = types;
    watched.setMouseTracking(true);
    basTootip::createSimulatorTip(&watched, Pictures::programIcon());

    sendSequence(&plain);
    sendSequence(&watched);

    QCOMPARE(plain.events.size(), types.size());
    QCOMPARE(watched.events, plain.events);
}

void TestToolTip::mouseDownStillReachesTheSimulator()
{
    PictureBox simulator;
    simulator.resize(100, 100);
    basTootip::createSimulatorTip(&simulator, Pictures::programIcon());
    QSignalSpy mouseDown(&simulator, &PictureBox::mouseDown);

    QTest::mousePress(&simulator, Qt::RightButton, Qt::NoModifier, QPoint(10, 20));

    QCOMPARE(mouseDown.count(), 1);
    QCOMPARE(mouseDown.first().at(0).value<Qt::MouseButton>(), Qt::RightButton);
    QCOMPARE(mouseDown.first().at(1).toPointF(), QPointF(150, 300));
}

void TestToolTip::otherWidgetsKeepTheirOwnTips()
{
    QWidget window;
    auto *simulator = new QWidget(&window);
    auto *label = new QLabel(QStringLiteral("Label1"), &window);
    label->setToolTip(QStringLiteral("a tip of its own"));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    basTootip::createSimulatorTip(simulator, Pictures::programIcon());

    askForTip(label);

    QTRY_VERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), QStringLiteral("a tip of its own"));
    QVERIFY(!shownTip(simulator));
    QToolTip::hideText();
}

void TestToolTip::leavingHidesTheTip()
{
    QWidget simulator;
    basTootip::createSimulatorTip(&simulator, Pictures::programIcon());
    QVERIFY(askForTip(&simulator));
    QVERIFY(shownTip(&simulator));

    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&simulator, &leave);

    QVERIFY(!shownTip(&simulator));
}

void TestToolTip::reloadOverwritesEntryZero()
{
    auto first = std::make_unique<QWidget>();
    basTootip::createSimulatorTip(first.get(), solidBitmap(10, 10));
    first.reset();

    QWidget second;
    basTootip::createSimulatorTip(&second, Pictures::programIcon());

    QCOMPARE(basTootip::TipEntries().size(), 1);
    QVERIFY(std::holds_alternative<QIcon>(basTootip::TipEntries().first().Picture));
    QVERIFY(askForTip(&second));
    QVERIFY(shownTip(&second));
    QCOMPARE(shownTip(&second)->size(), QSize(318, 69));
}

void TestToolTip::simulatorWindowCarriesTheTip()
{
    Form1 *simulator = form<Form1>();

    auto *image1 = simulator->findChild<QLabel *>(QStringLiteral("Image1_0"));
    QVERIFY(image1);
    QVERIFY(!image1->pixmap().isNull());
    QVERIFY(askForTip(simulator->Simulator));
    basTootip::TipWindow *tip = shownTip(simulator->Simulator);
    QVERIFY(tip);
    QCOMPARE(tip->size(), QSize(318, 69));
    QCOMPARE(tip->entryIndex(), 0);
}

QTEST_MAIN(TestToolTip)
#include "tst_tooltip.moc"

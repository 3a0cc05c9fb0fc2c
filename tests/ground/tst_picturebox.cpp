#include "ground/picturebox.h"

#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QTest>

namespace {

QPixmap filled(const QColor &color)
{
    QPixmap pixmap(10, 10);
    pixmap.fill(color);
    return pixmap;
}

// Remembers what each paint was asked to repaint.
class RecordingBox : public PictureBox
{
public:
    QRegion painted;

protected:
    void paintEvent(QPaintEvent *event) override
    {
        painted += event->region();
        PictureBox::paintEvent(event);
    }
};

QColor pixelAt(QWidget *widget, int x, int y)
{
    return widget->grab().toImage().pixelColor(x, y);
}

} // namespace

class TestPictureBox : public QObject
{
    Q_OBJECT

private slots:
    void picturesFloatOverTheDrawingInOrder();
    void aMoveRepaintsWhereThePictureWasAndIs();
    void surfacePaintsEachDamagedRectangle_data();
    void surfacePaintsEachDamagedRectangle();
};

void TestPictureBox::picturesFloatOverTheDrawingInOrder()
{
    PictureBox box;
    box.setTwipsGeometry(0, 0, 600, 600); // 40 × 40 pixels
    box.setBackColor(Qt::blue);
    // 150 and 225 twips are 10 and 15 pixels: the two squares overlap on
    // 15…19, where the later one must lie on top.
    QLabel *red = box.addFloatingPicture(QStringLiteral("Red"), filled(Qt::red), QPointF(150, 150));
    box.addFloatingPicture(QStringLiteral("Green"), filled(Qt::green), QPointF(225, 225));

    QCOMPARE(box.findChild<QLabel *>(QStringLiteral("Red")), red);
    QCOMPARE(red->geometry(), QRect(10, 10, 10, 10));
    QCOMPARE(pixelAt(&box, 5, 5), QColor(Qt::blue));
    QCOMPARE(pixelAt(&box, 12, 12), QColor(Qt::red));
    QCOMPARE(pixelAt(&box, 17, 17), QColor(Qt::green));
    QCOMPARE(pixelAt(&box, 22, 22), QColor(Qt::green));

    box.findChild<QLabel *>(QStringLiteral("Green"))->hide();
    QCOMPARE(pixelAt(&box, 17, 17), QColor(Qt::red));
    QCOMPARE(pixelAt(&box, 22, 22), QColor(Qt::blue));
}

void TestPictureBox::aMoveRepaintsWhereThePictureWasAndIs()
{
    RecordingBox box;
    box.setTwipsGeometry(0, 0, 1500, 1500);
    box.setBackColor(Qt::blue);
    QLabel *red = box.addFloatingPicture(QStringLiteral("Red"), filled(Qt::red), QPointF(0, 0));
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QTRY_VERIFY(!box.painted.isEmpty());

    // Seven twips is less than half a pixel: the picture stays, nothing
    // repaints around it. A repaint asked for far away marks when the
    // surface has painted everything pending.
    box.painted = QRegion();
    box.moveFloatingPicture(red, QPointF(7, 7));
    box.update(QRect(90, 90, 5, 5));
    QTRY_VERIFY(!box.painted.isEmpty());
    QVERIFY(!box.painted.intersects(QRect(0, 0, 20, 20)));

    box.painted = QRegion();
    box.moveFloatingPicture(red, QPointF(600, 300));
    QTRY_VERIFY(!box.painted.isEmpty());
    QCOMPARE(red->pos(), QPoint(40, 20));
    QVERIFY(box.painted.contains(QRect(0, 0, 10, 10)));
    QVERIFY(box.painted.contains(QRect(40, 20, 10, 10)));
    QCOMPARE(pixelAt(&box, 5, 5), QColor(Qt::blue));
    QCOMPARE(pixelAt(&box, 45, 25), QColor(Qt::red));
}

void TestPictureBox::surfacePaintsEachDamagedRectangle_data()
{
    // A 40 × 30 pixel surface with a 2-pixel border; a red point at twips
    // (150, 150) lands on inner pixel (10, 10), widget pixel (12, 12), and a
    // blue one at (450, 300) on widget pixel (32, 22). Two strips far
    // apart, as two moving pictures leave them, are painted one by one.
    QTest::addColumn<QPoint>("probe");
    QTest::addColumn<QColor>("expected");
    QTest::newRow("red point, first strip") << QPoint(12, 12) << QColor(255, 0, 0);
    QTest::newRow("blue point, second strip") << QPoint(32, 22) << QColor(0, 0, 255);
    QTest::newRow("background, first strip") << QPoint(13, 12) << QColor(0, 0, 0);
    QTest::newRow("outer border ring, top") << QPoint(12, 0) << QColor(Qt::darkGray);
    QTest::newRow("inner border ring, top") << QPoint(12, 1) << QColor(Qt::black);
    QTest::newRow("outer border ring, bottom") << QPoint(30, 29) << QColor(Qt::darkGray);
    QTest::newRow("inner border ring, bottom") << QPoint(30, 28) << QColor(Qt::black);
}

void TestPictureBox::surfacePaintsEachDamagedRectangle()
{
    QFETCH(QPoint, probe);
    PictureBox surface;
    QPalette palette = surface.palette();
    palette.setColor(QPalette::Dark, Qt::darkGray);
    palette.setColor(QPalette::Shadow, Qt::black);
    surface.setPalette(palette);
    surface.setBorder(true);
    surface.setTwipsGeometry(0, 0, 40 * 15, 30 * 15);
    surface.setBackColor(QColor(0, 0, 0));
    surface.pset(QPointF(150, 150), QColor(255, 0, 0));
    surface.pset(QPointF(450, 300), QColor(0, 0, 255));

    QImage shown(surface.size(), QImage::Format_RGB32);
    shown.fill(QColor(0, 255, 0));
    QPainter painter(&shown);
    for (const QRect strip : {QRect(10, 0, 5, 14), QRect(28, 20, 6, 10)})
        painter.drawImage(strip.topLeft(), surface.grab(strip).toImage());
    painter.end();
    QTEST(shown.pixelColor(probe), "expected");
}

QTEST_MAIN(TestPictureBox)
#include "tst_picturebox.moc"

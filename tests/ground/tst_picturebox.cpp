#include "ground/picturebox.h"

#include <QLabel>
#include <QPaintEvent>
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

    // Seven twips is less than half a pixel: the picture stays, nothing repaints.
    box.painted = QRegion();
    box.moveFloatingPicture(red, QPointF(7, 7));
    QTest::qWait(50);
    QVERIFY(box.painted.isEmpty());

    box.moveFloatingPicture(red, QPointF(600, 300));
    QTRY_VERIFY(!box.painted.isEmpty());
    QCOMPARE(red->pos(), QPoint(40, 20));
    QVERIFY(box.painted.contains(QRect(0, 0, 10, 10)));
    QVERIFY(box.painted.contains(QRect(40, 20, 10, 10)));
    QCOMPARE(pixelAt(&box, 5, 5), QColor(Qt::blue));
    QCOMPARE(pixelAt(&box, 45, 25), QColor(Qt::red));
}

QTEST_MAIN(TestPictureBox)
#include "tst_picturebox.moc"

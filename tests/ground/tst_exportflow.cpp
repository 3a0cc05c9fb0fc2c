#include "ground/exportflow.h"

#include "support/scriptedplatform.h"
#include "support/testenvironment.h"

#include <QFile>
#include <QPainter>
#include <QTest>

/// Every "save as" of the lab and its Observations tab goes through this
/// flow: their own tests keep one row each that their file reaches it.
class ExportFlowTest : public QObject
{
    Q_OBJECT

private slots:
    void savesWhatTheUserChose_data();
    void savesWhatTheUserChose();
    void cancelWritesNothing();
    void failedWriteIsSaid();
};

void ExportFlowTest::savesWhatTheUserChose_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("signature");
    QTest::newRow("text") << "table.csv" << QByteArray("t,v\n1,2\n");
    QTest::newRow("png") << "plot.png" << QByteArray("\x89PNG");
    QTest::newRow("svg, upper case") << "plot.SVG" << QByteArray("<?xml");
}

void ExportFlowTest::savesWhatTheUserChose()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, signature);
    TestEnvironment environment;
    ScriptedPlatform platform;
    const QString path = environment.path() + QLatin1Char('/') + name;
    platform.fileNames.enqueue(path);

    const QString written = name.endsWith(QStringLiteral(".csv"))
        ? ExportFlow::saveBytes(nullptr, QStringLiteral("CSV (*.csv)"), [] { return QByteArray("t,v\n1,2\n"); })
        : ExportFlow::savePicture(nullptr, QStringLiteral("Pictures (*.png *.svg)"), QSize(40, 30),
                                  QStringLiteral("plot"), [](QPainter &painter) { painter.drawLine(0, 0, 40, 30); });

    QCOMPARE(written, path);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY2(file.readAll().startsWith(signature), qPrintable(name));
    QVERIFY(platform.messageBoxes.isEmpty());
}

void ExportFlowTest::cancelWritesNothing()
{
    TestEnvironment environment;
    ScriptedPlatform platform;
    platform.fileNames.enqueue(QString());
    bool asked = false;

    const QString written = ExportFlow::saveBytes(nullptr, QStringLiteral("CSV (*.csv)"), [&] {
        asked = true;
        return QByteArray("x");
    });

    QVERIFY(written.isEmpty());
    QVERIFY(!asked);
    QVERIFY(platform.messageBoxes.isEmpty());
}

void ExportFlowTest::failedWriteIsSaid()
{
    TestEnvironment environment;
    ScriptedPlatform platform;
    const QString missingFolder = environment.path() + QStringLiteral("/no such folder/table.csv");
    platform.fileNames.enqueue(missingFolder);

    const QString written =
        ExportFlow::saveBytes(nullptr, QStringLiteral("CSV (*.csv)"), [] { return QByteArray("x"); });

    QVERIFY(written.isEmpty());
    QCOMPARE(platform.messageBoxes.size(), 1);
    QCOMPARE(platform.messageBoxes.first().title, QStringLiteral("Save"));
    QVERIFY(platform.messageBoxes.first().prompt.startsWith(missingFolder + QStringLiteral(" could not be written: ")));
    QVERIFY(!QFile::exists(missingFolder));
}

QTEST_MAIN(ExportFlowTest)
#include "tst_exportflow.moc"

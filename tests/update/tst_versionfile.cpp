#include "update/versionfile.h"

#include <QTest>

class TestVersionFile : public QObject
{
    Q_OBJECT

private slots:
    void firstLine_data();
    void firstLine();
    void isCurrent_data();
    void isCurrent();
};

void TestVersionFile::firstLine_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("expected");

    QTest::newRow("CR LF") << QByteArray("9.0.59\r\nnotes\r\n") << "9.0.59";
    QTest::newRow("CR alone") << QByteArray("9.0.59\rnotes") << "9.0.59";
    QTest::newRow("no line end") << QByteArray("9.0.59") << "9.0.59";
    QTest::newRow("LF only keeps the LF") << QByteArray("9.0.59\nnotes\n") << "9.0.59\nnotes\n";
    QTest::newRow("LF before the CR") << QByteArray("9.0\n.59\r\n") << "9.0\n.59";
    QTest::newRow("trailing blank") << QByteArray("9.0.59 \r\n") << "9.0.59 ";
    QTest::newRow("empty file") << QByteArray() << "";
    QTest::newRow("starts with CR") << QByteArray("\r\n9.0.59") << "";
    QTest::newRow("bytes one to one") << QByteArray("9\xe9\r\n") << QStringLiteral("9é");
}

void TestVersionFile::firstLine()
{
    QFETCH(QByteArray, body);
    QFETCH(QString, expected);
    QCOMPARE(VersionFile::firstLine(body), expected);
}

void TestVersionFile::isCurrent_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<int>("major");
    QTest::addColumn<int>("minor");
    QTest::addColumn<int>("revision");
    QTest::addColumn<bool>("expected");

    QTest::newRow("equal") << QByteArray("9.0.59\r\n") << 9 << 0 << 59 << true;
    QTest::newRow("equal, other release") << QByteArray("10.2.3\r\n") << 10 << 2 << 3 << true;
    QTest::newRow("newer") << QByteArray("9.0.60\r\n") << 9 << 0 << 59 << false;
    QTest::newRow("older") << QByteArray("9.0.58\r\n") << 9 << 0 << 59 << false;
    QTest::newRow("leading zero") << QByteArray("9.0.059\r\n") << 9 << 0 << 59 << false;
    QTest::newRow("leading blank") << QByteArray(" 9.0.59\r\n") << 9 << 0 << 59 << false;
    QTest::newRow("trailing blank") << QByteArray("9.0.59 \r\n") << 9 << 0 << 59 << false;
    QTest::newRow("LF only") << QByteArray("9.0.59\n") << 9 << 0 << 59 << false;
    QTest::newRow("empty file") << QByteArray() << 9 << 0 << 59 << false;
    QTest::newRow("another form") << QByteArray("Ver.9.0.59\r\n") << 9 << 0 << 59 << false;
}

void TestVersionFile::isCurrent()
{
    QFETCH(QByteArray, body);
    QFETCH(int, major);
    QFETCH(int, minor);
    QFETCH(int, revision);
    QFETCH(bool, expected);
    QCOMPARE(VersionFile::isCurrent(body, AppVersion{major, minor, revision}), expected);
}

QTEST_APPLESS_MAIN(TestVersionFile)
#include "tst_versionfile.moc"

#include "register/catalogdocument.h"
#include "support/seedscene.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

class TestCatalogDocument : public QObject
{
    Q_OBJECT

private slots:
    void writeOnlyDocumentGrows();
    void shortWriteIsTakenBack();
    void namedPipeIsRefusedAtOnce();
};

void TestCatalogDocument::writeOnlyDocumentGrows()
{
    QTemporaryDir environment;
    const QString path = environment.path() + QStringLiteral("/planet_catalog.doc");
    writeFile(path, "a\r\n");
    QVERIFY(QFile::setPermissions(environment.path(),
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ExeGroup
                                      | QFile::ExeOther));
    QVERIFY(QFile::setPermissions(path, QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther));
    // As an ordinary user, for whom a file's permissions hold (not for the superuser).
    const uid_t user = geteuid();
    const bool switched = user == 0 && seteuid(65534) == 0;
    const bool readable = QFile(path).open(QIODevice::ReadOnly);
    const QString error = readable ? QString() : CatalogDocument::append(path, QStringLiteral("b\r\n"));
    if (switched && seteuid(user) != 0)
        qFatal("could not become the superuser again");
    if (readable)
        QSKIP("no file can be made unreadable here");
    QCOMPARE(error, QString());
    QCOMPARE(fileContents(path), QByteArray("a\r\nb\r\n"));
}

void TestCatalogDocument::shortWriteIsTakenBack()
{
    QTemporaryDir environment;
    const QString path = environment.path() + QStringLiteral("/planet_catalog.doc");
    writeFile(path, "a\r\n");
    // Files may grow to 3 + 4 bytes, as on a full disk: "51Pe" of the 9-byte line would stay behind.
    rlimit before{};
    getrlimit(RLIMIT_FSIZE, &before);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{7, before.rlim_max};
    setrlimit(RLIMIT_FSIZE, &limit);
    const QString error = CatalogDocument::append(path, QStringLiteral("51Peg b\r\n"));
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, previousHandler);
    QVERIFY(!error.isEmpty());
    QCOMPARE(fileContents(path), QByteArray("a\r\n"));
}

void TestCatalogDocument::namedPipeIsRefusedAtOnce()
{
    QTemporaryDir environment;
    const QString path = environment.path() + QStringLiteral("/planet_catalog.doc");
    QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    QCOMPARE(CatalogDocument::append(path, QStringLiteral("51Peg b\r\n")), QStringLiteral("It is not a regular file."));
}

QTEST_APPLESS_MAIN(TestCatalogDocument)
#include "tst_catalogdocument.moc"

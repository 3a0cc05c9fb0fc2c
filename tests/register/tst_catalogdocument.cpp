#include "register/catalogdocument.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

/// While it lives, files may grow to at most `bytes`: a write that would
/// pass the limit writes what fits and then fails, as on a full disk.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_before);
        m_signal = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_before;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_before);
        std::signal(SIGXFSZ, m_signal);
    }

private:
    rlimit m_before{};
    void (*m_signal)(int) = nullptr;
};

/// While it lives, the process acts as an ordinary user, for whom a file's
/// permissions hold (they do not hold for the superuser).
class OrdinaryUser
{
public:
    OrdinaryUser()
        : m_user(geteuid())
    {
        if (m_user == 0)
            m_switched = seteuid(65534) == 0;
    }
    ~OrdinaryUser()
    {
        if (m_switched && seteuid(m_user) != 0)
            qFatal("could not become the superuser again");
    }

private:
    uid_t m_user;
    bool m_switched = false;
};

} // namespace

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
    QVERIFY(QFile::setPermissions(environment.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                                          | QFile::ExeGroup | QFile::ExeOther));
    QVERIFY(QFile::setPermissions(path, QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther));
    QString error;
    {
        OrdinaryUser user;
        if (QFile(path).open(QIODevice::ReadOnly))
            QSKIP("no file can be made unreadable here");
        error = CatalogDocument::append(path, QStringLiteral("b\r\n"));
    }
    QCOMPARE(error, QString());
    QCOMPARE(contents(path), QByteArray("a\r\nb\r\n"));
}

void TestCatalogDocument::shortWriteIsTakenBack()
{
    QTemporaryDir environment;
    const QString path = environment.path() + QStringLiteral("/planet_catalog.doc");
    writeFile(path, "a\r\n");
    QString error;
    {
        // Room for 3 + 4 bytes: "51Pe" of the 9-byte line would stay behind.
        FileSizeLimit limit(7);
        error = CatalogDocument::append(path, QStringLiteral("51Peg b\r\n"));
    }
    QVERIFY(!error.isEmpty());
    QCOMPARE(contents(path), QByteArray("a\r\n"));
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

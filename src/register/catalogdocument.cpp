#include "register/catalogdocument.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace CatalogDocument {

QString fileName()
{
    return QStringLiteral("planet_catalog.doc");
}

namespace {

// Only a document that can be read is peeked at; one that may only be
// written to is appended to as it is.
bool endsOpen(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.isSequential())
        return false;
    const qint64 size = file.size();
    if (size == 0 || !file.seek(size - 1))
        return false;
    char last = 0;
    return file.read(&last, 1) == 1 && last != '\n';
}

} // namespace

QString append(const QString &path, const QString &line)
{
    // Opening a named pipe would wait for a reader for ever.
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        return QCoreApplication::translate("CatalogDocument", "It is not a regular file.");
    QByteArray bytes = line.toUtf8();
    if (endsOpen(path))
        bytes.prepend("\r\n");
    QFile file(path);
    // Unbuffered: the line goes to the system in one write, not in pieces.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        return file.errorString();
    const qint64 before = file.size();
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.resize(before);
        return reason;
    }
    file.close();
    if (file.error() != QFileDevice::NoError)
        return file.errorString();
    return {};
}

} // namespace CatalogDocument

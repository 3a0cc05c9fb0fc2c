#include "register/catalogdocument.h"

#include <QFile>

namespace CatalogDocument {

QString fileName()
{
    return QStringLiteral("planet_catalog.doc");
}

namespace {

bool endsOpen(QFile &file)
{
    const qint64 size = file.size();
    if (file.isSequential() || size == 0 || !file.seek(size - 1))
        return false;
    char last = 0;
    return file.read(&last, 1) == 1 && last != '\n';
}

} // namespace

QString append(const QString &path, const QString &line)
{
    QFile file(path);
    // Unbuffered: the line goes to the system in one write, not in pieces.
    if (!file.open(QIODevice::ReadWrite | QIODevice::Append | QIODevice::Unbuffered))
        return file.errorString();
    const qint64 before = file.size();
    QByteArray bytes = line.toUtf8();
    if (endsOpen(file))
        bytes.prepend("\r\n");
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

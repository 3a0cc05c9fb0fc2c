#include "update/versionfile.h"

namespace VersionFile {

QString firstLine(const QByteArray &body)
{
    const qsizetype end = body.indexOf('\r');
    return QString::fromLatin1(end < 0 ? body : body.left(end));
}

bool isCurrent(const QByteArray &body, const AppVersion &running)
{
    return firstLine(body) == running.text();
}

} // namespace VersionFile

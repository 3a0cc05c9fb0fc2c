#include "capture/capturefolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace CaptureFolder {

namespace {

QString &programBase()
{
    static QString folder;
    return folder;
}

QString &picturesBase()
{
    static QString folder;
    return folder;
}

// Permission bits do not tell the whole story (a read-only mount, or an
// administrator who ignores them), so a folder counts as writable when a
// file can really be made in it.
bool takesFiles(const QString &folder)
{
    if (!QDir().mkpath(folder))
        return false;
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral("probe-XXXXXX")));
    return probe.open();
}

} // namespace

void setBaseFolders(const QString &programFolder, const QString &picturesFolder)
{
    programBase() = programFolder;
    picturesBase() = picturesFolder;
}

QStringList candidates()
{
    const QString program = programBase().isEmpty() ? QCoreApplication::applicationDirPath() : programBase();
    const QString pictures =
        picturesBase().isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::PicturesLocation) : picturesBase();
    QStringList folders;
    for (const QString &base : {program, pictures}) {
        if (!base.isEmpty())
            folders.append(QDir(base).filePath(QStringLiteral("Capture")));
    }
    return folders;
}

QString ready()
{
    for (const QString &folder : candidates()) {
        if (takesFiles(folder))
            return QDir::cleanPath(folder);
    }
    return {};
}

} // namespace CaptureFolder

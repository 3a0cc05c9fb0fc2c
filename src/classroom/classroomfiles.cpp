#include "classroom/classroomfiles.h"

#include "challenge/lesson.h"
#include "observations/datafolder.h"

#include <QCoreApplication>
#include <QDir>

namespace ClassroomFiles {

std::filesystem::path rvFolder()
{
    return Observations::rvDataFolder(QCoreApplication::applicationDirPath().toStdString());
}

QList<ShippedLesson> shippedLessons()
{
    // The lessons lie beside the velocity folder, installed or in the source tree alike.
    const QDir folder(QString::fromStdString((rvFolder().parent_path() / "lessons").string()));
    QList<ShippedLesson> lessons;
    for (const QString &name : folder.entryList({QStringLiteral("*.json")}, QDir::Files, QDir::Name)) {
        const QString path = folder.filePath(name);
        const auto lesson = Challenge::loadLesson(path.toStdString());
        lessons.append({path, lesson ? QString::fromStdString(lesson->title) : name});
    }
    return lessons;
}

} // namespace ClassroomFiles

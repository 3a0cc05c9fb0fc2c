#pragma once

#include <QList>
#include <QString>

#include <filesystem>

/// Where the classroom finds what ships with the program: the measured
/// velocities a real-star challenge draws from and the five lessons.
namespace ClassroomFiles {

/// The shipped velocity data beside the running program
/// (Observations::rvDataFolder of the program's folder).
std::filesystem::path rvFolder();

/// A shipped lesson, for a menu.
struct ShippedLesson
{
    QString path;
    QString title; ///< the lesson's own title; the file name when it cannot be read
};

/// The lessons beside the shipped velocity data (share/orbiquest9/lessons
/// installed, data/lessons in the source tree), in file-name order.
QList<ShippedLesson> shippedLessons();

} // namespace ClassroomFiles

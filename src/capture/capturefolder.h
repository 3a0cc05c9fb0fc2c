#pragma once

#include <QString>
#include <QStringList>

/// Where the captures go: the folder "Capture" beside the program, or, when
/// that one cannot be created or written (an installed program's folder is
/// usually read-only), a folder "Capture" in the user's pictures folder.
namespace CaptureFolder {

/// The bases default to the program's folder and the user's pictures
/// folder; tests point them elsewhere. An empty text brings the default
/// back.
void setBaseFolders(const QString &programFolder, const QString &picturesFolder);

/// The capture folders to try, preferred first.
QStringList candidates();

/// The first candidate that exists or can be created and takes a new file,
/// created now when missing; the empty text when none can be written.
QString ready();

} // namespace CaptureFolder

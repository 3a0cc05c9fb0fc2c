#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

class PictureBox;
class QWidget;

/// Saving the picture a plot surface shows (the simulator's or the RV
/// plot's) and loading any picture file back as the surface's background.
namespace PlotFiles {

/// One entry of the save dialog's type list.
struct FileType
{
    QString name;    ///< as the program has always shown it, before the pattern
    QString pattern; ///< the files the entry lists, shown once after the name
};

/// The types the save dialog offers, the program's own ".oq9" first.
QList<FileType> saveTypes();
/// saveTypes() as a Qt name-filter list: "Name(pattern);;…".
QString saveFilter();

/// The text after the last "." of the file's own name, or the empty text
/// when that name has none. Folder names do not count: "/" and "\" both
/// end a folder, so "C:\data.old\plot" has no extension.
QString fileExtension(const QString &fileName);

/// The picture format a save to `fileName` writes: the one the extension
/// names when there is a writer for it (png, jpg, bmp, ico …), otherwise a
/// Windows bitmap, the program's own ".oq9" format.
QByteArray writeFormat(const QString &fileName);

/// Asks for a file name with the save dialog owned by the surface's window,
/// shows it in the status bar and saves the surface's picture there.
/// Returns true when the picture was written; cancelling returns false
/// quietly.
bool SavePlotAs(PictureBox *surface);
/// Writes the surface's persistent image to `fileName` and confirms with
/// "Saved as <extension> file"; a failed write is reported instead.
bool SavePlotPicture(PictureBox *surface, const QString &fileName);

/// Asks for an existing file; the empty text when cancelled.
QString ShowOpenFileDialog(QWidget *owner);
/// Makes the picture in `fileName` the surface's background. An empty name
/// (a cancelled dialog) leaves the surface clear without a word; a file
/// that cannot be loaded leaves it clear and is reported.
bool LoadPlotPicture(PictureBox *surface, const QString &fileName);

/// The Save command of a window: its status word `tag` and the frame's
/// status panel read "Save", then SavePlotAs.
void saveCommand(QString &tag, PictureBox *surface);
/// The Load command of a window: `tag` and the status panel read "Open",
/// the surface loses its drawing and background, then the open dialog
/// owned by `owner` and LoadPlotPicture.
void loadCommand(QWidget *owner, QString &tag, PictureBox *surface);

} // namespace PlotFiles

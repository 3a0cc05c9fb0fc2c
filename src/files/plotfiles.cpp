#include "files/plotfiles.h"

#include "files/picturefile.h"
#include "ground/appinfo.h"
#include "ground/framehost.h"
#include "ground/picturebox.h"
#include "ground/platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QImageWriter>

namespace PlotFiles {

namespace {

void showFailure(const QString &text)
{
    Platform::current().messageBox(text, MsgBox::Exclamation, AppInfo::title());
}

QString shownName(const QString &fileName)
{
    return QDir::toNativeSeparators(fileName);
}

} // namespace

QList<FileType> saveTypes()
{
    return {
        {QCoreApplication::translate("PlotFiles", "OQ9 data file"), QStringLiteral("*.oq9")},
        {QCoreApplication::translate("PlotFiles", "JPEG image"), QStringLiteral("*.jpg")},
        {QCoreApplication::translate("PlotFiles", "GIF image"), QStringLiteral("*.gif")},
        {QCoreApplication::translate("PlotFiles", "PNG image"), QStringLiteral("*.png")},
        {QCoreApplication::translate("PlotFiles", "Bitmap image"), QStringLiteral("*.bmp")},
        {QStringLiteral("ICON"), QStringLiteral("*.ico")},
        {QCoreApplication::translate("PlotFiles", "All files"), QStringLiteral("*")},
    };
}

QString saveFilter()
{
    QStringList entries;
    for (const FileType &type : saveTypes())
        entries << type.name + QLatin1Char('(') + type.pattern + QLatin1Char(')');
    return entries.join(QStringLiteral(";;"));
}

QString fileExtension(const QString &fileName)
{
    for (qsizetype i = fileName.size() - 1; i >= 0; --i) {
        const QChar c = fileName.at(i);
        if (c == QLatin1Char('/') || c == QLatin1Char('\\'))
            return {};
        if (c == QLatin1Char('.'))
            return fileName.mid(i + 1);
    }
    return {};
}

QByteArray writeFormat(const QString &fileName)
{
    const QByteArray named = fileExtension(fileName).toLower().toLatin1();
    if (!named.isEmpty() && QImageWriter::supportedImageFormats().contains(named))
        return named;
    return QByteArrayLiteral("bmp");
}

bool SavePlotAs(PictureBox *surface)
{
    const QString fileName = Platform::current().saveFileName(surface->window(), saveFilter());
    if (fileName.isEmpty())
        return false;
    FrameHost::current().setPanel1(fileName);
    return SavePlotPicture(surface, fileName);
}

bool SavePlotPicture(PictureBox *surface, const QString &fileName)
{
    const QString error = PictureFile::write(surface->image(), fileName, writeFormat(fileName));
    if (!error.isEmpty()) {
        showFailure(QCoreApplication::translate("PlotFiles",
                                                "The picture could not be saved as\n%1\n\n%2\n\nNothing was saved.")
                        .arg(shownName(fileName), error));
        return false;
    }
    Platform::current().messageBox(QStringLiteral("Saved as ") + fileExtension(fileName) + QStringLiteral(" file"),
                                   MsgBox::OkOnly, AppInfo::title());
    return true;
}

QString ShowOpenFileDialog(QWidget *owner)
{
    return Platform::current().openFileName(owner, QCoreApplication::translate("PlotFiles", "Open File"));
}

bool LoadPlotPicture(PictureBox *surface, const QString &fileName)
{
    if (fileName.isEmpty()) {
        surface->setPicture(QImage());
        return false;
    }
    const PictureFile::ReadResult result = PictureFile::read(fileName);
    surface->setPicture(result.image);
    if (!result.error.isEmpty()) {
        showFailure(QCoreApplication::translate("PlotFiles", "The file\n%1\ncould not be loaded: %2")
                        .arg(shownName(fileName), result.error));
        return false;
    }
    return true;
}

void saveCommand(QString &tag, PictureBox *surface)
{
    tag = QStringLiteral("Save");
    FrameHost::current().setPanel1(tag);
    SavePlotAs(surface);
}

void loadCommand(QWidget *owner, QString &tag, PictureBox *surface)
{
    tag = QStringLiteral("Open");
    FrameHost::current().setPanel1(tag);
    surface->setPicture(QImage());
    LoadPlotPicture(surface, ShowOpenFileDialog(owner));
}

} // namespace PlotFiles

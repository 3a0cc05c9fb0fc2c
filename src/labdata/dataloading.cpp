#include "labdata/dataloading.h"

#include "observations/rvreader.h"

#include <QFileInfo>
#include <QUrl>

LoadedData loadData(const QString &path, const Observations::ReadOptions &options)
{
    LoadedData loaded;
    const QFileInfo info(path);
    const std::string nativePath = path.toStdString();
    if (info.suffix().compare(QLatin1String("sys"), Qt::CaseInsensitive) == 0) {
        const auto system = Observations::loadSystemFile(nativePath, options);
        if (!system.ok()) {
            loaded.error = QString::fromStdString(system.reason());
            return loaded;
        }
        loaded.data = system->data;
        loaded.title = QString::fromStdString(system->name);
        loaded.starMassSolar = system->starMassSolar;
        for (const std::string &note : system->notes)
            loaded.notes << QString::fromStdString(note);
        return loaded;
    }
    auto result = Observations::loadFile(nativePath, options);
    if (!result.ok()) {
        loaded.error = QString::fromStdString(result.reason());
        return loaded;
    }
    for (const std::string &note : result->notes)
        loaded.notes << QString::fromStdString(note);
    loaded.data = std::move(result.value().data);
    loaded.title = info.fileName();
    return loaded;
}

QString firstLocalFile(const QList<QUrl> &urls)
{
    for (const QUrl &url : urls) {
        if (url.isLocalFile())
            return url.toLocalFile();
    }
    return {};
}

#include "labdata/dataloading.h"

#include "observations/rvreader.h"

#include <QFileInfo>
#include <QUrl>

LoadedData loadData(const QString &path)
{
    LoadedData loaded;
    const QFileInfo info(path);
    const std::string nativePath = path.toStdString();
    if (info.suffix().compare(QLatin1String("sys"), Qt::CaseInsensitive) == 0) {
        const Observations::SystemResult system = Observations::loadSystemFile(nativePath);
        if (!system.ok()) {
            loaded.error = QString::fromStdString(system.error);
            return loaded;
        }
        loaded.data = system.system.data;
        loaded.title = QString::fromStdString(system.system.name);
        loaded.starMassSolar = system.system.starMassSolar;
        return loaded;
    }
    Observations::LoadResult result = Observations::loadFile(nativePath);
    if (!result.ok()) {
        loaded.error = QString::fromStdString(result.error);
        return loaded;
    }
    loaded.data = std::move(result.data);
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

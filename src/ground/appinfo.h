#pragma once

#include <QString>
#include <QUrl>

/// The program's version numbers, as the About window, the information box
/// and the update check show them.
struct AppVersion
{
    int major = 0;
    int minor = 0;
    int revision = 0;

    /// "9.0.59": the text the update check compares with the published one.
    QString text() const;
    /// "9.0": the short form of window titles.
    QString shortText() const;
};

/// The application's identity: title, version, maker, and the maker's
/// addresses. Everything is built from the build settings; tests may swap
/// the version to see that nothing shows a fixed text.
namespace AppInfo {

QString title();

AppVersion version();
void setVersion(const AppVersion &version);

/// Title of the input boxes of the simulator: " Orbiquest9 Ver. 9.0".
QString inputBoxTitle();

/// One line beginning with a blank, appended to status texts.
QString copyrightNotice();
QString organisation();

/// Host of the maker's web server; tests may point it at a local server.
QString makerHost();
void setMakerHost(const QString &host);

QUrl makerAddress(const QString &path);
QUrl homePage();
QUrl databasePage();
QUrl versionFile();

} // namespace AppInfo

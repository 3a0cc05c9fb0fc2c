#include "ground/appinfo.h"

#include "buildconfig.h"

namespace {

AppVersion &currentVersion()
{
    static AppVersion version{BuildConfig::versionMajor, BuildConfig::versionMinor, BuildConfig::versionRevision};
    return version;
}

QString &currentHost()
{
    static QString host = QString::fromLatin1(BuildConfig::makerHost);
    return host;
}

} // namespace

QString AppVersion::text() const
{
    return QStringLiteral("%1.%2.%3").arg(major).arg(minor).arg(revision);
}

QString AppVersion::shortText() const
{
    return QStringLiteral("%1.%2").arg(major).arg(minor);
}

namespace AppInfo {

QString title()
{
    return QStringLiteral("Orbiquest9");
}

AppVersion version()
{
    return currentVersion();
}

void setVersion(const AppVersion &version)
{
    currentVersion() = version;
}

QString inputBoxTitle()
{
    return QLatin1Char(' ') + title() + QStringLiteral(" Ver. ") + version().shortText();
}

QString copyrightNotice()
{
    return QStringLiteral(" Copyright (C) Orbiquest Project. All rights reserved.");
}

QString organisation()
{
    return QStringLiteral("Orbiquest Project");
}

QString makerHost()
{
    return currentHost();
}

void setMakerHost(const QString &host)
{
    currentHost() = host;
}

QUrl makerAddress(const QString &path)
{
    QUrl url;
    url.setScheme(QStringLiteral("http"));
    url.setAuthority(makerHost());
    url.setPath(path);
    return url;
}

QUrl homePage()
{
    return makerAddress(QStringLiteral("/astron/skydeck.html"));
}

QUrl databasePage()
{
    return makerAddress(QStringLiteral("/astron/Midlevels/26f/db"));
}

QUrl versionFile()
{
    return makerAddress(QStringLiteral("/astron/Midlevels/31f/oq9.txt"));
}

} // namespace AppInfo

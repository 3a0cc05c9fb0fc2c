#include "labdata/aliastext.h"

#include <QCoreApplication>

#include <cstdlib>

namespace {

QString periodText(double frequency)
{
    return QCoreApplication::translate("AliasText", "%1 d").arg(1 / frequency, 0, 'g', 5);
}

/// "f − 1 f_w": which alias it is.
QString orderText(int order)
{
    return QStringLiteral("f %1 %2 f_w")
        .arg(order < 0 ? QStringLiteral("−") : QStringLiteral("+"))
        .arg(std::abs(order));
}

} // namespace

namespace AliasText {

QString windowName(const std::string &name, double frequency)
{
    // The names the numeric floor gives window peaks, for the translation tools to find.
    static constexpr const char *names[] = {
        QT_TRANSLATE_NOOP("AliasText", "1 day"),
        QT_TRANSLATE_NOOP("AliasText", "sidereal day"),
        QT_TRANSLATE_NOOP("AliasText", "1 year"),
        QT_TRANSLATE_NOOP("AliasText", "lunar month"),
    };
    for (const char *known : names)
        if (name == known)
            return QCoreApplication::translate("AliasText", known);
    return name.empty() ? periodText(frequency) : QString::fromStdString(name);
}

QString sentence(const Detection::AliasLabel &label)
{
    const QString window = windowName(label.windowName, label.windowFrequency);
    switch (label.kind) {
    case Detection::AliasKind::None:
        return {};
    case Detection::AliasKind::WindowPeak:
        return QCoreApplication::translate("AliasText", "window peak (%1)").arg(window);
    case Detection::AliasKind::AliasOfPlanet:
        return QCoreApplication::translate("AliasText", "alias of the %1 planet under the %2 window peak (%3)")
            .arg(periodText(label.parentFrequency), window, orderText(label.order));
    case Detection::AliasKind::AliasOfPeak:
        break;
    }
    return QCoreApplication::translate("AliasText", "alias of %1 under the %2 window peak (%3)")
        .arg(periodText(label.parentFrequency), window, orderText(label.order));
}

QString brief(const Detection::AliasLabel &label)
{
    const QString window = windowName(label.windowName, label.windowFrequency);
    switch (label.kind) {
    case Detection::AliasKind::None:
        return {};
    case Detection::AliasKind::WindowPeak:
        return QCoreApplication::translate("AliasText", "window peak (%1)").arg(window);
    case Detection::AliasKind::AliasOfPlanet:
        return QCoreApplication::translate("AliasText", "alias of planet %1 (%2, %3)")
            .arg(periodText(label.parentFrequency), window, orderText(label.order));
    case Detection::AliasKind::AliasOfPeak:
        break;
    }
    return QCoreApplication::translate("AliasText", "alias of %1 (%2, %3)")
        .arg(periodText(label.parentFrequency), window, orderText(label.order));
}

} // namespace AliasText

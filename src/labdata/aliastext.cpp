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

namespace {

/// A label in words; the two alias forms take the parent's period, the window
/// peak and the order, in that order.
QString compose(const Detection::AliasLabel &label, const char *aliasOfPlanet, const char *aliasOfPeak)
{
    const QString window = AliasText::windowName(label.windowName, label.windowFrequency);
    const char *alias = aliasOfPeak;
    switch (label.kind) {
    case Detection::AliasKind::None:
        return {};
    case Detection::AliasKind::WindowPeak:
        return QCoreApplication::translate("AliasText", "window peak (%1)").arg(window);
    case Detection::AliasKind::AliasOfPlanet:
        alias = aliasOfPlanet;
        break;
    case Detection::AliasKind::AliasOfPeak:
        break;
    }
    return QCoreApplication::translate("AliasText", alias)
        .arg(periodText(label.parentFrequency), window, orderText(label.order));
}

} // namespace

QString sentence(const Detection::AliasLabel &label)
{
    return compose(label, QT_TRANSLATE_NOOP("AliasText", "alias of the %1 planet under the %2 window peak (%3)"),
                   QT_TRANSLATE_NOOP("AliasText", "alias of %1 under the %2 window peak (%3)"));
}

QString brief(const Detection::AliasLabel &label)
{
    return compose(label, QT_TRANSLATE_NOOP("AliasText", "alias of planet %1 (%2, %3)"),
                   QT_TRANSLATE_NOOP("AliasText", "alias of %1 (%2, %3)"));
}

} // namespace AliasText

#include "labdata/aliastext.h"

#include <QCoreApplication>

#include <cstdlib>

namespace {

QString translated(const char *text)
{
    return QCoreApplication::translate("AliasText", text);
}

QString periodText(double frequency)
{
    return translated("%1 d").arg(1 / frequency, 0, 'g', 5);
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
            return translated(known);
    return name.empty() ? periodText(frequency) : QString::fromStdString(name);
}

QString sentence(const Detection::AliasLabel &label)
{
    const QString window = windowName(label.windowName, label.windowFrequency);
    const QString term = QStringLiteral("f %1 %2 f_w").arg(label.order < 0 ? QStringLiteral("−") : QStringLiteral("+")).arg(std::abs(label.order));
    switch (label.kind) {
    case Detection::AliasKind::None:
        return {};
    case Detection::AliasKind::WindowPeak:
        return translated("window peak (%1)").arg(window);
    case Detection::AliasKind::AliasOfPlanet:
        return translated("alias of the %1 planet under the %2 window peak (%3)")
            .arg(periodText(label.parentFrequency), window, term);
    case Detection::AliasKind::AliasOfPeak:
        break;
    }
    return translated("alias of %1 under the %2 window peak (%3)").arg(periodText(label.parentFrequency), window, term);
}

} // namespace AliasText

#include "register/registrationdialogue.h"

#include "ground/inputdialogue.h"
#include "ground/textnumber.h"

#include <cmath>
#include <optional>

namespace {

QString ask(const QString &prompt)
{
    return InputDialogue(RegistrationDialogue::title()).askText(prompt);
}

/// The answer as a single-precision number. An answer beyond that range
/// cannot be shown or written as a number, so it counts as a stop answer
/// like any other unusable one.
std::optional<float> number(const QString &answer)
{
    const float value = float(TextNumber::leadingNumber(answer));
    if (!std::isfinite(value))
        return std::nullopt;
    return value;
}

/// Steps that stop on 0 or less: P, K, a and M.
std::optional<float> positive(const QString &prompt)
{
    const std::optional<float> value = number(ask(prompt));
    if (!value || *value <= 0)
        return std::nullopt;
    return value;
}

} // namespace

QString RegistrationDialogue::title()
{
    return QStringLiteral("Orbiquest9 Data update");
}

RegistrationDialogue::RegistrationDialogue(const ComparisonTable &table) : m_table(table)
{ }

RegistrationDialogue::Outcome RegistrationDialogue::run(PlanetRecord &record) const
{
    const QString name = ask(tr("Enter the planet's name / 0 or Enter stops"));
    if (name.isEmpty() || name == QStringLiteral("0"))
        return Outcome::Stopped;
    record.name = name;

    const std::optional<float> p = positive(tr("Enter the planet's period P (days) / 0 or Enter stops"));
    if (!p)
        return Outcome::Stopped;
    record.P = *p;

    const std::optional<float> k =
        positive(tr("Enter the semi-amplitude K of the radial velocity (m/s) / 0 or Enter stops"));
    if (!k)
        return Outcome::Stopped;
    record.K = *k;

    if (m_table.isDuplicate(record.P, record.K))
        return Outcome::Duplicate;

    // An empty answer or Cancel reads 0 here, a circular orbit, and is accepted.
    const std::optional<float> e =
        number(ask(tr("Enter the planet's eccentricity e / a negative value stops / Enter gives 0")));
    if (!e || *e < 0)
        return Outcome::Stopped;
    record.e = *e;

    // Here a typed 0 is a valid angle, so only the empty answer stops.
    const QString omegaAnswer =
        ask(tr("Enter the argument of periastron ω (degrees) / a negative value or Enter stops"));
    const std::optional<float> omega = number(omegaAnswer);
    if (omegaAnswer.isEmpty() || !omega || *omega < 0)
        return Outcome::Stopped;
    record.omega = *omega;

    const std::optional<float> a = positive(tr("Enter the planet–star distance a (AU) / 0 or Enter stops"));
    if (!a)
        return Outcome::Stopped;
    record.a = *a;

    const std::optional<float> m = positive(tr("Enter the star's mass M (solar masses) / 0 or Enter stops"));
    if (!m)
        return Outcome::Stopped;
    record.M = *m;

    return Outcome::Accepted;
}

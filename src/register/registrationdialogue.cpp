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
    const QString name = ask(QStringLiteral("惑星の名前を入力/0 Or「Enter」入力でStop"));
    if (name.isEmpty() || name == QStringLiteral("0"))
        return Outcome::Stopped;
    record.name = name;

    const std::optional<float> p = positive(QStringLiteral("惑星の公転周期P(days)を入力/0 Or「Enter」入力でStop"));
    if (!p)
        return Outcome::Stopped;
    record.P = *p;

    const std::optional<float> k = positive(QStringLiteral("視線速度振幅K(m/s)を入力/0 Or「Enter」入力でStop"));
    if (!k)
        return Outcome::Stopped;
    record.K = *k;

    if (m_table.isDuplicate(record.P, record.K))
        return Outcome::Duplicate;

    // An empty answer or Cancel reads 0 here, a circular orbit, and is accepted.
    const std::optional<float> e = number(ask(QStringLiteral("惑星の離心率eを入力/0未満入力でStop/「Enter」で0入力")));
    if (!e || *e < 0)
        return Outcome::Stopped;
    record.e = *e;

    // Here a typed 0 is a valid angle, so only the empty answer stops.
    const QString omegaAnswer = ask(QStringLiteral("近星点経度ωを入力/0未満入力 Or「Enter」でStop"));
    const std::optional<float> omega = number(omegaAnswer);
    if (omegaAnswer.isEmpty() || !omega || *omega < 0)
        return Outcome::Stopped;
    record.omega = *omega;

    const std::optional<float> a = positive(QStringLiteral("惑星－恒星間の距離(AU)を入力/0 Or「Enter」入力でStop"));
    if (!a)
        return Outcome::Stopped;
    record.a = *a;

    const std::optional<float> m = positive(QStringLiteral("恒星の質量Mを入力(太陽質量)/0入力 Or「Enter」でStop"));
    if (!m)
        return Outcome::Stopped;
    record.M = *m;

    return Outcome::Accepted;
}

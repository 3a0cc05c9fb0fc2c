#include "lab/derivedvalues.h"

#include "kepler/physicalconstants.h"
#include "kepler/planetmass.h"
#include "seedmodel/companionclass.h"
#include "seedmodel/massfunction.h"
#include "seedmodel/storedvalues.h"

#include <QCoreApplication>

#include <cmath>

namespace DerivedValues {

namespace {

std::optional<double> finite(double value)
{
    return std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

QString number(double value)
{
    return QString::number(value, 'g', 4);
}

QString masses(double solarMasses)
{
    const double jupiters = jupiterMasses(solarMasses);
    return QCoreApplication::translate("DerivedValues", "%1 Jupiter masses = %2 Earth masses: %3")
        .arg(number(jupiters), number(earthMasses(solarMasses)), CompanionClass::of(float(jupiters)).name);
}

} // namespace

double jupiterMasses(double solarMasses)
{
    return solarMasses * Kepler::jupiterMassesPerSolarMass;
}

double earthMasses(double solarMasses)
{
    return solarMasses * Kepler::earthMassesPerSolarMass;
}

Values of(const LabPlanet &planet)
{
    const Kepler::Orbit &orbit = planet.orbit;
    const double inclination = planet.inclinationDegrees * LabUnits::RadiansPerDegree;
    const bool faceOn = std::sin(inclination) <= 0;

    Values values;
    values.massFunctionSolar = Kepler::massFunction(orbit.periodDays, orbit.semiAmplitude, orbit.eccentricity);
    values.minimumMassSolar =
        Kepler::minimumMass(orbit.periodDays, orbit.semiAmplitude, orbit.eccentricity, planet.starMassSolar);
    if (!faceOn) {
        values.trueMassSolar =
            finite(Kepler::companionMass(values.massFunctionSolar, planet.starMassSolar, inclination));
        values.starSpeed = finite(Kepler::starOrbitalSpeed(orbit.semiAmplitude, orbit.eccentricity, inclination));
    }
    const double companion = values.trueMassSolar.value_or(values.minimumMassSolar);
    values.semiMajorAxisAu = Kepler::semiMajorAxisAu(orbit.periodDays, planet.starMassSolar, companion);
    values.reflexShare = companion / (planet.starMassSolar + companion);

    const double axisMetres = planet.seedAxisAu * StoredValues::MetresPerAU;
    const double starMassKg = planet.starMassSolar * StoredValues::KgPerSolarMass;
    const auto semiAmplitude = float(orbit.semiAmplitude);
    if (MassFunctionMath::argumentsValid(axisMetres, orbit.periodDays, orbit.eccentricity, semiAmplitude, starMassKg)) {
        values.seedMassJupiter = finite(MassFunctionMath::jupiterMasses(
            MassFunctionMath::minimumMassKg(axisMetres, orbit.periodDays, orbit.eccentricity, semiAmplitude)));
    }
    return values;
}

Texts describe(const Values &values, const LabPlanet &planet)
{
    const QString atInclination = QString::number(planet.inclinationDegrees, 'f', 1);
    Texts texts;
    texts.massFunction =
        QCoreApplication::translate("DerivedValues", "%1 solar masses").arg(number(values.massFunctionSolar));
    texts.minimumMass = masses(values.minimumMassSolar);
    texts.trueMass = values.trueMassSolar
        ? masses(*values.trueMassSolar)
        : QCoreApplication::translate("DerivedValues",
                                      "undetermined (face-on): at i = 0 the star moves across "
                                      "the sky only, so its velocities set no upper limit");
    texts.trueMass.prepend(QCoreApplication::translate("DerivedValues", "at i = %1°: ").arg(atInclination));
    if (values.trueMassSolar && *values.trueMassSolar > planet.starMassSolar)
        texts.trueMass += QCoreApplication::translate("DerivedValues", " (heavier than the star)");
    texts.semiMajorAxis = QCoreApplication::translate("DerivedValues", "%1 AU").arg(number(values.semiMajorAxisAu));
    texts.starSpeed = values.starSpeed
        ? QCoreApplication::translate("DerivedValues", "%1 m/s (2π a★ / P)").arg(number(*values.starSpeed))
        : QCoreApplication::translate("DerivedValues", "undetermined (face-on)");
    texts.seedMass = values.seedMassJupiter
        ? QCoreApplication::translate("DerivedValues", "%1 Jupiter masses (a = %2 AU, small-mass approximation)")
              .arg(number(*values.seedMassJupiter), number(planet.seedAxisAu))
        : QCoreApplication::translate("DerivedValues", "— (Screen2 refuses these elements)");
    return texts;
}

} // namespace DerivedValues

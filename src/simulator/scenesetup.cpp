#include "simulator/scenesetup.h"

#include "ground/appinfo.h"
#include "ground/platform.h"
#include "seedmodel/companionclass.h"
#include "seedmodel/massfunction.h"
#include "seedmodel/scenescale.h"

#include <cmath>

namespace {

bool allFinite(std::initializer_list<double> values)
{
    for (double value : values) {
        if (!std::isfinite(value))
            return false;
    }
    return true;
}

} // namespace

SceneSetup::SceneSetup(const PlanetCatalog &catalog, QPointF centre, bool earthMassesShown)
    : m_catalog(catalog), m_dialogue(AppInfo::inputBoxTitle())
{
    m_simulation.orbitCentre = m_simulation.starCentre = centre;
    m_simulation.earthMassesShown = earthMassesShown;
}

QString SceneSetup::periodPrompt()
{
    return tr("Enter the planet's period P (days) / Enter or 0 stops");
}

QString SceneSetup::velocityPrompt()
{
    return tr("Enter the semi-amplitude K of the radial velocity (m/s) / Enter or 0 stops");
}

QString SceneSetup::eccentricityPrompt()
{
    return tr("Enter the planet's eccentricity e / a negative value stops / Enter gives 0");
}

QString SceneSetup::periastronPrompt()
{
    return tr("Enter the argument of periastron ω (degrees) / Enter, 0 or less stops");
}

QString SceneSetup::distancePrompt()
{
    return tr("Enter the planet–star distance a (AU) / Enter or 0 stops");
}

QString SceneSetup::starMassPrompt()
{
    return tr("Enter the star's mass M (solar masses) / Enter or 0 stops");
}

QString SceneSetup::eccentricityRefusal()
{
    return tr(
        "An eccentricity of 1 or more is no orbit around the star. "
        "This value cannot be used.");
}

QString SceneSetup::tooLargeRefusal()
{
    return tr("This value is too large to calculate with. It cannot be used.");
}

std::optional<Simulation> SceneSetup::run()
{
    if (!askPeriodAndVelocity())
        return std::nullopt;
    if (!takeFromCatalog() && !askElements())
        return std::nullopt;
    if (!deriveResults())
        return std::nullopt;
    return m_simulation;
}

bool SceneSetup::askPeriodAndVelocity()
{
    Simulation::Elements &elements = m_simulation.elements;
    const double period = m_dialogue.askNumber(periodPrompt());
    if (period <= 0)
        return false;
    if (!std::isfinite(period))
        return refuse(tooLargeRefusal());
    elements.periodDays = period;

    const float velocity = float(m_dialogue.askNumber(velocityPrompt()));
    if (velocity <= 0)
        return false;
    if (!std::isfinite(velocity))
        return refuse(tooLargeRefusal());
    elements.semiAmplitude = velocity;
    return true;
}

bool SceneSetup::takeFromCatalog()
{
    Simulation::Elements &elements = m_simulation.elements;
    for (int i = PlanetCatalog::FirstPlanet; i <= PlanetCatalog::LastPlanet; ++i) {
        const CatalogPlanet &planet = m_catalog.planet(i);
        if (planet.periodDays != elements.periodDays || float(planet.semiAmplitude) != elements.semiAmplitude)
            continue;
        elements.axisAU = planet.axisAU;
        elements.eccentricity = planet.eccentricity;
        elements.starMassSolar = planet.starMassSolar;
        elements.omegaDegrees = planet.omegaDegrees;
        elements.catalogIndex = i;
        return true;
    }
    return false;
}

bool SceneSetup::askElements()
{
    Simulation::Elements &elements = m_simulation.elements;
    const double eccentricity = m_dialogue.askNumber(eccentricityPrompt());
    if (eccentricity < 0)
        return false;
    if (eccentricity >= 1)
        return refuse(eccentricityRefusal());
    elements.eccentricity = eccentricity;

    elements.omegaDegrees = m_dialogue.askNumber(periastronPrompt());
    const double omegaRadians = m_simulation.omegaRadians();
    if (omegaRadians <= 0)
        return false;
    if (!std::isfinite(omegaRadians))
        return refuse(tooLargeRefusal());

    const float axisAU = float(m_dialogue.askNumber(distancePrompt()));
    if (axisAU <= 0)
        return false;
    if (!std::isfinite(axisAU))
        return refuse(tooLargeRefusal());
    elements.axisAU = axisAU;

    elements.starMassSolar = m_dialogue.askNumber(starMassPrompt());
    if (elements.starMassSolar <= 0)
        return false;
    if (!std::isfinite(m_simulation.starMassKg()))
        return refuse(tooLargeRefusal());
    return true;
}

bool SceneSetup::deriveResults()
{
    Simulation &scene = m_simulation;
    const Simulation::Elements &elements = scene.elements;
    if (!MassFunctionMath::argumentsValid(scene.axisMetres(), elements.periodDays, elements.eccentricity,
                                          elements.semiAmplitude, scene.starMassKg()))
        return false;
    scene.minimumMassKg = MassFunctionMath::minimumMassKg(scene.axisMetres(), elements.periodDays,
                                                          elements.eccentricity, elements.semiAmplitude);
    scene.minimumMassJupiter = MassFunctionMath::jupiterMasses(scene.minimumMassKg);
    scene.sizes = SceneScale::forOrbit(float(elements.axisAU), elements.eccentricity);

    // Everything the scene will show is worked out before anything is shown,
    // so a value too large for the arithmetic is refused with nothing half done.
    // An eccentricity just below 1 is carried as "1"; the RV window then
    // says itself that it cannot draw that curve, which is no size fault.
    const RvCurve::Elements curve = scene.curveElements();
    const bool curveDrawable = RvCurve::rowFor(curve.eccentricity, curve.semiAmplitude).has_value();
    if (!allFinite({scene.minimumMassKg, scene.minimumMassJupiter, scene.shownMass(), scene.sizes.orbitRadius,
                    scene.sizes.orbitHeight})
        || (curveDrawable && RvCurve::points(curve).isEmpty()))
        return refuse(tooLargeRefusal());
    scene.companionClass = CompanionClass::of(scene.minimumMassJupiter).name;
    return true;
}

bool SceneSetup::refuse(const QString &reason)
{
    Platform::current().messageBox(reason, MsgBox::OkOnly | MsgBox::Exclamation, AppInfo::title());
    return false;
}

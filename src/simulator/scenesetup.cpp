#include "simulator/scenesetup.h"

#include "app/appinfo.h"
#include "app/colors.h"
#include "app/controls.h"
#include "app/formregistry.h"
#include "app/mdiform1.h"
#include "app/platform.h"
#include "app/textnumber.h"
#include "massfunction/companionclass.h"
#include "massfunction/form2.h"
#include "massfunction/massfunction.h"
#include "rv/drawradialvelocitycurve.h"
#include "rv/rv.h"
#include "rv/rvcurve.h"
#include "simulator/form1.h"
#include "simulator/orbitform.h"
#include "simulator/orbitmotion.h"
#include "simulator/scenescale.h"
#include "simulator/stopsimulation.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

#include <cmath>

namespace {

constexpr qint16 BuiltInEntries = 15;

bool allFinite(std::initializer_list<double> values)
{
    for (double value : values) {
        if (!std::isfinite(value))
            return false;
    }
    return true;
}

} // namespace

SceneSetup::SceneSetup(Form1 &simulator)
    : m_form(simulator)
{
}

QString SceneSetup::periodPrompt()
{
    return QStringLiteral("惑星の公転周期P(days)を入力/「Enter」/0入力でStop");
}

QString SceneSetup::velocityPrompt()
{
    return QStringLiteral("視線速度の振幅K(m/s)を入力/「Enter」/0入力でStop");
}

QString SceneSetup::eccentricityPrompt()
{
    return QStringLiteral("惑星の離心率eを入力/0入力でStop/「Enter」で0入力");
}

QString SceneSetup::periastronPrompt()
{
    return QStringLiteral("近星点経度ωを入力/0未満入力 Or「Enter」/0でStop");
}

QString SceneSetup::distancePrompt()
{
    return QStringLiteral("惑星－恒星間の距離(AU)を入力/「Enter」/0入力でStop");
}

QString SceneSetup::starMassPrompt()
{
    return QStringLiteral("恒星の質量Mを入力(太陽質量)/「Enter」でStop");
}

QString SceneSetup::eccentricityRefusal()
{
    return QStringLiteral("An eccentricity of 1 or more is no orbit around the star. "
                          "This value cannot be used.");
}

QString SceneSetup::tooLargeRefusal()
{
    return QStringLiteral("This value is too large to calculate with. It cannot be used.");
}

bool SceneSetup::run()
{
    m_form.Timer1->stop();
    m_form.Image1_0->clear();
    m_form.EntryCount = BuiltInEntries;
    m_form.Simulator->cls();

    if (!askPeriodAndVelocity())
        return false;
    if (!takeFromCatalog() && !askElements())
        return false;
    return showScene();
}

double SceneSetup::ask(const QString &prompt) const
{
    Platform &platform = Platform::current();
    platform.beep();
    return TextNumber::leadingNumber(platform.inputBox(prompt, AppInfo::inputBoxTitle()));
}

bool SceneSetup::askPeriodAndVelocity()
{
    const double period = ask(periodPrompt());
    if (period <= 0) {
        m_form.PeriodDays = period;
        return stop();
    }
    if (!std::isfinite(period))
        return refuse(tooLargeRefusal());
    m_form.PeriodDays = period;

    const float velocity = float(ask(velocityPrompt()));
    if (velocity <= 0) {
        m_form.SemiAmplitude = velocity;
        return stop();
    }
    if (!std::isfinite(velocity))
        return refuse(tooLargeRefusal());
    m_form.SemiAmplitude = velocity;
    return true;
}

bool SceneSetup::takeFromCatalog()
{
    const PlanetCatalog &catalog = m_form.catalog;
    for (int i = PlanetCatalog::FirstPlanet; i <= m_form.EntryCount; ++i) {
        if (catalog.CatalogP[i] != m_form.PeriodDays
            || float(catalog.CatalogK[i]) != m_form.SemiAmplitude)
            continue;
        m_form.AxisAU = float(catalog.CatalogA[i]);
        m_form.AxisMetres = catalog.CatalogA[i] * MassFunctionMath::MetresPerAU;
        m_form.Eccentricity = catalog.CatalogE[i];
        m_form.StarMassKg = catalog.CatalogM[i] * MassFunctionMath::KgPerSolarMass;
        m_omegaDegrees = catalog.CatalogOmega[i];
        m_omegaRadians = m_omegaDegrees * OrbitMotion::RadiansPerDegree;
        return true;
    }
    return false;
}

bool SceneSetup::askElements()
{
    const double eccentricity = ask(eccentricityPrompt());
    if (eccentricity < 0) {
        m_form.Eccentricity = eccentricity;
        return stop();
    }
    if (eccentricity >= 1)
        return refuse(eccentricityRefusal());
    m_form.Eccentricity = eccentricity;

    const double omegaDegrees = ask(periastronPrompt());
    const double omegaRadians = omegaDegrees * OrbitMotion::RadiansPerDegree;
    if (omegaRadians <= 0)
        return stop();
    if (!std::isfinite(omegaRadians))
        return refuse(tooLargeRefusal());
    m_omegaDegrees = omegaDegrees;
    m_omegaRadians = omegaRadians;

    const float axisAU = float(ask(distancePrompt()));
    if (axisAU <= 0) {
        m_form.AxisAU = axisAU;
        m_form.AxisMetres = axisAU * MassFunctionMath::MetresPerAU;
        return stop();
    }
    if (!std::isfinite(axisAU))
        return refuse(tooLargeRefusal());
    m_form.AxisAU = axisAU;
    m_form.AxisMetres = axisAU * MassFunctionMath::MetresPerAU;

    const double starMass = ask(starMassPrompt());
    const double starMassKg = starMass * MassFunctionMath::KgPerSolarMass;
    if (starMass <= 0) {
        m_form.StarMassSolar = starMass;
        m_form.StarMassKg = starMassKg;
        return stop();
    }
    if (!std::isfinite(starMassKg))
        return refuse(tooLargeRefusal());
    m_form.StarMassSolar = starMass;
    m_form.StarMassKg = starMassKg;
    return true;
}

bool SceneSetup::showScene()
{
    using TextNumber::shortest;

    Form2 *catalogWindow = form<Form2>();
    const float massKg = m_form.MassFunction(m_form.AxisMetres, m_form.PeriodDays,
                                             m_form.Eccentricity, m_form.SemiAmplitude,
                                             m_form.StarMassKg);
    const float jupiterMasses = MassFunctionMath::jupiterMasses(massKg);
    const float shown = MassFunctionMath::shownMass(jupiterMasses, catalogWindow->Check1->isChecked());
    const SceneScale::Sizes sizes = SceneScale::forOrbit(m_form.AxisAU, m_form.Eccentricity);

    const QString massText = shortest(shown);
    const QString velocityText = shortest(m_form.SemiAmplitude);
    const QString periodText = shortest(m_form.PeriodDays);
    const QString eccentricityText = shortest(m_form.Eccentricity);
    const QString omegaText = shortest(m_omegaRadians);

    // Everything the scene will show is computed before anything is shown,
    // so a value too large for the arithmetic is refused with nothing half done.
    // An eccentricity just below 1 is written as "1"; the RV window then
    // says itself that it cannot draw that curve, which is no size fault.
    const RvCurve::Elements curve{TextNumber::leadingNumber(eccentricityText),
                                  TextNumber::leadingNumber(velocityText),
                                  TextNumber::leadingNumber(periodText),
                                  TextNumber::leadingNumber(omegaText)};
    const bool curveDrawable = RvCurve::rowFor(curve.eccentricity, curve.semiAmplitude).has_value();
    if (!allFinite({massKg, jupiterMasses, shown, sizes.orbitRadius, sizes.orbitHeight})
        || (curveDrawable && RvCurve::points(curve).isEmpty()))
        return refuse(tooLargeRefusal());

    m_form.MinMassKg = massKg;
    m_form.MinMassJup = jupiterMasses;

    RV *rv = form<RV>();
    catalogWindow->Text1->setText(massText);
    rv->Text2->setText(velocityText);
    rv->Text3->setText(periodText);
    rv->Text1->setText(eccentricityText);
    rv->Text5->setText(omegaText);

    const CompanionClass companion = CompanionClass::of(jupiterMasses);
    m_form.BodyClass = companion.name;
    Controls::setForeColor(catalogWindow->Text5, companion.color);
    catalogWindow->Text5->setText(m_form.BodyClass);

    m_form.OrbitRadius = sizes.orbitRadius;
    m_form.OrbitHeight = sizes.orbitHeight;
    m_form.WobbleRadius = sizes.wobbleRadius;
    drawOrbit();

    m_form.Timer1->start();
    form<MDIForm1>()->setPanel1(QStringLiteral("Running  ") + AppInfo::copyrightNotice());
    DrawRadialVelocityCurve();
    Controls::setForeColor(m_form.Label1, Colors::qbColor(15));
    return true;
}

void SceneSetup::drawOrbit()
{
    PictureBox *surface = m_form.Simulator;
    surface->setDrawWidth(1);
    surface->circle(QPointF(m_form.StarCenterX, m_form.StarCenterY), m_form.WobbleRadius,
                    Colors::rgb(255, 0, 255));
    const std::optional<OrbitForm> orbit = OrbitForm::of(m_form.Eccentricity);
    if (!orbit)
        return;
    surface->circle(QPointF(m_form.OrbitCenterX, m_form.OrbitCenterY), m_form.OrbitRadius,
                    orbit->lineColor, orbit->startAngle, orbit->aspect);
    Form2 *catalogWindow = form<Form2>();
    Controls::setForeColor(catalogWindow->Text3, orbit->textColor);
    catalogWindow->Text3->setText(orbit->name);
}

bool SceneSetup::stop()
{
    StopSimulation();
    return false;
}

bool SceneSetup::refuse(const QString &reason)
{
    Platform::current().messageBox(reason, MsgBox::OkOnly | MsgBox::Exclamation,
                                   AppInfo::title());
    return stop();
}

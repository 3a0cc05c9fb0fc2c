#include "register/planetrecord.h"

#include "ground/textnumber.h"
#include "seedmodel/storedvalues.h"

#include <QStringList>

namespace PlanetRecordText {

namespace {

bool isLineBreak(QChar c)
{
    switch (c.unicode()) {
    case u'\n':
    case u'\v':
    case u'\f':
    case u'\r':
    case u'\u0085':
    case u'\u2028':
    case u'\u2029':
        return true;
    default:
        return false;
    }
}

QString singleLine(QString text)
{
    for (QChar &c : text) {
        if (isLineBreak(c))
            c = QLatin1Char(' ');
    }
    return text;
}

} // namespace

float omegaRadians(float degrees)
{
    return float(double(degrees) * StoredValues::RadiansPerDegree);
}

QString listRow(const PlanetRecord &planet)
{
    using TextNumber::shortest;
    const QStringList fields{singleLine(planet.name),
                             shortest(planet.P),
                             shortest(planet.K),
                             shortest(planet.e),
                             shortest(omegaRadians(planet.omega)),
                             shortest(planet.a),
                             shortest(planet.M)};
    return fields.join(QStringView(Separator));
}

QString documentLine(const PlanetRecord &planet)
{
    using TextNumber::printItem;
    QString line = singleLine(planet.name);
    for (float value : {planet.P, planet.K, planet.e, planet.omega, planet.a, planet.M})
        line += printItem(value);
    return line + QStringLiteral("\r\n");
}

} // namespace PlanetRecordText

#include "rv/drawradialvelocitycurve.h"

#include "app/appinfo.h"
#include "app/colors.h"
#include "app/formregistry.h"
#include "app/platform.h"
#include "app/textnumber.h"
#include "massfunction/form2.h"
#include "rv/rv.h"
#include "rv/rvcurve.h"
#include "simulator/form1.h"

#include <QLineEdit>
#include <QTimer>

#include <cmath>

namespace {

double valueOf(const QLineEdit *box)
{
    return TextNumber::leadingNumber(box->text());
}

// A zero K, P or mass is what the boxes hold before any set-up; an
// eccentricity of 0 is a circular orbit and perfectly valid.
bool inputMissing(const RvCurve::Elements &elements, double mass)
{
    for (double value : {elements.eccentricity, elements.semiAmplitude, elements.periodDays,
                         elements.omega, mass}) {
        if (!std::isfinite(value))
            return true;
    }
    return elements.semiAmplitude == 0 || elements.periodDays == 0 || mass == 0;
}

} // namespace

void DrawRadialVelocityCurve()
{
    RV *window = form<RV>();
    PictureBox *plot = window->RVC;
    plot->cls();

    const RvCurve::Elements elements{valueOf(window->Text1), valueOf(window->Text2),
                                     valueOf(window->Text3), valueOf(window->Text5)};
    Form2 *catalog = form<Form2>();
    const double mass = valueOf(catalog->Text1);
    const QString planetName = catalog->Text2->text();

    if (inputMissing(elements, mass)) {
        Platform::current().messageBox(
            QStringLiteral("Please Click on this button after you input the datas."),
            MsgBox::OkOnly, AppInfo::title());
        // The carrier values and the plot go with the window.
        FormRegistry::instance().unload(window);
        form<Form1>()->Timer1->start();
        return;
    }

    plot->setForeColor(Colors::rgb(0, 255, 255));
    for (const RvCurve::SummaryLine &line : RvCurve::summary(planetName, mass, elements)) {
        plot->pset(line.position);
        plot->print(line.text, false);
        if (!line.italicTail.isEmpty()) {
            plot->setFontItalic(true);
            plot->print(line.italicTail, true);
            plot->setFontItalic(false);
        }
    }

    plot->setForeColor(Colors::qbColor(14));
    plot->setDrawWidth(2);
    const QList<QPointF> points = RvCurve::points(elements);
    if (points.isEmpty()) {
        Platform::current().messageBox(QStringLiteral("Can NOT draw the radial velocity curve. "),
                                       MsgBox::OkOnly, AppInfo::title());
    }
    for (const QPointF &point : points)
        plot->pset(point);

    form<Form1>()->Timer1->start();
}

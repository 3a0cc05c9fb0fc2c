#pragma once

#include "fitting/rvfit.h"
#include "observations/rvdata.h"

#include <QRectF>

class QPainter;

/// The velocities as a printed page or the answer key shows them: each
/// point with its error bar, one colour per instrument. Plain painter
/// drawings, the same on screen and in a PDF.
namespace VelocityPicture {

/// The measurements against time.
void draw(QPainter &painter, const QRectF &area, const Observations::DataSet &data);

/// The measurements folded on fitted planet `planet` (from 0) of `fit`,
/// less the fit's offsets, trend and other planets, with that planet's
/// curve over one orbit: what a student sees when the fold is right.
void drawFolded(QPainter &painter, const QRectF &area, const Observations::DataSet &data, const Fitting::Result &fit,
                std::size_t planet);

} // namespace VelocityPicture

#pragma once

#include "fitting/rvfit.h"
#include "observations/rvdata.h"

#include <QRectF>
#include <QString>

#include <optional>

class QPainter;

/// The velocities against time as a printed page or the answer key shows
/// them: each point with its error bar, one colour per instrument, and,
/// given a fit, the fitted curve drawn over them with each instrument's
/// offset taken from its points (so several instruments share one curve).
/// A plain painter drawing, the same on screen and in a PDF.
namespace VelocityPicture {

void draw(QPainter &painter, const QRectF &area, const Observations::DataSet &data,
          const std::optional<Fitting::Result> &fit = std::nullopt);

} // namespace VelocityPicture

#pragma once

#include "numeric/outcome.h"
#include "observations/rvdata.h"

#include <optional>
#include <string>
#include <vector>

/// What a fit needs to decorrelate the velocities against an activity index
/// x: the term d_k (x_i − x̄_k) of instrument k (see rvfit.h).
///
/// A measurement whose index is missing (NaN, or not finite) is left out of
/// such a fit, and the fit's notes say how many: a user who asks for the
/// decorrelation wants the measurements that have the index fitted, not a
/// refusal over a few blank cells. The fit of the same data without the
/// decorrelation still uses every measurement.
namespace Fitting {

/// The index of `data` named `name`, or nullptr.
const Observations::ActivityIndex *activityIndex(const Observations::DataSet &data, const std::string &name);

/// Why `data` cannot be decorrelated against the index `name`, or nothing:
/// no index of that name (the sentence lists those there are), an index that
/// does not hold a value per measurement, or an instrument whose measurements
/// give it fewer than two different values (its coefficient would be any).
std::optional<Numeric::Refusal> decorrelationRefusal(const Observations::DataSet &data, const std::string &name);

/// The measurements that have a value of the index `name`, with every
/// activity series filtered alike; the instruments stay as they are.
Observations::DataSet measurementsWithIndex(const Observations::DataSet &data, const std::string &name);

/// x̄_k: per instrument, the mean of the index over its measurements that
/// have a value; 0 for an instrument without one.
std::vector<double> indexMeans(const Observations::DataSet &data, const std::string &name);

/// The sentence a fit's notes carry when `count` measurements lacked the index.
std::string leftOutSentence(std::size_t count, const std::string &name);

} // namespace Fitting

#pragma once

#include "fitting/searchstate.h"

/// A search's model read out as the Result the callers see: elements with
/// their propagated uncertainties, instruments, trend and the figures of merit.
namespace Fitting::Search {

Result makeResult(const State &state);

Result cancelledResult();

} // namespace Fitting::Search

#pragma once

#include "observations/rvdata.h"

#include <vector>

/// Nights of observation. A night is the measurements of one instrument less
/// than half a day apart, lasting 0.7 d at most: no site sees a star longer,
/// and consecutive nights at one site lie about a day apart.
namespace Observations {

/// Each measurement's night, numbered from 0 by instrument, then time; with
/// `longestStretchDays`, each night cut further into stretches lasting at
/// most that long.
std::vector<int> nightNumbers(const DataSet &data, double longestStretchDays = 1e300);

/// The measurements of the nights with two or more, each night an instrument
/// of its own ("HARPS-N night 3": the instrument's third such night), so
/// that a fit gives every night its own offset and sees only the changes
/// within nights: the floating-chunk offsets of Hatzes et al. (2010), which
/// take out a star's activity and anything else slower than a night. Single
/// measurements are left out; activity indices and missing uncertainties
/// carry over.
DataSet offsetPerNight(const DataSet &data);

} // namespace Observations

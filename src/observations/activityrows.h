#pragma once

#include "observations/rvdata.h"

#include <cstddef>
#include <span>
#include <vector>

/// Keeps a data set's activity indices aligned with its measurements when
/// measurements are merged, reordered or left out. Pure C++, no Qt.
namespace Observations {

/// Appends to `target`, whose indices each hold `targetRows` values so far,
/// the activity of `source`'s measurements `rows`, in that order. Indices are
/// matched by name: one only `target` has gets NaN for these rows, one only
/// `source` has is added with NaN for the `targetRows` before. Rows outside
/// `source` get NaN.
void appendActivityRows(std::vector<ActivityIndex> &target, std::size_t targetRows,
                        const std::vector<ActivityIndex> &source, std::span<const std::size_t> rows);

/// The activity of `source`'s measurements `rows`, in that order.
std::vector<ActivityIndex> activityOfRows(const std::vector<ActivityIndex> &source, std::span<const std::size_t> rows);

} // namespace Observations

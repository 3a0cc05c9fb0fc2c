#include "observations/activityrows.h"

#include <algorithm>
#include <limits>

namespace Observations {

namespace {

constexpr double missing = std::numeric_limits<double>::quiet_NaN();

} // namespace

void appendActivityRows(std::vector<ActivityIndex> &target, std::size_t targetRows,
                        const std::vector<ActivityIndex> &source, std::span<const std::size_t> rows)
{
    for (const ActivityIndex &index : source) {
        const bool known = std::ranges::any_of(target, [&](const ActivityIndex &t) { return t.name == index.name; });
        if (!known)
            target.push_back({index.name, std::vector<double>(targetRows, missing)});
    }
    for (ActivityIndex &index : target) {
        const auto found = std::ranges::find_if(source, [&](const ActivityIndex &s) { return s.name == index.name; });
        for (const std::size_t row : rows) {
            const bool given = found != source.end() && row < found->values.size();
            index.values.push_back(given ? found->values[row] : missing);
        }
    }
}

std::vector<ActivityIndex> activityOfRows(const std::vector<ActivityIndex> &source, std::span<const std::size_t> rows)
{
    std::vector<ActivityIndex> selected;
    appendActivityRows(selected, 0, source, rows);
    return selected;
}

} // namespace Observations

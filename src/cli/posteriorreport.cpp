#include "cli/posteriorreport.h"

#include "cli/texttable.h"
#include "sampling/posteriorexport.h"

namespace Cli {

namespace {

void addRows(TextTable &table, const std::vector<Sampling::Summary> &summaries)
{
    for (const auto &s : summaries) {
        const auto &p = s.posterior;
        table.addRow({s.name, s.unit, Sampling::medianText(p), Sampling::intervalText(p, p.lower68, p.upper68),
                      Sampling::intervalText(p, p.lower95, p.upper95), Sampling::fitText(s)});
    }
}

} // namespace

std::string posteriorReport(const Sampling::Result &result)
{
    std::string text = "Posterior: " + Sampling::statusName(result.status) + ". " + result.message + "\n";
    if (!result.converged())
        return text;
    text += result.priors + "\n\n";
    TextTable table({"quantity", "unit", "median", "68.3 % interval", "95 % interval", "fit ± covariance σ"});
    addRows(table, result.derived);
    addRows(table, result.sampled);
    text += table.text();
    if (result.disagrees())
        text += "\n" + result.disagreement + "\n";
    return text;
}

} // namespace Cli

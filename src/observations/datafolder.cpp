#include "observations/datafolder.h"

namespace Observations {

std::filesystem::path rvDataFolder(const std::filesystem::path &executableFolder)
{
    const std::filesystem::path installed = executableFolder / ".." / "share" / "orbiquest9" / "rv";
    std::error_code error;
    if (std::filesystem::is_directory(installed, error))
        return installed.lexically_normal();
    return std::filesystem::path(ORBIQUEST9_SOURCE_DATA_DIR);
}

const std::vector<ShippedSet> &shippedSets()
{
    static const std::vector<ShippedSet> sets{
        {"51peg.sys", "51 Peg (Lick, ELODIE)"},
        {"HD209458.sys", "HD 209458 (ELODIE, CORALIE, Keck)"},
        {"HD149026.sys", "HD 149026 (Subaru, Keck)"},
        {"HD17156.sys", "HD 17156 (six instruments)"},
        {"55Cnc.sys", "55 Cnc (Lick, Keck, ELODIE, HET)"},
        {"47uma.sys", "47 UMa (HJS, HET, ELODIE, Lick)"},
        {"16cygB.sys", "16 Cyg B (Lick, HJS)"},
        {"HD202206.sys", "HD 202206 (CORALIE)"},
        {"k2-24_rv.csv", "K2-24 (Keck/HIRES)"},
        {"k2-131_rv.txt", "K2-131 (HARPS-N, PFS)"},
    };
    return sets;
}

} // namespace Observations

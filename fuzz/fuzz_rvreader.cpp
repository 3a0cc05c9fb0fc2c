// libFuzzer target: any bytes through the velocity reader. Besides the
// sanitizers' findings it stops on a broken promise of the reader: a refusal
// that is not one line, a kept value that is not finite or an uncertainty
// that is not > 0, an instrument index out of range, or a set that does not
// survive the writer and the reader again value for value.
#include "observations/rvreader.h"
#include "observations/rvwriter.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void require(bool condition, const char *what)
{
    if (!condition) {
        std::fprintf(stderr, "broken promise: %s\n", what);
        std::abort();
    }
}

bool same(double a, double b)
{
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *bytes, std::size_t size)
{
    using namespace Observations;
    const std::string_view text(reinterpret_cast<const char *>(bytes), size);
    const auto result = parseText(text, "fuzz");
    if (!result.ok()) {
        require(!result.reason().empty() && result.reason().find('\n') == std::string::npos,
                "a refusal that is not one line");
        return 0;
    }
    const DataSet &data = result->data;
    require(!data.measurements.empty(), "success without measurements");
    for (const Measurement &m : data.measurements) {
        require(std::isfinite(m.time) && std::isfinite(m.velocity) && std::isfinite(m.uncertainty),
                "a value that is not finite");
        require(m.uncertainty > 0, "an uncertainty that is not > 0");
        require(m.instrument >= 0 && static_cast<std::size_t>(m.instrument) < data.instruments.size(),
                "an instrument index out of range");
    }

    const auto back = parseText(toText(data), "unused");
    require(back.ok(), "the writer's text does not read back");
    require(back->data.measurements.size() == data.measurements.size(), "rows lost in the round trip");
    for (std::size_t i = 0; i < data.measurements.size(); ++i) {
        const Measurement &a = data.measurements[i];
        const Measurement &b = back->data.measurements[i];
        require(same(a.time, b.time) && same(a.velocity, b.velocity) && same(a.uncertainty, b.uncertainty),
                "a value changed in the round trip");
    }
    return 0;
}

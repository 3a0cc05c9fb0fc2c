#include "cli/arguments.h"

#include <charconv>
#include <cmath>

namespace Cli {

namespace {

std::string range(double low, double high)
{
    auto shortest = [](double v) {
        char text[32];
        const auto end = std::to_chars(text, text + sizeof text, v).ptr;
        return std::string(text, end);
    };
    return "[" + shortest(low) + ", " + shortest(high) + "]";
}

} // namespace

Arguments::Arguments(const std::vector<std::string> &words, const std::set<std::string> &valued,
                     const std::set<std::string> &flags)
{
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string &word = words[i];
        if (word.size() < 2 || word[0] != '-' || (word[1] >= '0' && word[1] <= '9') || word[1] == '.') {
            m_positional.push_back(word);
            continue;
        }
        std::string name = word;
        std::optional<std::string> value;
        if (const auto equals = word.find('='); equals != std::string::npos) {
            name = word.substr(0, equals);
            value = word.substr(equals + 1);
        }
        if (flags.count(name)) {
            if (value)
                throw UsageError{"option " + name + " takes no value"};
            m_flags.insert(name);
        } else if (valued.count(name)) {
            if (!value) {
                if (i + 1 >= words.size())
                    throw UsageError{"option " + name + " needs a value"};
                value = words[++i];
            }
            m_values[name] = *value;
        } else {
            throw UsageError{"unknown option " + name + " (see --help)"};
        }
    }
}

std::optional<std::string> Arguments::text(const std::string &name) const
{
    const auto found = m_values.find(name);
    if (found == m_values.end())
        return std::nullopt;
    return found->second;
}

double Arguments::number(const std::string &name, double fallback, double low, double high) const
{
    const auto value = text(name);
    if (!value)
        return fallback;
    double parsed = 0;
    const char *end = value->data() + value->size();
    const auto [stop, error] = std::from_chars(value->data(), end, parsed);
    if (value->empty() || error != std::errc() || stop != end || !std::isfinite(parsed))
        throw UsageError{"option " + name + " needs a number, not \"" + *value + "\""};
    if (parsed < low || parsed > high)
        throw UsageError{"option " + name + " must lie in " + range(low, high) + " (found " + *value + ")"};
    return parsed;
}

long long Arguments::whole(const std::string &name, long long fallback, long long low, long long high) const
{
    const auto value = text(name);
    if (!value)
        return fallback;
    long long parsed = 0;
    const char *end = value->data() + value->size();
    const auto [stop, error] = std::from_chars(value->data(), end, parsed);
    if (value->empty() || error != std::errc() || stop != end)
        throw UsageError{"option " + name + " needs a whole number, not \"" + *value + "\""};
    if (parsed < low || parsed > high)
        throw UsageError{"option " + name + " must lie in [" + std::to_string(low) + ", " + std::to_string(high)
                         + "] (found " + *value + ")"};
    return parsed;
}

} // namespace Cli

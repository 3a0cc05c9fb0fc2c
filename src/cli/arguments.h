#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace Cli {

/// Thrown for a bad command line; what() is the one-line reason.
struct UsageError
{
    std::string reason;
};

/// The words after a subcommand: positional words, `--flag`s and
/// `--option value` pairs (also `--option=value`). Options the command does
/// not know are refused at parsing, so a typo never passes silently.
class Arguments
{
public:
    /// valued: options that take a value; flags: options that do not.
    /// Throws UsageError for an unknown option or a missing value.
    Arguments(const std::vector<std::string> &words, const std::set<std::string> &valued,
              const std::set<std::string> &flags);

    const std::vector<std::string> &positional() const { return m_positional; }
    bool flag(const std::string &name) const { return m_flags.count(name) > 0; }
    bool has(const std::string &name) const { return m_values.count(name) > 0; }
    std::optional<std::string> text(const std::string &name) const;

    /// The option's value as a finite number within [low, high], or fallback
    /// when absent. Throws UsageError naming the option otherwise.
    double number(const std::string &name, double fallback, double low, double high) const;
    /// The same for a whole number.
    long long whole(const std::string &name, long long fallback, long long low, long long high) const;

private:
    std::vector<std::string> m_positional;
    std::set<std::string> m_flags;
    std::map<std::string, std::string> m_values;
};

} // namespace Cli

#pragma once

#include <string>
#include <utility>
#include <variant>

/// How the numeric floor says no.
///
/// A check that only judges its input returns `std::optional<Refusal>`:
/// nothing when the input is fine. A computation that may refuse returns
/// `Outcome<T>`: the value, or the refusal that names what was wrong and
/// where ("line 17: …"). Long runs that can also stall or be cancelled
/// (the fits) keep a status of their own beside the same kind of sentence.
/// No entry point signals success with an empty string.
namespace Numeric {

/// One sentence for the user, in English, naming what was wrong and where.
struct Refusal
{
    std::string reason;
};

template <typename T> class Outcome
{
public:
    Outcome(T value) : m_state(std::move(value)) { }
    Outcome(Refusal refusal) : m_state(std::move(refusal)) { }

    bool ok() const { return std::holds_alternative<T>(m_state); }
    explicit operator bool() const { return ok(); }

    /// The value; only when ok().
    const T &value() const & { return std::get<T>(m_state); }
    T &value() & { return std::get<T>(m_state); }
    T &&value() && { return std::get<T>(std::move(m_state)); }
    const T &operator*() const & { return value(); }
    const T *operator->() const { return &value(); }

    /// Why it was refused; empty when ok().
    const std::string &reason() const
    {
        static const std::string none;
        return ok() ? none : std::get<Refusal>(m_state).reason;
    }

private:
    std::variant<T, Refusal> m_state;
};

} // namespace Numeric

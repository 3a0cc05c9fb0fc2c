#pragma once

#include <cstddef>

/// Limits that keep hostile input cheap; the reader (rvreader.h) documents
/// how each applies, and the text-level pieces (textlines.h) enforce the
/// first two. Kept apart so that neither of those includes the other.
namespace Observations {

inline constexpr std::size_t maxTextBytes = 256u * 1024u * 1024u;
inline constexpr std::size_t maxLineBytes = 64u * 1024u;
inline constexpr std::size_t maxMeasurements = 1'000'000u;
inline constexpr std::size_t maxInstrumentNameBytes = 256u;

} // namespace Observations

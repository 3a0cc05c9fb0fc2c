#pragma once

#include <cstddef>

/// Every limit of the readers, in one place. They keep hostile input cheap;
/// the table reader (rvreader.h) and the system-file reader (systemfile.h)
/// document how each applies, and the text-level pieces (textlines.h) enforce
/// the size, line and binary limits.
namespace Observations {

/// A text (a table or a system file) of at most this many bytes.
inline constexpr std::size_t maxTextBytes = 256u * 1024u * 1024u;
/// A line of at most this many bytes, checked before the line is split.
inline constexpr std::size_t maxLineBytes = 64u * 1024u;
/// At most this many measurements in a table, and in a system's tables together.
inline constexpr std::size_t maxMeasurements = 1'000'000u;
/// An instrument's name of at most this many bytes.
inline constexpr std::size_t maxInstrumentNameBytes = 256u;
/// At most this many instruments (and velocity files of a system). A column
/// with more distinct values is not a list of instruments: more likely a
/// number the reader took for a name.
inline constexpr std::size_t maxInstruments = 1000u;
/// A text is binary when more than one byte in binaryShareDenominator of its
/// first binarySampleBytes is not UTF-8 text: a Latin-1 name in a comment is
/// a few odd bytes, a picture or a compressed file is mostly odd bytes.
inline constexpr std::size_t binarySampleBytes = 64u * 1024u;
inline constexpr std::size_t binaryShareDenominator = 16u;

} // namespace Observations

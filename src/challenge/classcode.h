#pragma once

#include "challenge/challengesettings.h"
#include "numeric/outcome.h"

#include <string>
#include <string_view>

/// The codes a teacher hands out: twelve characters of Crockford's base 32
/// (digits and letters without I, L, O and U), written in three groups of
/// four ("7KQ2-M9XD-4T0B"). Pure C++, no Qt.
///
/// Ten characters carry 50 bits: the format version (3 bits), the kind of
/// code (1 bit), the level (3), the number of points (9), the noise in tenths
/// of a m/s (10), the cadence (1), whether "how close am I?" may answer (1)
/// and the seed (22), mixed by a fixed invertible scramble so that
/// neighbouring seeds and the two kinds of code look unrelated. The last two
/// characters are a check: the characters' values v₁ … v₁₂ weighted
/// 1, 2, … 10, 32, 1 sum to a multiple of the prime 1021, which catches every
/// single changed character and every swap of two neighbours.
///
/// The class code gives the data; the teacher's code gives the same data and
/// the answer key. Both follow from the same parameters by a published rule,
/// so the teacher's code is a classroom barrier, not a secret.
///
/// Reading ignores letter case, blanks and hyphens, and reads I and L as 1
/// and O as 0, as Crockford's alphabet prescribes.
namespace Challenge {

/// The format version this program writes. Codes of this and earlier
/// versions give the same data in every later release.
inline constexpr int codeVersion = 1;
inline constexpr int codeLength = 12;

enum class CodeKind : int {
    Class = 0,  ///< for the students: the data
    Teacher = 1 ///< for the teacher: the data and the answer key
};

/// A code read back.
struct DecodedCode
{
    ChallengeSettings settings;
    CodeKind kind = CodeKind::Class;
    int version = codeVersion;
};

/// The code of this kind for the settings, grouped "XXXX-XXXX-XXXX". The settings
/// must pass refusal(settings).
std::string encodeCode(const ChallengeSettings &settings, CodeKind kind);

/// The challenge behind a typed code, or a refusal that says what is wrong
/// with it: a character that is not in the alphabet (and where), the wrong
/// length, a failed check (a mistyped code), or a version this program does
/// not know.
Numeric::Outcome<DecodedCode> decodeCode(std::string_view typed);

} // namespace Challenge

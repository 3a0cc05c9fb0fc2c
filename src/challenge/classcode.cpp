#include "challenge/classcode.h"

#include <array>
#include <cstdint>

namespace Challenge {

namespace {

constexpr std::string_view alphabet = "0123456789ABCDEFGHJKMNPQRSTVWXYZ";
constexpr int payloadCharacters = 10;
constexpr int payloadBits = 50;
constexpr std::uint64_t payloadMask = (std::uint64_t(1) << payloadBits) - 1;
constexpr int checkPrime = 1021;
constexpr std::array<int, codeLength> checkWeights{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 32, 1};

// The scramble: multiplications by odd constants modulo 2⁵⁰ and a
// self-inverse xor-shift. Fixed for every version, so any code can be
// unscrambled before its version is read.
constexpr std::uint64_t firstMultiplier = 0x2545F4914F6CDULL | 1;
constexpr std::uint64_t secondMultiplier = 0x1B873593A3E5BULL | 1;
constexpr int shift = payloadBits / 2;

std::uint64_t inverseModulo(std::uint64_t odd)
{
    std::uint64_t inverse = odd; // correct to 3 bits; each Newton step doubles them
    for (int i = 0; i < 5; ++i)
        inverse *= 2 - odd * inverse;
    return inverse & payloadMask;
}

std::uint64_t xorShift(std::uint64_t x)
{
    return x ^ (x >> shift);
}

std::uint64_t scramble(std::uint64_t x)
{
    x = (x * firstMultiplier) & payloadMask;
    x = xorShift(x);
    return (x * secondMultiplier) & payloadMask;
}

std::uint64_t unscramble(std::uint64_t x)
{
    x = (x * inverseModulo(secondMultiplier)) & payloadMask;
    x = xorShift(x);
    return (x * inverseModulo(firstMultiplier)) & payloadMask;
}

// Fields from the lowest bit up: version, kind, level, points, noise,
// cadence, help, seed.
struct Field
{
    int offset;
    int bits;
};
constexpr Field versionField{0, 3};
constexpr Field kindField{3, 1};
constexpr Field levelField{4, 3};
constexpr Field pointsField{7, 9};
constexpr Field noiseField{16, 10};
constexpr Field cadenceField{26, 1};
constexpr Field helpField{27, 1};
constexpr Field seedField{28, 22};

void put(std::uint64_t &bits, Field field, std::uint64_t value)
{
    bits |= (value & ((std::uint64_t(1) << field.bits) - 1)) << field.offset;
}

std::uint64_t take(std::uint64_t bits, Field field)
{
    return (bits >> field.offset) & ((std::uint64_t(1) << field.bits) - 1);
}

int weightedSum(const std::array<int, codeLength> &values, int count)
{
    int sum = 0;
    for (int i = 0; i < count; ++i)
        sum = (sum + checkWeights[i] * values[i]) % checkPrime;
    return sum;
}

// The value of one typed character, with Crockford's readings of look-alikes.
int characterValue(char typed)
{
    char c = typed >= 'a' && typed <= 'z' ? char(typed - 'a' + 'A') : typed;
    if (c == 'I' || c == 'L')
        c = '1';
    if (c == 'O')
        c = '0';
    const auto at = alphabet.find(c);
    return at == std::string_view::npos ? -1 : int(at);
}

std::string characterName(char c)
{
    if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x7f)
        return "a character that is not a letter or digit";
    return std::string("\"") + c + "\"";
}

Numeric::Outcome<std::array<int, codeLength>> characterValues(std::string_view typed)
{
    std::array<int, codeLength> values{};
    int count = 0;
    for (std::size_t i = 0; i < typed.size(); ++i) {
        const char c = typed[i];
        if (c == '-' || c == ' ' || c == '\t')
            continue;
        const int value = characterValue(c);
        if (value < 0) {
            const std::string hint = (c == 'U' || c == 'u') ? " (codes never use U)" : "";
            return Numeric::Refusal{"a code has only digits and the letters A–Z without U; " + characterName(c)
                                    + " at character " + std::to_string(i + 1) + " is not one of them" + hint};
        }
        if (count < codeLength)
            values[count] = value;
        ++count;
    }
    if (count != codeLength)
        return Numeric::Refusal{"a code has " + std::to_string(codeLength) + " characters (found "
                                + std::to_string(count) + ")"};
    return values;
}

} // namespace

std::string encodeCode(const ChallengeSettings &settings, CodeKind kind)
{
    std::uint64_t bits = 0;
    put(bits, versionField, codeVersion);
    put(bits, kindField, std::uint64_t(kind));
    put(bits, levelField, std::uint64_t(settings.level));
    put(bits, pointsField, std::uint64_t(settings.points));
    put(bits, noiseField, std::uint64_t(settings.noiseTenths));
    put(bits, cadenceField, std::uint64_t(settings.cadence));
    put(bits, helpField, settings.closenessHelp ? 1 : 0);
    put(bits, seedField, settings.seed);
    bits = scramble(bits);

    std::array<int, codeLength> values{};
    for (int i = 0; i < payloadCharacters; ++i)
        values[i] = int((bits >> (5 * (payloadCharacters - 1 - i))) & 31);
    const int check = (checkPrime - weightedSum(values, payloadCharacters)) % checkPrime;
    values[payloadCharacters] = check / 32;
    values[payloadCharacters + 1] = check % 32;

    std::string code;
    for (int i = 0; i < codeLength; ++i) {
        if (i > 0 && i % 4 == 0)
            code += '-';
        code += alphabet[values[i]];
    }
    return code;
}

Numeric::Outcome<DecodedCode> decodeCode(std::string_view typed)
{
    const auto values = characterValues(typed);
    if (!values)
        return Numeric::Refusal{values.reason()};
    const int check = 32 * (*values)[payloadCharacters] + (*values)[payloadCharacters + 1];
    if (check >= checkPrime || weightedSum(*values, codeLength) != 0)
        return Numeric::Refusal{
            "this code is mistyped: its check does not match; compare each character "
            "with the code you were given, and look for two that changed places"};

    std::uint64_t bits = 0;
    for (int i = 0; i < payloadCharacters; ++i)
        bits = (bits << 5) | std::uint64_t((*values)[i]);
    bits = unscramble(bits);

    DecodedCode decoded;
    decoded.version = int(take(bits, versionField));
    if (decoded.version == 0 || decoded.version > codeVersion)
        return Numeric::Refusal{"this code was made by a newer Orbiquest9 (code format "
                                + std::to_string(decoded.version) + "); this program reads format "
                                + std::to_string(codeVersion) + " and older"};
    decoded.kind = CodeKind(take(bits, kindField));
    decoded.settings.level = Level(int(take(bits, levelField)));
    decoded.settings.points = int(take(bits, pointsField));
    decoded.settings.noiseTenths = int(take(bits, noiseField));
    decoded.settings.cadence = Cadence(int(take(bits, cadenceField)));
    decoded.settings.closenessHelp = take(bits, helpField) != 0;
    decoded.settings.seed = std::uint32_t(take(bits, seedField));
    if (const auto wrong = refusal(decoded.settings))
        return Numeric::Refusal{"this code holds no challenge: " + wrong->reason};
    return decoded;
}

} // namespace Challenge

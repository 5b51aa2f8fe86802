#include "model/PartialLine.h"

#include "model/Conversion.h"

#include <numbers>
#include <string>

namespace ploq {

namespace {

constexpr double kHalfPi = std::numbers::pi / 2;

bool isLetter(char c)
{
    return c == 'N' || c == 'E' || c == 'S' || c == 'W';
}

// The characters that count, upper case, "," read as ".", NE and NW as N, SE and SW as S.
std::string kept(std::string_view text)
{
    std::string k;
    for (char c : text) {
        c = c == ',' ? '.' : c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
        if (std::string_view("*./0123456789?ENSW").find(c) == std::string_view::npos)
            continue;
        if ((c == 'E' || c == 'W') && !k.empty() && (k.back() == 'N' || k.back() == 'S'))
            continue;
        k.push_back(c);
    }
    return k;
}

std::string withoutLetters(std::string_view text)
{
    std::string rest;
    for (char c : text)
        if (!isLetter(c))
            rest.push_back(c);
    return rest;
}

// Degrees of a text made of digits and at most one ".", within [0, max] (or [0, max) when
// `open`); none otherwise.
bool angle(std::string_view text, double max, bool open, double& radians)
{
    if (text.find_first_of("0123456789") == std::string_view::npos
        || text.find_first_not_of("0123456789.") != std::string_view::npos)
        return false;
    double degrees = 0;
    if (!TryReadReal(text, degrees) || degrees > max || (open && degrees == max))
        return false;
    radians = degrees * kDegToRad;
    return true;
}

PartialLine numbered(PartialKind kind, std::string_view digits, char letter)
{
    const bool trend = kind == PartialKind::Trend;
    double value = 0;
    if (!angle(digits, trend ? 360 : 90, trend, value))
        return {};
    return {kind, value, letter};
}

} // namespace

PartialLine ReadPartialLine(std::string_view text, int frtL)
{
    const std::string k = kept(text);
    if (k.empty())
        return {};
    char letter = '\0';
    std::size_t at = std::string::npos;
    for (char wanted : {'N', 'S', 'E', 'W'})
        if ((at = k.find(wanted)) != std::string::npos) {
            letter = wanted;
            break;
        }

    // An unknown trend: only the plunge is given, and the letter picks one of its two lines.
    if (k.front() == '*' || k.front() == '?') {
        std::string_view rest = std::string_view(k).substr(1);
        if (frtL != 0 && !rest.empty() && rest.front() == '/')
            rest.remove_prefix(1);
        return numbered(PartialKind::Plunge, withoutLetters(rest), letter);
    }
    if (frtL != 0) {
        if (const std::size_t slash = k.find('/'); slash != std::string::npos) {
            if (slash > 0)
                return {PartialKind::Full, 0, letter};
            return numbered(PartialKind::Plunge, withoutLetters(k.substr(1)), letter);
        }
        if (letter)
            return numbered(PartialKind::Pitch, withoutLetters(k), letter);
        return numbered(PartialKind::Trend, k, letter);
    }
    if (!letter)
        return numbered(PartialKind::Trend, k, letter);
    if (at != 0 && at != k.size() - 1)
        return {PartialKind::Full, 0, letter};
    std::string rest = k;
    rest.erase(at, 1);
    return numbered(PartialKind::Pitch, rest, letter);
}

LinesInPlane PartialLineInPlane(const PartialLine& partial, const Direction& pole)
{
    const double strike = NormalizeTrend(pole.trend + kHalfPi);
    const double dip = kHalfPi - pole.plunge;
    LinesInPlane lines;
    switch (partial.kind) {
    case PartialKind::Trend: lines.first = ApparentDip(partial.value, pole); break;
    case PartialKind::Pitch:
        lines.first = PitchLetterToLine(partial.letter, partial.value, dip, strike);
        break;
    case PartialKind::Plunge: {
        const PlungeLines both = LineOfPlunge(partial.letter, partial.value, dip, strike);
        lines.first = {both.trend1, both.plunge};
        lines.second = {both.trend2, both.plunge};
        lines.choice = both.choice;
        return lines;
    }
    default: break;
    }
    lines.second = lines.first;
    return lines;
}

} // namespace ploq

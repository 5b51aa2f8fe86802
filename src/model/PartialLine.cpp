#include "model/PartialLine.h"

#include "model/Conversion.h"

#include <numbers>
#include <optional>
#include <string>

namespace ploq {

namespace {

constexpr double kHalfPi = std::numbers::pi / 2;

// The largest value a number may take, and whether it may take it.
struct Range {
    double max;
    bool maxIncluded;
};
constexpr Range kTrendRange{360, false};
constexpr Range kDirectionRange{360, true};
constexpr Range kRightAngle{90, true};
constexpr Range kBelowRightAngle{90, false};

// The characters that count, upper case, "," read as "."; NE and NW name the north end, SE and
// SW the south end.
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

bool isLetter(char c)
{
    return c == 'N' || c == 'E' || c == 'S' || c == 'W';
}

// The degrees of a text made of digits and at most one ".", within the range.
std::optional<double> degreesIn(std::string_view text, Range range)
{
    double degrees = 0;
    if (text.find_first_of("0123456789") == std::string_view::npos
        || text.find_first_not_of("0123456789.") != std::string_view::npos
        || !TryReadReal(text, degrees) || degrees > range.max
        || (!range.maxIncluded && degrees == range.max))
        return std::nullopt;
    return degrees;
}

PartialLine numbered(PartialKind kind, std::string_view text, Range range, char letter)
{
    const auto degrees = degreesIn(text, range);
    if (!degrees)
        return {};
    return {kind, *degrees * kDegToRad, letter};
}

// The kept text and its letter.
class Typed {
public:
    explicit Typed(std::string_view text) : k_(kept(text))
    {
        for (char wanted : {'N', 'S', 'E', 'W'})
            if ((at_ = k_.find(wanted)) != std::string::npos) {
                letter_ = wanted;
                break;
            }
    }
    const std::string& text() const { return k_; }
    char letter() const { return letter_; }
    bool letterAtAnEnd() const { return at_ == 0 || at_ + 1 == k_.size(); }
    // The marks of a plunge that lead the text: "*" or "?", then maybe a "/"; a "/" alone too
    // when `slashAlone`. Their length.
    std::size_t marks(bool slashAlone) const
    {
        std::size_t n = 0;
        if (n < k_.size() && (k_[n] == '*' || k_[n] == '?'))
            ++n;
        if (n < k_.size() && k_[n] == '/' && (n > 0 || slashAlone))
            ++n;
        return n;
    }
    // The text from `from` on, without letters.
    std::string bare(std::size_t from = 0) const
    {
        std::string rest;
        for (char c : std::string_view(k_).substr(from))
            if (!isLetter(c))
                rest.push_back(c);
        return rest;
    }
    // The text without the letter that names the end of a pitch: another letter is an error.
    std::string withoutLetter() const
    {
        std::string rest = k_;
        if (letter_)
            rest.erase(at_, 1);
        return rest;
    }

private:
    std::string k_;
    char letter_ = '\0';
    std::size_t at_ = std::string::npos;
};

PartialLine quadrantForm(const Typed& t)
{
    if (const std::size_t marks = t.marks(false))
        return numbered(PartialKind::Plunge, t.bare(marks), kBelowRightAngle, t.letter());
    if (!t.letter())
        return numbered(PartialKind::Trend, t.text(), kTrendRange, '\0');
    if (!t.letterAtAnEnd())
        return {PartialKind::Full, 0, t.letter()};
    return numbered(PartialKind::Pitch, t.withoutLetter(), kRightAngle, t.letter());
}

// "plunge/direction" (notation 1) or "direction/plunge" (2), each in range.
PartialLine wholeLine(const std::string& text, std::size_t slash, int frtL, char letter)
{
    const std::string_view first = std::string_view(text).substr(0, slash);
    const std::string_view second = std::string_view(text).substr(slash + 1);
    const auto plunge = degreesIn(frtL == 1 ? first : second, kRightAngle);
    const auto direction = degreesIn(frtL == 1 ? second : first, kDirectionRange);
    if (!plunge || !direction)
        return {};
    return {PartialKind::Full, 0, letter};
}

PartialLine slashForm(const Typed& t, int frtL, SlashReading reading)
{
    const bool pitchFirst = reading == SlashReading::PitchFirst;
    const std::size_t marks = t.marks(true);
    if (pitchFirst && t.letter())
        if (const PartialLine pitch =
                numbered(PartialKind::Pitch, t.bare(marks), kRightAngle, t.letter());
            pitch.kind != PartialKind::None)
            return pitch;
    if (marks > 0 && (!pitchFirst || t.text()[marks - 1] == '/')) {
        // The whole number is read: cutting it would make "*/0045" a plunge of 4.
        return numbered(PartialKind::Plunge, t.bare(marks), kRightAngle, t.letter());
    }
    const std::string bare = t.bare();
    if (const std::size_t slash = bare.find('/'); slash != std::string::npos)
        return wholeLine(bare, slash, frtL, t.letter());
    if (!pitchFirst && t.letter())
        return numbered(PartialKind::Pitch, bare, kRightAngle, t.letter());
    return numbered(PartialKind::Trend, t.bare(marks), kTrendRange, t.letter());
}

} // namespace

PartialLine ReadPartialLine(std::string_view text, int frtL, SlashReading reading)
{
    const Typed typed(text);
    return frtL == 0 ? quadrantForm(typed) : slashForm(typed, frtL, reading);
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

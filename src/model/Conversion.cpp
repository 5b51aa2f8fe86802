#include "model/Conversion.h"

#include "model/Trigo.h"
#include "model/TypesGlob.h"
#include "model/UtilGlob.h"

#include <climits>
#include <cmath>
#include <numbers>
#include <vector>

namespace ploq {

const char* const kPlaneNotationLabels[5] = {
    "Plane: strike quadrant dip",
    "Plane: dip/dip direction",
    "Plane: dip direction/dip",
    "Plane, its normal: plunge direction/plunge",
    "Plane, right hand rule: strike/dip",
};

const char* const kLineNotationLabels[3] = {
    "Line : strike quadrant plunge",
    "Line : plunge/plunge direction",
    "Line : plunge direction/plunge",
};

namespace {

constexpr double kPi = std::numbers::pi;
constexpr const char* kDeg = "\xB0"; // the degree sign in Windows-1252

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isQuadrantLetter(char c) { return c == 'E' || c == 'N' || c == 'S' || c == 'W'; }
char upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// A digit string as an integer, or false beyond the signed 32-bit range.
bool readInt32(std::string_view digits, long long& value)
{
    value = 0;
    for (char c : digits) {
        value = value * 10 + (c - '0');
        if (value > INT_MAX)
            return false;
    }
    return true;
}

// The text being decoded, consumed from its front.
class Tokens {
public:
    explicit Tokens(std::string text) : text_(std::move(text)) {}

    // Digits and separators from the front, never the last character.
    std::string takeNumber()
    {
        std::size_t n = 0;
        while (text_.size() - n >= 2 && (isDigit(text_[n]) || text_[n] == '.' || text_[n] == ','))
            ++n;
        return take(n);
    }
    // The run of quadrant letters at the front, upper-cased.
    std::string takeQuadrant()
    {
        std::size_t n = 0;
        while (n < text_.size() && isQuadrantLetter(upper(text_[n])))
            ++n;
        return UpperAscii(take(n));
    }
    void skipSeparator()
    {
        if (!text_.empty())
            text_.erase(0, 1);
    }
    std::string rest() { return take(text_.size()); }
    bool empty() const { return text_.empty(); }

private:
    std::string take(std::size_t n)
    {
        std::string front = text_.substr(0, n);
        text_.erase(0, n);
        return front;
    }

    std::string text_;
};

bool isOneOf(const std::string& q, std::initializer_list<const char*> set)
{
    for (const char* s : set)
        if (q == s)
            return true;
    return false;
}

double reduce360(double degrees) { return degrees >= 360.0 ? degrees - 360.0 : degrees; }

// Pole trend of a plane given by strike and dip quadrant (degrees).
double quadrantPlaneTrend(double strike, const std::string& q)
{
    const bool minus90 = (strike > 90 && isOneOf(q, {"W", "SW", "S"}))
                         || (strike <= 90 && isOneOf(q, {"E", "SE", "S"}));
    const double trend = minus90 ? strike - 90 : strike + 90;
    return trend < 0 ? trend + 360 : trend;
}

double quadrantLineTrend(double trend, const std::string& q)
{
    const bool kept = (trend >= 90 && isOneOf(q, {"S", "SE", "E"}))
                      || (trend < 90 && isOneOf(q, {"N", "NE", "E"}));
    return kept ? trend : trend + 180;
}

bool badPlaneQuadrant(double strike, const std::string& q)
{
    return (strike > 90 && isOneOf(q, {"SE", "NW"})) || (strike <= 90 && isOneOf(q, {"NE", "SW"}));
}

bool badLineQuadrant(double trend, const std::string& q)
{
    return (trend > 90 && isOneOf(q, {"NE", "SW"})) || (trend <= 90 && isOneOf(q, {"NW", "SE"}));
}

// Trend and plunge (degrees) from the two numbers of notations 1..4.
void twoNumberDirection(int notation, bool plane, double first, double second, double& trend,
                        double& plunge)
{
    switch (notation) {
    case 1:
        trend = plane ? reduce360(second + 180) : second;
        plunge = plane ? 90 - first : first;
        break;
    case 2:
        trend = plane ? reduce360(first + 180) : first;
        plunge = plane ? 90 - second : second;
        break;
    case 3:
        trend = first;
        plunge = second;
        break;
    default:
        trend = reduce360(first + 270);
        plunge = 90 - second;
        break;
    }
}

DirResult refuse(int number, std::string message) { return {false, 0, 0, number, std::move(message)}; }

// An azimuth of 360 is accepted as typed and means north: every reader of a direction (rose
// classes, trend bins) counts on a trend below a full turn.
DirResult accept(double trendDeg, double plungeDeg)
{
    return {true, NormalizeTrend(trendDeg * kDegToRad), plungeDeg * kDegToRad, -1, {}};
}

// Checks common to both decoders: an empty text, then the nature letter.
bool firstChecks(char letter, std::string_view text, DirResult& refusal)
{
    if (text.empty()) {
        refusal = refuse(1, " missing value...");
        return false;
    }
    if (!IsNatureLetter(letter)) {
        refusal = refuse(0, "error on the first character of \"nature\" code");
        return false;
    }
    return true;
}

int notationFor(char letter, const Notation& notation)
{
    return IsPlane(letter) ? notation.frtS : notation.frtL;
}

// The messages of the checked decoder, all but 0 and 1 headed by the typed text.
class Refusals {
public:
    explicit Refusals(std::string_view typed) : typed_(typed) {}
    DirResult operator()(int number) const
    {
        static const char* const tails[13] = {
            nullptr,
            nullptr,
            nullptr,
            " : strike must range from 0 to 180",
            " : strike or dip missing",
            " : wrong sense of dip",
            " : dip or plunge missing",
            " : wrong dip or plunge ",
            " : dip or plunge must range from 0 to 90",
            " : sense of dip doesn't fit given strike",
            " : sense of plunge doesn't fit given strike",
            " : strike cannot exceed 360",
            " : erroneous value...",
        };
        std::string text = typed_ + tails[number];
        if (number == 3 || number == 8 || number == 11)
            text += kDeg;
        return refuse(number, text);
    }

private:
    std::string typed_;
};

DirResult checkedQuadrant(bool plane, Tokens& tokens, const Refusals& refusal)
{
    const std::string strikeText = tokens.takeNumber();
    if (strikeText.empty())
        return refusal(4);
    double strike = 0;
    if (!TryReadReal(strikeText, strike))
        return refusal(12);
    if (strike > 180)
        return refusal(3);
    const std::string q = tokens.takeQuadrant();
    if (q.empty())
        return refusal(4);
    if (q.size() > 2)
        return refusal(5);
    const std::string dipText = tokens.rest();
    if (dipText.empty())
        return refusal(6);
    if (!isDigit(dipText.front()))
        return refusal(7);
    double dip = 0;
    if (!TryReadReal(dipText, dip))
        return refusal(12);
    if (dip > 90)
        return refusal(8);
    if (plane) {
        if (badPlaneQuadrant(strike, q))
            return refusal(9);
        return accept(quadrantPlaneTrend(strike, q), 90 - dip);
    }
    if (badLineQuadrant(strike, q))
        return refusal(10);
    return accept(quadrantLineTrend(strike, q), dip);
}

DirResult checkedTwoNumbers(int notation, bool plane, Tokens& tokens, const Refusals& refusal)
{
    const std::string firstText = tokens.takeNumber();
    tokens.skipSeparator();
    const bool nothingLeft = tokens.empty();
    const std::string secondText = tokens.takeNumber();

    double first = 0;
    double second = 0;
    const bool firstRead = TryReadReal(firstText, first);
    const bool secondRead = TryReadReal(secondText, second);
    const bool firstEmpty = firstText.empty();
    const bool secondEmpty = secondText.empty();

    // The checks of each notation, in the order they are made.
    struct Check {
        bool fails;
        int message;
    };
    std::vector<Check> checks;
    switch (notation) {
    case 1:
        checks = {{firstEmpty, 4}, {!firstRead, 12}, {first > 90, 8}, {secondEmpty, 12},
                  {!secondRead, 12}, {second > 360, 11}};
        break;
    case 2:
        checks = {{firstEmpty, 4}, {!firstRead, 12}, {first > 360, 11}, {nothingLeft, 12},
                  {!secondRead, 12}, {second > 90, 8}};
        break;
    case 3:
        checks = {{firstEmpty, 4}, {!firstRead, 12}, {first > 360, 11}, {secondEmpty, 12},
                  {!secondRead, 12}, {second > 90, 8}};
        break;
    default:
        checks = {{firstEmpty, 12}, {!firstRead, 12}, {first > 360, 11}, {nothingLeft, 12},
                  {secondEmpty, 4}, {!secondRead, 12}, {second > 90, 8}};
        break;
    }
    for (const Check& check : checks)
        if (check.fails)
            return refusal(check.message);
    double trend = 0;
    double plunge = 0;
    twoNumberDirection(notation, plane, first, second, trend, plunge);
    return accept(trend, plunge);
}

} // namespace

bool TryReadReal(std::string_view text, double& value)
{
    value = 0;
    std::string kept;
    int separators = 0;
    for (char c : text) {
        if (c == ',' || c == '.') {
            kept += '.';
            ++separators;
        } else if (isDigit(c)) {
            kept += c;
        }
    }
    if (separators > 1)
        return false;
    if (kept.empty())
        return true;
    const std::size_t point = kept.find('.');
    long long whole = 0;
    if (!readInt32(std::string_view(kept).substr(0, point), whole))
        return false;
    if (point == std::string::npos) {
        value = static_cast<double>(whole);
        return true;
    }
    const std::string decimals = (kept.substr(point + 1) + "00").substr(0, 2);
    value = static_cast<double>(whole) + ((decimals[0] - '0') * 10 + (decimals[1] - '0')) / 100.0;
    return true;
}

double ReadReal(std::string_view text)
{
    double value = 0;
    return TryReadReal(text, value) ? value : 0.0;
}

DirResult TextToDir(char letter, std::string_view text, const Notation& notation)
{
    DirResult refusal;
    if (!firstChecks(letter, text, refusal))
        return refusal;
    const bool plane = IsPlane(letter);
    const int n = notationFor(letter, notation);
    const Refusals refusals(text);
    if (n == 0) {
        Tokens tokens(UpperAscii(WithoutBlanks(text)));
        return checkedQuadrant(plane, tokens, refusals);
    }
    Tokens tokens(UpperAscii(WithoutBlanks(text)) + "/");
    return checkedTwoNumbers(n, plane, tokens, refusals);
}

DirResult CellToDir(char letter, std::string_view text, const Notation& notation)
{
    text = text.substr(0, kValueTextLength);
    DirResult refusal;
    if (!firstChecks(letter, text, refusal))
        return refusal;
    const bool plane = IsPlane(letter);
    const int n = notationFor(letter, notation);
    Tokens tokens(WithoutBlanks(text));
    const double first = ReadReal(tokens.takeNumber());
    if (n == 0) {
        const std::string q = tokens.takeQuadrant();
        const double dip = ReadReal(tokens.rest());
        if (plane)
            return accept(quadrantPlaneTrend(first, q), 90 - dip);
        return accept(quadrantLineTrend(first, q), dip);
    }
    tokens.skipSeparator();
    const double second = ReadReal(tokens.rest());
    double trend = 0;
    double plunge = 0;
    twoNumberDirection(n, plane, first, second, trend, plunge);
    return accept(trend, plunge);
}

namespace {

// Degrees from radians, cleared of the conversion's last-bit noise so that a typed 1.5 is
// still a half when it is rounded to an integer.
double degreesOf(double radians)
{
    return std::round(radians / kDegToRad * 1e9) / 1e9;
}

// The octant of a trend (radians), each upper bound included: 0 up to 22.5 degrees, ... 8
// above 337.5. The bounds are compared in cleaned degrees, so that a bound typed in degrees
// stays in its octant.
int octantOf(double trend)
{
    const double degrees = degreesOf(trend);
    int octant = 0;
    while (octant < 8 && degrees > 22.5 + 45.0 * octant)
        ++octant;
    return octant;
}

std::string writePair(bool decimals, double a, double b)
{
    return FormatAngle(decimals, degreesOf(a)) + " / " + FormatAngle(decimals, degreesOf(b));
}

std::string writeQuadrant(bool decimals, double a, const char* quadrant, double b)
{
    return FormatAngle(decimals, degreesOf(a)) + " " + quadrant + " "
           + FormatAngle(decimals, degreesOf(b));
}

} // namespace

std::string DirToText(bool decimals, bool plane, double plunge, double trend,
                      const Notation& notation)
{
    constexpr double twoPi = 2 * kPi;
    double e = trend;
    if (e > twoPi)
        e -= twoPi;
    const int n = plane ? notation.frtS : notation.frtL;
    switch (n) {
    case 1:
    case 2: {
        const double g = plane ? kPi / 2 - plunge : plunge;
        if (plane)
            e += kPi;
        if (e >= twoPi)
            e -= twoPi;
        return n == 1 ? writePair(decimals, g, e) : writePair(decimals, e, g);
    }
    case 3:
        return writePair(decimals, e, plunge);
    case 4:
        e -= 3 * kPi / 2;
        if (e < 0)
            e += twoPi;
        return writePair(decimals, e, kPi / 2 - plunge);
    default:
        break;
    }
    if (plane) {
        static const char* const dipQuadrants[9] = {" S", "SW", " W", "NW", " N",
                                                    "NE", " E", "SE", " S"};
        double strike = e + kPi / 2;
        if (strike >= twoPi)
            strike -= twoPi;
        if (strike > kPi)
            strike -= kPi;
        if (std::fabs(strike - kPi) < 0.000001)
            strike = 0;
        return writeQuadrant(decimals, strike, dipQuadrants[octantOf(e)], kPi / 2 - plunge);
    }
    static const char* const lineQuadrants[9] = {" N", "NE", " E", "SE", " S",
                                                 "SW", " W", "NW", " N"};
    const char* quadrant = lineQuadrants[octantOf(e)];
    if (e > kPi)
        e -= kPi;
    return writeQuadrant(decimals, e, quadrant, plunge);
}

std::string FormatAngle(bool decimals, double value)
{
    return decimals ? FormatFixed(value, 1) : FormatInt(value);
}

std::string FormatPrec(int precision, double value)
{
    if (precision == 0)
        return FormatInt(value);
    if (precision >= 1 && precision <= 3)
        return FormatFixed(value, precision);
    return {};
}

bool HasDecimalSeparator(std::string_view text)
{
    return text.find_first_of(".,") != std::string_view::npos;
}

std::string Renotate(char letter, std::string_view text, const Notation& from, const Notation& to,
                     bool decimals)
{
    const DirResult dir = CellToDir(letter, text, from);
    if (!dir.ok)
        return std::string(text);
    return DirToText(decimals, IsPlane(letter), dir.plunge, dir.trend, to);
}

} // namespace ploq

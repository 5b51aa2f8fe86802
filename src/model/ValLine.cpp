#include "model/ValLine.h"

#include "model/TypesGlob.h"
#include "model/UtilGlob.h"

#include <cmath>
#include <numbers>
#include <optional>
#include <utility>

namespace ploq {

const std::array<const char*, kVlMessageCount> kValLineMessages = {
    "show help",
    "hide help",
    "S1 and S2 are parallel...",
    "Intersection of the 2 planes : ",
    "their angle : ",
    "pitch of intersection on ",
    "L1 and  L2 are parallel...",
    "Plane defined by the 2 lines : ",
    "angle of the lines : ",
    "line",
    "error of format or value",
    "strike ",
    " in plane ",
    "pitch of the line : ",
    "plunge ",
    "pitch of the lines : ",
    "angle between plane and line : ",
    "pitch of the line : ",
    "lines ",
    " and ",
    "pitch of those lines : ",
    "angle between plane ",
    " and line ",
};

namespace {

constexpr double kHalfPi = std::numbers::pi / 2;
constexpr const char* kDegreeSign = "\xB0";
// Below this length the cross product of two unit vectors gives no direction: the inputs are
// the same plane or line, however they were typed.
constexpr double kParallel = 1e-6;
// A line this close to a plane (degrees) is taken as lying in it: its pitch is reported too.
constexpr double kInPlaneDeg = 3;

double degrees(double radians)
{
    return radians / kDegToRad;
}

std::string msg(ValLineMsg id)
{
    return kValLineMessages[id];
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The number in a part of a partial value, in degrees: it needs a digit.
std::optional<double> numberIn(std::string_view text)
{
    bool digit = false;
    for (char c : text)
        digit = digit || isDigit(c);
    double value = 0;
    if (!digit || !TryReadReal(text, value))
        return std::nullopt;
    return value;
}

// Upper case, "," read as ".", and only the characters a partial value is made of.
std::string cleanedPartial(std::string_view text)
{
    static constexpr std::string_view kept = "*./0123456789?ENSW";
    std::string s;
    for (char c : text) {
        c = c == ',' ? '.' : c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
        if (kept.find(c) != std::string_view::npos)
            s += c;
    }
    // NE and NW name the north end, SE and SW the south end.
    std::string reduced;
    for (std::size_t i = 0; i < s.size(); ++i) {
        reduced += s[i];
        if ((s[i] == 'N' || s[i] == 'S') && i + 1 < s.size()
            && (s[i + 1] == 'E' || s[i + 1] == 'W'))
            ++i;
    }
    return reduced;
}

// The first N, else the first S, else E, else W: its position, or npos.
std::size_t letterPosition(const std::string& s)
{
    for (char letter : {'N', 'S', 'E', 'W'})
        if (const std::size_t at = s.find(letter); at != std::string::npos)
            return at;
    return std::string::npos;
}

PartialValue partial(PartialKind kind, double valueDeg, char letter)
{
    return {kind, valueDeg * kDegToRad, letter};
}

PartialValue slashPartial(const std::string& s, int frtL, char letter)
{
    if (letter != 0)
        if (const auto q = numberIn(s); q && *q <= 90)
            return partial(PartialKind::Pitch, *q, letter);
    const std::size_t slash = s.find('/');
    if (slash == std::string::npos) {
        if (const auto t = numberIn(s); t && *t < 360)
            return partial(PartialKind::Trend, *t, letter);
        return {};
    }
    const std::string before = s.substr(0, slash);
    const std::string after = s.substr(slash + 1);
    if (!before.empty() && before != "*" && before != "?") {
        const auto first = numberIn(before);
        const auto second = numberIn(after);
        if (!first || !second)
            return {};
        const double plunge = frtL == 1 ? *first : *second;
        const double direction = frtL == 1 ? *second : *first;
        if (plunge <= 90 && direction <= 360)
            return {PartialKind::FullLine, 0, letter};
        return {};
    }
    if (const auto g = numberIn(after.substr(0, 3)); g && *g <= 90)
        return partial(PartialKind::Plunge, *g, letter);
    return {};
}

PartialValue quadrantPartial(std::string s, std::size_t at, char letter)
{
    if (!s.empty() && (s[0] == '*' || s[0] == '?')) {
        s.erase(0, 1);
        if (letter != 0)
            s.erase(s.find(letter), 1);
        if (const auto g = numberIn(s); g && *g < 90)
            return partial(PartialKind::Plunge, *g, letter);
        return {};
    }
    if (letter == 0) {
        if (const auto t = numberIn(s); t && *t < 360)
            return partial(PartialKind::Trend, *t, 0);
        return {};
    }
    if (at != 0 && at != s.size() - 1)
        return {PartialKind::FullLine, 0, letter};
    s.erase(at, 1);
    if (const auto q = numberIn(s); q && *q <= 90)
        return partial(PartialKind::Pitch, *q, letter);
    return {};
}

// The state of one computation: the query, and the texts every report line is made of.
class Calculation {
public:
    explicit Calculation(const ValLineQuery& query) : q_(query)
    {
        result_.text1 = query.text1;
        result_.text2 = query.text2;
    }

    ValLineResult twoPlanes();
    ValLineResult twoLines();
    ValLineResult planeAndLine();

private:
    struct Decoded {
        Direction dir;
        std::string text; // written again in the notation
    };
    std::optional<Decoded> decode(char letter, const std::string& text);
    std::string lineText(const Direction& d) const
    {
        return DirToText(q_.decimals, false, d.plunge, d.trend, q_.notation);
    }
    std::string angle(double radians) const { return FormatAngle(q_.decimals, degrees(radians)); }
    std::string pitchText(const Pitch& p) const
    {
        return std::string(1, p.letter) + angle(p.pitch);
    }
    void add(std::string line) { result_.lines.push_back(std::move(line)); }
    ValLineResult done(ValLineMode mode)
    {
        add("");
        result_.status = ValLineStatus::Done;
        result_.mode = mode;
        return result_;
    }
    ValLineResult refused() const
    {
        ValLineResult r;
        r.status = ValLineStatus::Refused;
        r.refusal = refusal_;
        r.text1 = q_.text1;
        r.text2 = q_.text2;
        return r;
    }
    enum class Pair { Refused, Parallel, Apart };
    // Both boxes decoded as planes or lines and written again; parallel ones are reported.
    Pair decodeBoth(char letter, ValLineMsg parallelMessage);
    void partialAnswer(const PartialValue& v, const std::string& typed, const std::string& plane);

    const ValLineQuery& q_;
    ValLineResult result_;
    DirResult refusal_;
};

std::optional<Calculation::Decoded> Calculation::decode(char letter, const std::string& text)
{
    const DirResult r = TextToDir(letter, text, q_.notation);
    if (!r.ok) {
        refusal_ = r;
        return std::nullopt;
    }
    return Decoded{{r.trend, r.plunge},
                   DirToText(q_.decimals, IsPlane(letter), r.plunge, r.trend, q_.notation)};
}

Calculation::Pair Calculation::decodeBoth(char letter, ValLineMsg parallelMessage)
{
    const auto first = decode(letter, q_.text1);
    if (!first)
        return Pair::Refused;
    const auto second = decode(letter, q_.text2);
    if (!second)
        return Pair::Refused;
    result_.text1 = first->text;
    result_.text2 = second->text;
    result_.d1 = first->dir;
    result_.d2 = second->dir;
    // The same plane or line may be typed in two ways (90/090 and 90/270): the cross product
    // tells what the texts cannot.
    const Vec3 c = Cross(DirToVec(second->dir), DirToVec(first->dir));
    if (first->text == second->text || std::sqrt(Dot(c, c)) < kParallel) {
        add(msg(parallelMessage));
        return Pair::Parallel;
    }
    return Pair::Apart;
}

ValLineResult Calculation::twoPlanes()
{
    switch (decodeBoth('S', kVlPlanesParallel)) {
    case Pair::Refused: return refused();
    case Pair::Parallel: return done(ValLineMode::None);
    case Pair::Apart: break;
    }
    const Direction line = NormalOf(result_.d1, result_.d2);
    result_.d3 = line;
    add(msg(kVlIntersection) + lineText(line));
    // The angle between the poles is the angle between the planes.
    const std::string a = angle(AngleBetween(result_.d1, result_.d2));
    add(msg(kVlTheirAngle) + (q_.decimals ? " " + a : a));
    for (const auto& [pole, text] :
         {std::pair{result_.d1, result_.text1}, {result_.d2, result_.text2}}) {
        const Pitch p = PitchOfLine(line, pole.trend);
        add(msg(kVlPitchOfIntersection) + text + " : " + p.letter + " " + angle(p.pitch)
            + (q_.decimals ? " " : ""));
    }
    return done(ValLineMode::TwoPlanes);
}

ValLineResult Calculation::twoLines()
{
    switch (decodeBoth('L', kVlLinesParallel)) {
    case Pair::Refused: return refused();
    case Pair::Parallel: return done(ValLineMode::None);
    case Pair::Apart: break;
    }
    const Direction pole = NormalOf(result_.d1, result_.d2);
    result_.d3 = pole;
    add(msg(kVlPlaneOfLines) + DirToText(q_.decimals, true, pole.plunge, pole.trend, q_.notation));
    add(msg(kVlAngleOfLines) + angle(AngleBetween(result_.d1, result_.d2)) + kDegreeSign);
    return done(ValLineMode::TwoLines);
}

ValLineResult Calculation::planeAndLine()
{
    const bool planeFirst = q_.plane1;
    const auto plane = decode('S', planeFirst ? q_.text1 : q_.text2);
    if (!plane)
        return refused();
    const std::string& typed = planeFirst ? q_.text2 : q_.text1;
    const PartialValue v = ReadPartialValue(typed, q_.notation.frtL);
    std::string& lineBox = planeFirst ? result_.text2 : result_.text1;
    result_.d1 = plane->dir;
    if (v.kind == PartialKind::FullLine) {
        const auto line = decode('L', typed);
        if (!line)
            return refused();
        lineBox = line->text;
        result_.d2 = line->dir;
    }
    (planeFirst ? result_.text1 : result_.text2) = plane->text;
    partialAnswer(v, typed, plane->text);
    switch (v.kind) {
    case PartialKind::NotUnderstood: return done(ValLineMode::None);
    case PartialKind::Plunge: return done(ValLineMode::PlaneAndTwoLines);
    default: return done(ValLineMode::PlaneAndLine);
    }
}

void Calculation::partialAnswer(const PartialValue& v, const std::string& typed,
                                const std::string& plane)
{
    const Direction pole = result_.d1;
    const double strike = NormalizeTrend(pole.trend + kHalfPi);
    const double dip = kHalfPi - pole.plunge;
    const std::string inPlane = msg(kVlInPlane) + plane;
    switch (v.kind) {
    case PartialKind::Trend: {
        result_.d2 = ApparentDip(v.value, pole);
        add(msg(kVlStrike) + typed + inPlane + " : " + lineText(result_.d2));
        add(msg(kVlPitchOfLine) + pitchText(PitchOfLine(result_.d2, pole.trend)));
        break;
    }
    case PartialKind::Pitch:
        result_.d2 = PitchLetterToLine(v.letter, v.value, dip, strike);
        add("pitch " + typed + inPlane + " : " + lineText(result_.d2));
        break;
    case PartialKind::Plunge: {
        const PlungeLines found = LineOfPlunge(v.letter, v.value, dip, strike);
        result_.d2 = {found.trend1, found.plunge};
        result_.d3 = {found.trend2, found.plunge};
        // The line the letter chose comes first, in the report and on the net.
        if (found.choice == 2)
            std::swap(result_.d2, result_.d3);
        const std::string head = msg(kVlPlunge) + FormatInt(degrees(found.plunge)) + inPlane + " :";
        if (found.trend1 == found.trend2) {
            add(head + " " + lineText(result_.d2));
            break;
        }
        add(head);
        add(msg(kVlLines) + lineText(result_.d2) + msg(kVlAnd) + lineText(result_.d3));
        const Pitch p2 = PitchOfLine(result_.d2, pole.trend);
        const Pitch p3 = PitchOfLine(result_.d3, pole.trend);
        add(msg(kVlPitchOfThoseLines) + p2.letter + " " + angle(p2.pitch) + msg(kVlAnd) + p3.letter
            + " " + angle(p3.pitch));
        break;
    }
    case PartialKind::FullLine: {
        const std::string& line = q_.plane1 ? result_.text2 : result_.text1;
        const double apart = std::fabs(kHalfPi - AngleBetween(pole, result_.d2));
        add(msg(kVlAngleBetweenPlane) + plane + msg(kVlAndLine) + line + " : " + angle(apart)
            + kDegreeSign);
        if (degrees(apart) < kInPlaneDeg)
            add(msg(kVlPitchOfLine2) + pitchText(PitchOfLine(result_.d2, pole.trend)));
        break;
    }
    case PartialKind::NotUnderstood: add(msg(kVlLine) + typed + ": " + msg(kVlFormatError)); break;
    }
}

} // namespace

std::string ValLinePlaneLabel(int frtS)
{
    switch (frtS) {
    case 0: return "planes : azimut quadrant dip";
    case 1: return "planes : dip/dip direction";
    default: return frtS >= 0 && frtS < 5 ? kPlaneNotationLabels[frtS] : "";
    }
}

std::string ValLineLineLabel(int frtL)
{
    switch (frtL) {
    case 0: return "lines : trend quadrant plunge (or partial value)";
    case 1: return "lines : Plunge/plunge direction (or partial value)";
    default: return frtL >= 0 && frtL < 3 ? kLineNotationLabels[frtL] : "";
    }
}

PartialValue ReadPartialValue(std::string_view text, int frtL)
{
    const std::string s = cleanedPartial(text);
    const std::size_t at = letterPosition(s);
    const char letter = at == std::string::npos ? 0 : s[at];
    return frtL == 0 ? quadrantPartial(s, at, letter) : slashPartial(s, frtL, letter);
}

ValLineResult ComputeValLine(const ValLineQuery& query)
{
    if (query.text1.empty() || query.text2.empty())
        return {};
    Calculation c(query);
    if (query.plane1 && query.plane2)
        return c.twoPlanes();
    if (!query.plane1 && !query.plane2)
        return c.twoLines();
    return c.planeAndLine();
}

} // namespace ploq

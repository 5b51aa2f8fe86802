#include "model/ValLine.h"

#include "model/PartialLine.h"
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
    void partialAnswer(const PartialLine& v, const std::string& typed, const std::string& plane);

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
    const PartialLine v = ReadPartialLine(typed, q_.notation.frtL, SlashReading::PitchFirst);
    std::string& lineBox = planeFirst ? result_.text2 : result_.text1;
    result_.d1 = plane->dir;
    if (v.kind == PartialKind::Full) {
        const auto line = decode('L', typed);
        if (!line)
            return refused();
        lineBox = line->text;
        result_.d2 = line->dir;
    }
    (planeFirst ? result_.text1 : result_.text2) = plane->text;
    partialAnswer(v, typed, plane->text);
    switch (v.kind) {
    case PartialKind::None: return done(ValLineMode::None);
    case PartialKind::Plunge: return done(ValLineMode::PlaneAndTwoLines);
    default: return done(ValLineMode::PlaneAndLine);
    }
}

void Calculation::partialAnswer(const PartialLine& v, const std::string& typed,
                                const std::string& plane)
{
    const Direction pole = result_.d1;
    const std::string inPlane = msg(kVlInPlane) + plane;
    switch (v.kind) {
    case PartialKind::Trend:
        result_.d2 = PartialLineInPlane(v, pole).chosen();
        add(msg(kVlStrike) + typed + inPlane + " : " + lineText(result_.d2));
        add(msg(kVlPitchOfLine) + pitchText(PitchOfLine(result_.d2, pole.trend)));
        break;
    case PartialKind::Pitch:
        result_.d2 = PartialLineInPlane(v, pole).chosen();
        add("pitch " + typed + inPlane + " : " + lineText(result_.d2));
        break;
    case PartialKind::Plunge: {
        const LinesInPlane found = PartialLineInPlane(v, pole);
        // The line the letter chose comes first, in the report and on the net.
        result_.d2 = found.chosen();
        result_.d3 = found.choice == 2 ? found.first : found.second;
        const std::string head =
            msg(kVlPlunge) + FormatInt(degrees(found.first.plunge)) + inPlane + " :";
        if (found.first.trend == found.second.trend) {
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
    case PartialKind::Full: {
        const std::string& line = q_.plane1 ? result_.text2 : result_.text1;
        const double apart = std::fabs(kHalfPi - AngleBetween(pole, result_.d2));
        add(msg(kVlAngleBetweenPlane) + plane + msg(kVlAndLine) + line + " : " + angle(apart)
            + kDegreeSign);
        if (degrees(apart) < kInPlaneDeg)
            add(msg(kVlPitchOfLine2) + pitchText(PitchOfLine(result_.d2, pole.trend)));
        break;
    }
    case PartialKind::None: add(msg(kVlLine) + typed + ": " + msg(kVlFormatError)); break;
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

#pragma once

// The line-or-plane calculator: the everyday questions of field work on two typed values.
// Two planes give their intersection and angle; two lines the plane through them; a plane and
// a line the angle between them, or, when the line is known only in part (a trend, a pitch or a
// plunge), the line of the plane that fits it.
//
// Directions are (trend, plunge) in radians, planes by their pole; texts are in the notations
// given and are written back with one decimal or as integers. Nothing here knows of a window:
// the calculator window and the command line both map their inputs to a ValLineQuery.

#include "model/Conversion.h"
#include "model/Trigo.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace ploq {

// The calculator's messages, in the order of its message list.
enum ValLineMsg : int {
    kVlShowHelp,
    kVlHideHelp,
    kVlPlanesParallel,
    kVlIntersection,
    kVlTheirAngle,
    kVlPitchOfIntersection,
    kVlLinesParallel,
    kVlPlaneOfLines,
    kVlAngleOfLines,
    kVlLine,
    kVlFormatError,
    kVlStrike,
    kVlInPlane,
    kVlPitchOfLine,
    kVlPlunge,
    kVlPitchOfLines,
    kVlAngleOfPlaneAndLine,
    kVlPitchOfLine2,
    kVlLines,
    kVlAnd,
    kVlPitchOfThoseLines,
    kVlAngleBetweenPlane,
    kVlAndLine,
    kVlMessageCount
};
extern const std::array<const char*, kVlMessageCount> kValLineMessages;

// The labels that name the notations in force beside the two boxes.
std::string ValLinePlaneLabel(int frtS);
std::string ValLineLineLabel(int frtL);

enum class ValLineMode : int {
    None = 0,
    TwoPlanes = 1,
    TwoLines = 2,
    PlaneAndLine = 3,
    PlaneAndTwoLines = 4 // D2 the chosen line, D3 the other
};

struct ValLineQuery {
    std::string text1; // Data 1
    std::string text2; // Data 2
    bool plane1 = true;
    bool plane2 = false;
    Notation notation;
    bool decimals = false; // results with one decimal, else integers
};

enum class ValLineStatus {
    Nothing, // an empty box: nothing to do
    Refused, // a text TextToDir refused; `refusal` says why and nothing was computed
    Done
};

struct ValLineResult {
    ValLineStatus status = ValLineStatus::Nothing;
    DirResult refusal;
    // The boxes as they are to read afterwards (a decoded plane or line is written again).
    std::string text1;
    std::string text2;
    // The report, ending with an empty line.
    std::vector<std::string> lines;
    // D1 the first datum or the plane, D2 the second datum or the line, D3 the intersection,
    // the pole of the plane through the lines, or the second line.
    Direction d1;
    Direction d2;
    Direction d3;
    ValLineMode mode = ValLineMode::None;
};

// What "go" computes for the two boxes.
ValLineResult ComputeValLine(const ValLineQuery& query);

} // namespace ploq

#pragma once

// A circle fitted by hand on a canvas (a great circle by tracking its pole or through two
// points, a small circle on a grid) and kept: the two entries it leaves (the circle and its
// pole), what the keep dialog remembers, its report, and the choice of the records close to it
// that are then listed or underlined.

#include "app/VarGlob.h"
#include "canvas/Plot.h"
#include "canvas/UtilPlot.h"
#include "model/Conversion.h"
#include "platform/Clock.h"

#include <array>
#include <numbers>
#include <string_view>
#include <vector>

namespace ploq {

// The circle types: the characters "+", "-" and "/" are the kinds of their circle entries
// (43, 45, 47); the next character is the kind of the pole entry.
inline constexpr char kManualGreatCircle = '+';
inline constexpr char kManualSmallCircle = '-';
inline constexpr char kManualTwoPoints = '/';

bool IsManualCircleType(char type);
// "Great circle", "Small circle", "Great circle by 2 points".
std::string_view ManualCircleCaption(char type);

struct ManualCircle {
    char type = kManualGreatCircle;
    Direction pole;                         // the pole of a great circle, a small circle's axis
    double aperture = std::numbers::pi / 2; // a small circle's; a great circle has pi/2
};

// The "Maximum offset :" choices in degrees.
inline constexpr std::array<int, 7> kClosestOffsets{2, 4, 6, 8, 10, 15, 20};
inline constexpr int kDefaultClosestOffset = 4;

// Which records close to the circle are shown afterwards, and how close they must be.
struct ClosestValues {
    int maxOffset = kDefaultClosestOffset; // degrees
    bool list = false;
    bool underline = true;
    friend bool operator==(const ClosestValues&, const ClosestValues&) = default;
};

struct ManualCircleChoices {
    bool decimals = false;
    bool tailed = false;
    bool plotPole = true;
    int colour = 0;
    int symbol = 101;
    ClosestValues closest;
    friend bool operator==(const ManualCircleChoices&, const ManualCircleChoices&) = default;
};

// The dialog opens with the colour remembered for the circle's kind, the symbol for its pole's
// (both under 47 for a circle through two points), the decimals and tailed boxes of OptAdd,
// the pole plotted and the closest records underlined within 4 degrees.
ManualCircleChoices InitialManualChoices(char type, const VarGlob& settings);
// Closing the dialog remembers the colour, the symbol and the two boxes.
void StoreManualChoices(char type, const ManualCircleChoices& choices, VarGlob& settings);

// The two entries, not yet numbered: the circle (visible, pen width 1, x[1] the aperture) and
// its pole (shown when "plot the pole" is ticked), which also keeps the pole's pixel, the
// aperture and the closest-values choice for the search that follows.
std::vector<InfoAdd> ManualCircleEntries(const ManualCircle& circle,
                                         const ManualCircleChoices& choices, Point polePixel);
// OK: appends both and sets the undo record to take them back. False, nothing changed, when
// they do not fit or the type is unknown.
bool KeepManualFit(CanvasModel& canvas, const ManualCircle& circle,
                   const ManualCircleChoices& choices);

// The bold heading and the pole line (with the aperture for a small circle).
std::vector<InfoLine> ManualCircleReport(const ManualCircle& circle, const Notation& notation,
                                         bool decimals, DayCount now);

} // namespace ploq

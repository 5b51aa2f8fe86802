#pragma once

// Typing fault/striae pairs into a data sheet: the fault plane in any plane notation, the striae
// as a whole line or as a partial one that names a line of the plane (a trend, a pitch, a
// plunge), the sense and qualifiers written into both natures. Nothing here shows anything but
// the one question asked through the prompts; a refusal comes back as the message to show.

#include "app/VarGlob.h"
#include "faults/Faults.h"
#include "model/Conversion.h"
#include "model/DataSheet.h"
#include "model/Trigo.h"
#include "platform/Prompts.h"

#include <optional>
#include <string>
#include <string_view>

namespace ploq {

// How entered values are written back: the notations and whether the sheet shows decimals (a
// value typed with a decimal separator keeps one decimal anyway).
struct EntryStyle {
    Notation notation;
    bool showDecimals = false;
};

// The striae read against its fault plane.
struct StriaeReading {
    bool ok = false;
    Direction line;
    std::string text; // the line written in the notation of lines
    // A whole line: its angle to the plane, degrees; the other forms lie in the plane.
    std::optional<double> fsAngleDeg;
    Message message; // refused: what to tell
};

// A whole line is refused when it lies more than `maxFSDeg` (as shown, to 0.1 degree) off the
// plane; the other forms are refused only when not understood.
StriaeReading ReadStriae(std::string_view text, const Direction& pole, const EntryStyle& style,
                         int maxFSDeg);

// The angle of a line to a plane, degrees 0..90: the deviation from the plane, whichever side
// of the pole the line lies.
double FaultStriaeAngleDeg(const Direction& pole, const Direction& line);

// "F-S angle : 2.5°".
std::string FSAngleLabel(double degrees);
inline constexpr std::string_view kFSAngleZero = "F-S angle : 0\xB0";

// What the fault dialog's controls hold.
struct FaultForm {
    std::string number = "1";
    std::string fault;
    std::string striae;
    FaultCodes codes;
    bool lightCode = false;
    bool autoComment = false; // the striae row takes the fault comment
    std::string location;
    std::string faultComment;
    std::string striaeComment;
    int maxFSDeg = 4;
};

// A new form with the choices the settings remember between sessions: the confidence letters
// (OptFltCodes characters 1-3, a non-letter reading the default F, M, B), the confidence
// (character 4: 5 low, 6 normal, 7 high, anything else none), the largest F-S angle (MaxFS,
// 1..20), the striae comment, qualifiers and light code (StyleFlt bits).
FaultForm RememberedFaultForm(const VarGlob& settings);

// One row of a pair, as it goes into the sheet.
struct PairRow {
    std::string value;
    std::string nature;
    std::string number;
    std::string location;
    std::string comment;
    Direction direction;
};

struct FaultPairEntry {
    bool ok = false;
    PairRow plane;
    PairRow striae;
    // The fault and striae texts and the F-S label as the dialog shows them afterwards: the fault
    // is written in the notation once it was read, the striae once it was accepted.
    std::string faultText;
    std::string striaeText;
    std::string fsLabel;
    std::optional<Message> message; // refused: what to tell (none when the user said No)
    bool faultRefused = false;      // the message is about the fault text
};

// The pair the form describes, checked as a whole before anything is added: a number is
// mandatory; the fault must decode as a plane; a dip of 0 degrees is asked about (Yes/No); a
// normal or reverse fault cannot dip 90 degrees; the striae must be understood and, as a whole
// line, lie within the largest F-S angle of the plane. Codes are cut to 9 characters.
FaultPairEntry PrepareFaultPair(const FaultForm& form, const EntryStyle& style, Prompts& prompts);

// Appends the two rows to the sheet (the blank row of an empty sheet taking the plane), with
// their directions, numbered and marked changed. A sheet without room for both rows takes
// neither: the message to tell.
std::optional<Message> AppendFaultPair(DataSheet& sheet, const FaultPairEntry& entry);

// The fault number as typed: a text starting with "-" or with any other non-digit is refused
// with the message to tell (the dialog then writes "1").
std::optional<std::string> FaultNumberRefusal(std::string_view number);
// "+1" and "-1" on a fault number: "12a" gives "13a" and "11a", an empty text "1".
std::string StepFaultNumber(std::string_view number, int step);

inline constexpr std::string_view kMsgNumberMandatory = "fault number is mandatory !";
inline constexpr std::string_view kMsgZeroDip =
    "Dip of the fault is zero value. Possible problems in data processing. You maintain ?";
inline constexpr std::string_view kMsgVerticalDipSlip =
    "Caution : a reverse or normal fault can't dip at 90\xB0. Choose 89\xB0...";

} // namespace ploq

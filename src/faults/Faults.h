#pragma once

// Fault/striae pairs. A fault is no record of its own: it is two consecutive measurements, the
// fault plane then the striae (slickenline) on it, both carrying the sense of movement in their
// nature code. The plane's nature is "F" followed by three characters (sense, confidence,
// chronology), the striae's "L" followed by the same three, or "L" alone (the light code).
//
//   sense       N normal, R reverse ("I" in older data reads reverse too), D dextral,
//               S sinistral, "." unknown; a nature "F" alone is of unknown sense
//   confidence  the first character of the weak, medium or strong letter (default F, M, B)
//   chronology  the first digit of the chronology number 1..4
//
// An absent qualifier is ".": a normal fault of medium confidence, chronology 2, is FNM2 on its
// plane row and LNM2 on its striae row.

#include "model/DataSheet.h"
#include "model/TypesGlob.h"
#include "platform/Prompts.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ploq {

enum class Sense { Normal, Reverse, Dextral, Sinistral, Unknown };

// "N", "R", "D", "S" or "." for unknown.
char SenseLetter(Sense sense);
// The sense a letter names (either case; "I" is reverse, "." unknown), none for any other.
std::optional<Sense> SenseOfLetter(char letter);

// The sense a nature code carries in its second character: unknown for a one-character code,
// none when that character names no sense.
std::optional<Sense> SenseOfNature(std::string_view nature);

enum class Confidence { None, Low, Normal, High };

// What the entry dialog writes after "F" or "L": the sense letter, then (with `addToCode`) the
// first character of the confidence letter and of the chronology number (1..4), each "."
// when absent. Low takes the weak letter, Normal the medium one, High or none the strong one.
struct FaultCodes {
    Sense sense = Sense::Normal;
    Confidence confidence = Confidence::None;
    int chronology = 0;
    bool addToCode = false;
    std::array<std::string, 3> letters = {"F", "M", "B"}; // weak, medium, strong
};
std::string NatureCharacters(const FaultCodes& codes);
// "F" and the three characters.
std::string PlaneNature(const FaultCodes& codes);
// "L" and the three characters, or "L" alone with the light code.
std::string StriaeNature(const FaultCodes& codes, bool lightCode);

// Where a fault tool reads the sense of a pair.
enum class SenseRow { Plane, Striae };

enum class FaultTool {
    DihedraCalculate, // right dihedra and its node removal
    StriaeRakes,
    HangingWall,
    StressExport,
    PTAxes,
    RakeHistogram,
    TektonicExport,
    YamajiExport,
    DihedraValueAt, // the right-dihedra value at a direction (clicks, density contours)
};
SenseRow SenseRowOf(FaultTool tool);

// A fault and its striae: records `first` and `first` + 1 (1-based) of a data set.
struct FaultPair {
    int first = 0;
    const InfoVal* plane = nullptr;
    const InfoVal* striae = nullptr;

    // The sense read on that row; read on the striae row, a striae with the light code (no
    // sense character) gives its plane's. A character that names no sense reads unknown.
    Sense sense(SenseRow row) const;
    Sense sense(FaultTool tool) const { return sense(SenseRowOf(tool)); }
};

// The pairs of the records, two by two from the first; an odd last record belongs to none.
std::vector<FaultPair> FaultPairs(std::span<const InfoVal> records);

// The rows of a data sheet as records (direction and codes), rows 1..N as entries 0..N-1; an
// empty sheet has none. A row without a valid direction (its value empty, or edited into text
// that does not read) has a NaN direction, which the sheet's pair check refuses.
std::vector<InfoVal> SheetRecords(const DataSheet& sheet);

// The outcome of a pair check: whether the tool may run, the message to show (a refusal, or,
// for a canvas, the count of unknown senses with the tool still running) and the record at
// fault (1-based).
struct PairCheck {
    bool ok = false;
    std::optional<Message> message;
    int at = 0;
    int unknownSenses = 0;
};

// A data sheet's rows must come in pairs: an even count, each plane nature "F" (alone, or with
// a sense character), each striae nature starting with "L", and every row a valid direction.
// The first fault found refuses.
PairCheck CheckSheetPairs(std::span<const InfoVal> rows);
// A canvas's records must come in pairs likewise; the faults found of unknown sense are
// counted and told, and the tool runs.
PairCheck CheckCanvasPairs(std::span<const InfoVal> records);

// The confidence and chronology a nature carries after its sense. The entry dialog writes the
// confidence third and the chronology fourth, older data the other way round: the confidence is
// the third or else the fourth character when it is one of the letters (weak, medium, strong,
// compared in either case, the strong letter first), the chronology the fourth or else the
// third character that is a digit 1-9 and not the confidence (0 when none).
struct NatureQualifiers {
    Confidence confidence = Confidence::None;
    int chronology = 0;
};
NatureQualifiers QualifiersOfNature(std::string_view nature, std::string_view letters);

// The layouts read by three fault-inversion programs.
enum class FaultLayout { StressThV, Tektonic, Yamaji };

// The lines of a layout for the pairs of checked sheet rows (CheckSheetPairs), in order; the
// Tektonic layout opens with ten ";" lines. `letters` are the weak, medium and strong
// confidence letters (the first three characters of OptFltCodes).
//   Stress ThV  site, number, quality, sense, chronology, dip direction, dip, typed striae
//               trend, then zeros; all read on the fault row
//   Tektonic    sense and quality codes, dip direction, dip, striae trend and plunge
//   Yamaji      dip direction, dip, striae trend and plunge, sense letter
// Tektonic and Yamaji give the striae rebuilt in the plane from its pitch, and read the sense
// and qualifiers on the striae row, or on the fault row when the striae row names no sense
// (light code "L", ".", or an unknown character).
std::vector<std::string> FaultExportLines(FaultLayout layout, std::span<const InfoVal> rows,
                                          std::string_view letters);

// The title of the text window of an export of the sheet titled so.
std::string FaultExportTitle(FaultLayout layout, std::string_view sheetTitle);

inline constexpr std::string_view kMsgOddSheet =
    "Odd number of values in the datasheet : not only faults+striae pairs ?";
inline constexpr std::string_view kMsgOddCanvas =
    "Odd number of values in the canvas : not only faults+striae pairs ?";

} // namespace ploq

#pragma once

// Text files of measurements made into data sheets, and a data sheet written out as aligned text.
//
// Two importers read one measurement per line. "Raw data" holds orientations only, every line a
// plane or every line a line; "Ploq data" holds up to seven fields split by one separator
// character: the value and the four codes, at the field numbers the settings give (counted from
// 1). Lines end in CR LF, LF or CR; reading stops at the end of the file or at its first empty
// line. Files are Windows-1252 bytes and numbers read the same in every locale.
//
// Nothing here shows anything: an import gives a finished sheet, or the message that refuses the
// file and the line it names; the caller makes the window. A file that an export wrote (its
// first line starts "Ploq file : ") imports back as the sheet it came from.

#include "app/VarGlob.h"
#include "model/DataSheet.h"
#include "platform/Prompts.h"

#include <array>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ploq {

// --- Value formats -----------------------------------------------------------------------

// Formats of the value fields, numbered as the import settings (IpFR, IpFS) number them.
constexpr int kPlaneFormatCount = 7;
constexpr int kLineFormatCount = 4;
// Their captions, as the import and options dialogs show them.
extern const std::array<const char*, kPlaneFormatCount> kPlaneFormatLabels;
extern const std::array<const char*, kLineFormatCount> kLineFormatLabels;

// The format a plane value is read in: formats beyond 0..6 read as 0.
int PlaneFormatOf(int format);
// The format a line value is read in. Formats 4..6 have no line form of their own: lines are
// read in the line format whose numbers come in the same order (4 as 2, 5 and 6 as 3).
int LineFormatOf(int format);
// The fields a value takes: 1 for format 0, 3 for format 1, 2 for the others.
int ValueFieldCount(int format);

// The separator of IpSep (0 tabulation, 1 "/", 2 "-") and its name in the import dialog.
char SeparatorOf(int ipSep);
const char* SeparatorName(int ipSep);

struct RawLayout {
    char separator = '/';
    int format = 0;
    bool planes = false;     // every line a plane; otherwise every line a line
    bool numberRows = false; // row k gets k as its number code
};

struct PloqLayout {
    char separator = '/';
    int format = 0;
    // Field numbers, 1..kPloqFieldCount.
    int value = 2;
    int nature = 1;
    int number = 3;
    int location = 4;
    int comment = 5;
};

// The layouts the settings choose (IpSep, IpFR, IpIsS, bit 16 of StyleGene; IpFS, IpVal...).
RawLayout RawLayoutOf(const VarGlob& settings);
PloqLayout PloqLayoutOf(const VarGlob& settings);

// Why no line could be read with the layout (a field beyond 1..7, or value fields running past
// field 7), or none.
std::optional<std::string> PloqLayoutProblem(const PloqLayout& layout);

// The four labels of the import dialog, saying what the file must hold: the plane format, the
// line format, the fields or the kind of raw data, and the separator.
std::array<std::string, 4> ImportLabels(const VarGlob& settings, bool raw, bool planes);

// --- One line ------------------------------------------------------------------------------

// A value read from a line: a direction (radians; a plane by its pole, plunge 0..pi/2, trend
// 0..2 pi), or why it was refused ("\"95\" : dip or plunge must range from 0 to 90°").
struct LineValue {
    bool ok = false;
    double trend = 0;
    double plunge = 0;
    std::string problem;
};

// A quadrant text ("120 S 10"), decoded as notation 0 decodes it; a strike above 180, a dip or
// plunge above 90 or a number that does not read is refused.
LineValue DecodeQuadrant(bool plane, std::string_view text);
// The two numbers of formats 2..6 (lines: 2 and 3); a dip or plunge above 90, an azimuth above
// 360 or a number that does not read is refused.
LineValue DecodeNumbers(bool plane, int format, std::string_view first, std::string_view second);
// A line of raw data: format 0 one quadrant text, format 1 the quadrant text in three fields,
// formats 2..6 the first two fields, refused without a separator.
LineValue DecodeRawLine(const RawLayout& layout, std::string_view line);

// A row read from a line: its value and its codes (at most 9 characters each). A row of Ploq
// data is a plane when its nature starts with F, P or S (either case); the codes of an exported
// file lose the blanks that aligned them.
struct PloqRow {
    LineValue value;
    bool plane = false;
    std::string nature;
    std::string number;
    std::string location;
    std::string comment;
};
PloqRow ParsePloqLine(const PloqLayout& layout, std::string_view line, bool exported = false);

// --- Importers -----------------------------------------------------------------------------

// A refused file (its message, and the line it names, 0 for the file as a whole), or a finished
// sheet with, at most, a remark to show (the rows beyond the sheet's capacity were left).
struct ImportOutcome {
    bool ok = false;
    Message message;
    int line = 0;
    DataSheet sheet;
};

inline constexpr std::string_view kMsgUnableToOpen =
    "Unable to open this file...May be already open in another application ?";
inline constexpr std::string_view kExportFirstLine = "Ploq file : ";

// The file at `path` (its name titles the sheet and the messages) read into `sheet`, a new sheet
// as NewDataSheet makes it: values written in its notation with its decimals, rows numbered and
// changed, the sheet dirty and titled with the file name less its extension + " (imported)".
// Raw rows get the nature "S" or "L".
ImportOutcome ImportRaw(std::istream& in, const std::string& path, const RawLayout& layout,
                        DataSheet sheet);
ImportOutcome ImportPloqText(std::istream& in, const std::string& path, const PloqLayout& layout,
                             DataSheet sheet);
// The same from the file itself; a file that cannot be opened is refused.
ImportOutcome ImportRawFile(const std::string& path, const RawLayout& layout, DataSheet sheet);
ImportOutcome ImportPloqFile(const std::string& path, const PloqLayout& layout, DataSheet sheet);

// --- Export --------------------------------------------------------------------------------

// The sheet as aligned text: four header lines, then one line per row (nature, value, number,
// location and comment split by tabulations). Refused, naming the row, when a row has no valid
// direction.
struct ExportOutcome {
    bool ok = false;
    Message message;
    std::vector<std::string> lines; // Windows-1252, without line ends
};
ExportOutcome ExportSheetLines(const DataSheet& sheet, std::string_view title);
// Each line followed by CR LF; false when the stream failed.
bool WriteSheetText(std::ostream& out, const std::vector<std::string>& lines);

} // namespace ploq

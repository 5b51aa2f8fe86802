#pragma once

// Data sheet files (".plq"): fixed 56-byte little-endian records, record 0 the header with the
// creation and modification times, records 1..N the measurements in row order. The value text of
// a row is not stored: it is written again from the trend and plunge in the sheet's notation.
//
// Nothing here shows anything: every operation returns what went wrong as data, and a refused
// operation leaves both the sheet and the file as they were.

#include "model/DataSheet.h"
#include "model/TypesGlob.h"
#include "platform/Clock.h"

#include <array>
#include <cstddef>
#include <iosfwd>
#include <span>
#include <string>
#include <vector>

namespace ploq {

constexpr std::size_t kPlqRecordSize = 56;
using PlqBytes = std::array<unsigned char, kPlqRecordSize>;

struct PlqHeader {
    DayCount created = 0;
    DayCount modified = 0;
};

// One measurement as stored: trend and plunge in radians (a plane by its pole) and the codes.
struct PlqRecord {
    double azi = 0;
    double pen = 0;
    St9 na; // nature
    St9 nu; // number
    St9 lo; // location
    St9 co; // comment
};

PlqBytes EncodeHeader(const PlqHeader& header);
PlqHeader DecodeHeader(const PlqBytes& bytes);
PlqBytes EncodeRecord(const PlqRecord& record);
// A length byte above 9 is taken as 9; `lengthClamped` tells whether that happened.
PlqRecord DecodeRecord(const PlqBytes& bytes, bool& lengthClamped);

// What can go wrong, or be repaired, with a data sheet file.
enum class FileIssue {
    None,
    OpenFailed,     // refused: the file cannot be opened
    ReadFailed,     // refused: reading stopped on an input error
    TooShort,       // refused: no whole header record
    TooManyRecords, // refused: more measurements than a sheet holds
    WriteFailed,    // refused: the new file could not be written or put in place
    RowRefused,     // refused: a row's nature code is wrong, or it holds no direction
    ValueRefused,   // refused: a row's value text does not decode (the decoder's message)
    NegativeTrend,  // loaded: trends below 0 repaired in memory
    OutOfRange,     // loaded: trends or plunges out of range brought to the same axis
    Unreadable,     // loaded: non-finite trend or plunge, value left empty to be typed again
    BadNature,      // loaded: missing or unknown nature code, shown as a line
    LongCode,       // loaded: code length byte above 9, cut to 9 characters
    PartialRecord,  // loaded: bytes after the last whole record ignored
};

struct FileProblem {
    FileIssue issue = FileIssue::None;
    std::string message;   // Windows-1252 text for the message box
    std::vector<int> rows; // sheet rows concerned (1..N), empty for the file as a whole
};

// The outcome of a load or a save: a refusal with its reason, or success with the remarks the
// user should see (each shown once, naming its rows).
struct FileOutcome {
    bool ok = false;
    FileProblem error;
    std::vector<FileProblem> warnings;

    bool has(FileIssue issue) const;
};

inline constexpr std::string_view kMsgNegativeAz =
    "Some lines with a negative Az value (internal file format)...\r Use \"Save as\" to fix the "
    "problem";

// The records of a file as read, before they become rows.
struct PlqContents {
    bool ok = false;
    FileProblem error;
    PlqHeader header;
    std::vector<PlqBytes> raw;     // the measurement records, raw[k - 1] is record k
    std::size_t trailingBytes = 0; // after the last whole record
};

// Reads whole records up to the end of the stream: refuses a stream without a whole header or
// with more than kMaxValues measurements, and reads no further than that.
PlqContents ReadPlq(std::istream& in);
// The header then the records; false when the stream failed.
bool WritePlq(std::ostream& out, const PlqHeader& header, const std::vector<PlqRecord>& records);

// The stored direction as it is loaded: a negative trend t becomes 2 pi - |t|; a finite direction
// out of range becomes the same axis with its plunge in 0..pi/2 and its trend in 0..2 pi.
enum class DirRepair { None, NegativeTrend, OutOfRange, Unreadable };
DirRepair RepairStoredDir(double& trend, double& plunge);

// Fills the sheet from a file's records in the sheet's notation, column order and decimals
// setting; the rows are numbered and the sheet left clean. On refusal the sheet is unchanged.
FileOutcome LoadSheetStream(std::istream& in, DataSheet& sheet);
// As LoadSheetStream; on success `lNomF` becomes the path.
FileOutcome LoadSheetFile(const std::string& path, DataSheet& sheet);

// "Save as": a new file created now. Rows whose value text changed (state 2) are decoded again
// first; any row that fails refuses the whole save. On success every row is saved (state 0), the
// decoded cells are written again in the notation and the sheet is clean.
FileOutcome SaveSheetStream(DataSheet& sheet, std::ostream& out, const Clock& clock);
// As SaveSheetStream, into a temporary file renamed onto the path, so that a failed save leaves
// any earlier file whole. On success `lNomF` becomes the path.
FileOutcome SaveSheetAsFile(DataSheet& sheet, const std::string& path, const Clock& clock);

// The in-place update: the previous file's creation time is kept, the changed rows are written
// and the unchanged ones keep their records as they are in the file; the result holds exactly
// the sheet's rows.
FileOutcome UpdateSheetStream(DataSheet& sheet, std::istream& previous, std::ostream& out,
                              const Clock& clock);
// The in-place update of `lNomF`, written as a new file and renamed into place.
FileOutcome UpdateSheetFile(DataSheet& sheet, const Clock& clock);

// "Friday, May 10, 2024,   14:05": the long date, three blanks and the short time.
std::string LongDateTime(DayCount days);
// The lines the main window shows after a load: a blank line, "File " and the path, and the
// dates with the number of measurements.
std::vector<std::string> FileInfoLines(const std::string& path, const DataSheet& sheet);

// The recently used files, latest first and without gaps: the path goes first, moved up when it
// is listed already, else pushing the others down and the last one out. False when nothing
// changed (an empty path, or the path first already).
bool AddRecent(std::span<std::string> recents, const std::string& path);

// "3, 7, 12": the rows of a problem, at most `shown` of them followed by "...".
std::string RowListText(const std::vector<int>& rows, std::size_t shown = 20);

} // namespace ploq

#include "datasheet/ImportExport.h"

#include "app/MenuState.h"
#include "datasheet/SheetEntry.h"
#include "datasheet/Texte.h"
#include "model/Conversion.h"
#include "model/UtilGlob.h"

#include <algorithm>
#include <fstream>
#include <istream>
#include <ostream>

namespace ploq {

const std::array<const char*, kPlaneFormatCount> kPlaneFormatLabels = {
    "Az Quadrant Dip (1 col)",
    "Az, Quadrant, Dip (3 col)",
    "Dip, dip-direction (2 col)",
    "Dip-direction, dip (2 col)",
    "Pole of plane (plunge, plunge-dir)(2 col)",
    "Pole of plane (plunge-dir, plunge)(2 col)",
    "Right hand rule (strike, dip) (2col)",
};

const std::array<const char*, kLineFormatCount> kLineFormatLabels = {
    "Trend Quadrant Plunge (1 col)",
    "Trend, Quadrant, Plunge (3 col)",
    "Plunge, plunge-direction (2 col)",
    "Plunge-direction, plunge (2 col)",
};

namespace {

constexpr const char* kDeg = "\xB0";
constexpr std::size_t kExportLineLength = 255;
constexpr std::size_t kShownTextLength = 40;

const char* const kPlaneDescriptions[5] = {
    "strike, dip orientation, dip",
    "dip, dip direction",
    "dip direction,dip",
    "pole of plane (dip direction,dip)",
    "right hand rule : (strike,dip)",
};
const char* const kLineDescriptions[3] = {
    "azimut, plunge orientation, plunge",
    "plunge, plunge direction",
    "plunge direction,plunge",
};

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}
bool isAlnum(char c)
{
    return isDigit(c) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool isQuadrantLetter(char c)
{
    const char u = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    return u == 'N' || u == 'E' || u == 'S' || u == 'W';
}

std::string without(std::string_view text, std::string_view dropped)
{
    std::string kept;
    kept.reserve(text.size());
    for (char c : text)
        if (dropped.find(c) == std::string_view::npos)
            kept += c;
    return kept;
}

std::string_view trimmed(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The text as a message quotes it: a long line is cut.
std::string shown(std::string_view text)
{
    if (text.size() <= kShownTextLength)
        return Quoted(std::string(text));
    return Quoted(std::string(text.substr(0, kShownTextLength)) + "...");
}

LineValue refused(std::string_view text, const char* reason)
{
    return {false, 0, 0, shown(text) + reason};
}

LineValue accepted(double trendDeg, double plungeDeg)
{
    return {true, NormalTrend(trendDeg * kDegToRad), plungeDeg * kDegToRad, {}};
}

const char* const kUnreadable = " : erroneous value...";

std::string dipTooLarge()
{
    return std::string(" : dip or plunge must range from 0 to 90") + kDeg;
}
std::string azimuthTooLarge()
{
    return std::string(" : azimuth cannot exceed 360") + kDeg;
}
std::string strikeTooLarge()
{
    return std::string(" : strike must range from 0 to 180") + kDeg;
}

// The number of a text, refused when it does not read or exceeds `most`.
bool readNumber(std::string_view text, double most, const std::string& tooLarge, double& value,
                LineValue& refusal)
{
    if (!TryReadReal(text, value)) {
        refusal = refused(text, kUnreadable);
        return false;
    }
    if (value > most) {
        refusal = {false, 0, 0, shown(text) + tooLarge};
        return false;
    }
    return true;
}

// How the two numbers of a format give the direction (degrees): the trend is the azimuth plus
// an offset, the plunge the other number or its complement (a dip gives the pole's plunge).
struct NumberFormat {
    bool azimuthFirst;
    double trendOffset;
    bool dipGiven;
};

NumberFormat numberFormat(bool plane, int format)
{
    switch (plane ? format : format + 2) {
    case 2: return {false, 180, true}; // dip, dip direction
    case 3: return {true, 180, true};  // dip direction, dip
    case 4: return {false, 0, false};  // pole plunge, pole trend; lines plunge, trend
    case 5: return {true, 0, false};   // pole trend, pole plunge; lines trend, plunge
    default: return {true, 270, true}; // right-hand-rule strike, dip
    }
}

// Fields of a line split by the separator; missing fields are empty.
std::array<std::string_view, kPloqFieldCount> splitFields(std::string_view line, char separator)
{
    std::array<std::string_view, kPloqFieldCount> fields{};
    for (std::string_view& field : fields) {
        if (line.empty())
            break;
        const std::size_t end = line.find(separator);
        field = line.substr(0, end);
        line = end == std::string_view::npos ? std::string_view() : line.substr(end + 1);
    }
    return fields;
}

// Lines of a stream, each without its end (CR LF, LF or CR), counted from 1.
class LineReader {
public:
    explicit LineReader(std::istream& in) : in_(in) {}

    // The next line; false at the end of the stream or on a read error.
    bool next(std::string& line)
    {
        using Traits = std::istream::traits_type;
        line.clear();
        Traits::int_type c = in_.get();
        if (Traits::eq_int_type(c, Traits::eof()))
            return false;
        ++number_;
        while (!Traits::eq_int_type(c, Traits::eof()) && c != '\n' && c != '\r') {
            line += Traits::to_char_type(c);
            c = in_.get();
        }
        if (c == '\r' && in_.peek() == '\n')
            in_.get();
        return true;
    }
    // The next line, which must hold something.
    bool nextFilled(std::string& line) { return next(line) && !line.empty(); }
    int number() const { return number_; }
    bool failed() const { return in_.bad(); }

private:
    std::istream& in_;
    int number_ = 0;
};

Message errorBox(std::string text)
{
    return {MsgKind::Error, std::move(text), Button::Ok, {}};
}

ImportOutcome refusal(Message message, int line = 0)
{
    return {false, std::move(message), line, {}};
}

ImportOutcome readError(const std::string& name)
{
    return refusal(errorBox(Quoted(name) + " : Read error"));
}

ImportOutcome lineRefusal(const std::string& name, int line, const std::string& problem)
{
    return refusal(errorBox(Quoted(name) + sformat(" : line %d : ", line) + problem), line);
}

ImportOutcome finished(std::vector<PloqRow>& rows, DataSheet sheet, const std::string& name,
                       bool full)
{
    sheet.setRowCount(static_cast<int>(rows.size()));
    const Notation notation = sheet.notation();
    for (int row = 1; row <= sheet.rowCount(); ++row) {
        PloqRow& r = rows[static_cast<std::size_t>(row) - 1];
        const auto slot = static_cast<std::size_t>(row);
        sheet.setField(
            row, Field::Value,
            DirToText(sheet.lShowDeci, r.plane, r.value.plunge, r.value.trend, notation));
        sheet.setField(row, Field::Nature, std::move(r.nature));
        sheet.setField(row, Field::Number, std::move(r.number));
        sheet.setField(row, Field::Location, std::move(r.location));
        sheet.setField(row, Field::Comment, std::move(r.comment));
        sheet.ltAz[slot] = r.value.trend;
        sheet.ltPe[slot] = r.value.plunge;
        sheet.lMod[slot] = kRowChanged;
    }
    sheet.Numeroter();
    sheet.lNomF.clear();
    sheet.lTitle = WithoutFinalExtension(name) + " (imported)";
    sheet.lDirty = true;
    ImportOutcome outcome{true, {}, 0, std::move(sheet)};
    if (full)
        outcome.message = {MsgKind::Warning, SheetFullMessage(), Button::Ok, {}};
    return outcome;
}

// Reads the lines from the current one (already in `line`) to the end or the first empty line,
// each made a row by `parse`; stops at the sheet's capacity.
template <typename Parse>
ImportOutcome readRows(LineReader& reader, std::string& line, const std::string& name,
                       DataSheet sheet, Parse parse)
{
    std::vector<PloqRow> rows;
    bool full = false;
    do {
        // A line cut short by a read error is not taken for a bad line.
        if (reader.failed())
            return readError(name);
        if (rows.size() == static_cast<std::size_t>(kMaxValues)) {
            full = true;
            break;
        }
        PloqRow row = parse(line);
        if (!row.value.ok)
            return lineRefusal(name, reader.number(), row.value.problem);
        rows.push_back(std::move(row));
    } while (reader.nextFilled(line));
    if (reader.failed())
        return readError(name);
    return finished(rows, std::move(sheet), name, full);
}

template <typename Import> ImportOutcome fromFile(const std::string& path, Import import)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return refusal({MsgKind::Warning, std::string(kMsgUnableToOpen), Button::Ok, {}});
    return import(in);
}

std::string padRight(std::string text, std::size_t width)
{
    text.resize(width, ' ');
    return text;
}

std::string padLeft(std::string_view text, std::size_t width)
{
    return std::string(width > text.size() ? width - text.size() : 0, ' ') + std::string(text);
}

std::string lettersAndDigits(std::string_view code)
{
    std::string kept;
    for (char c : code)
        if (isAlnum(c))
            kept += c;
    return kept;
}

std::string columnsLine(const DataSheet& sheet)
{
    const auto heading = [&sheet](Field f) { return sheet.cell(0, sheet.columnOf(f)); };
    return "columns : " + heading(Field::Nature) + "\xA6" + heading(Field::Value) + " (1 or 2 col)"
           + "\xA6" + heading(Field::Number) + "\xA6" + heading(Field::Location) + "\xA6"
           + heading(Field::Comment);
}

// The value of a row: its quadrant text, or the two numbers of the sheet's notation with one
// decimal, each right-aligned in 7 characters.
std::string exportedValue(const DataSheet& sheet, int row, bool plane, const Direction& dir)
{
    const Notation notation = sheet.notation();
    if ((plane ? notation.frtS : notation.frtL) == 0)
        return padRight(sheet.field(row, Field::Value), kValueTextLength) + "\t";
    const std::string pair = DirToText(true, plane, dir.plunge, dir.trend, notation);
    const std::size_t slash = pair.find(" / ");
    return padLeft(pair.substr(0, slash), 7) + "\t" + padLeft(pair.substr(slash + 3), 7) + "\t";
}

std::string exportedRow(const DataSheet& sheet, int row, const Direction& dir)
{
    const bool plane = IsPlane(sheet.natureLetter(row));
    std::string number = lettersAndDigits(sheet.field(row, Field::Number));
    if (number.size() > 8)
        number.erase(0, number.size() - 8);
    std::string line = padRight(lettersAndDigits(sheet.field(row, Field::Nature)), kCodeLength)
                       + "\t" + exportedValue(sheet, row, plane, dir) + padLeft(number, 8) + "\t"
                       + padLeft(sheet.field(row, Field::Location), 9) + "\t"
                       + padLeft(sheet.field(row, Field::Comment), 9);
    if (line.size() > kExportLineLength)
        line.resize(kExportLineLength);
    return line;
}

} // namespace

int PlaneFormatOf(int format)
{
    return format >= 0 && format < kPlaneFormatCount ? format : 0;
}

int LineFormatOf(int format)
{
    static constexpr int kLineFormat[kPlaneFormatCount] = {0, 1, 2, 3, 2, 3, 3};
    return kLineFormat[PlaneFormatOf(format)];
}

int ValueFieldCount(int format)
{
    switch (PlaneFormatOf(format)) {
    case 0: return 1;
    case 1: return 3;
    default: return 2;
    }
}

char SeparatorOf(int ipSep)
{
    switch (ipSep) {
    case 0: return '\t';
    case 2: return '-';
    default: return '/';
    }
}

const char* SeparatorName(int ipSep)
{
    switch (ipSep) {
    case 0: return "tabulation";
    case 2: return "dash (-)";
    default: return "slash (/)";
    }
}

RawLayout RawLayoutOf(const VarGlob& s)
{
    return {SeparatorOf(s.IpSep), s.IpFR, s.IpIsS == 1, TestBit(s.StyleGene, kGeneImportNumber)};
}

PloqLayout PloqLayoutOf(const VarGlob& s)
{
    return {SeparatorOf(s.IpSep), s.IpFS, s.IpVal, s.IpNat, s.IpNum, s.IpLoc, s.IpCom};
}

std::optional<std::string> PloqLayoutProblem(const PloqLayout& layout)
{
    const std::pair<const char*, int> codes[] = {{"nature", layout.nature},
                                                 {"number", layout.number},
                                                 {"location", layout.location},
                                                 {"comment", layout.comment},
                                                 {"value", layout.value}};
    for (const auto& [name, field] : codes)
        if (field < 1 || field > kPloqFieldCount)
            return sformat("\"%s\" : field %d, out of 1 to %d : check the fields in \"Options\"",
                           name, field, kPloqFieldCount);
    const int last = layout.value + ValueFieldCount(layout.format) - 1;
    if (last > kPloqFieldCount)
        return sformat("\"value\" : fields %d to %d, beyond field %d : check the fields in "
                       "\"Options\"",
                       layout.value, last, kPloqFieldCount);
    return std::nullopt;
}

std::array<std::string, 4> ImportLabels(const VarGlob& s, bool raw, bool planes)
{
    const int format = raw ? s.IpFR : s.IpFS;
    std::string fields;
    if (raw) {
        fields = std::string(planes ? "importation of planes" : "importation of lines")
                 + (TestBit(s.StyleGene, kGeneImportNumber) ? ", code \"number\" = line number"
                                                            : ", no code \"number\"");
    } else {
        const int n = ValueFieldCount(format);
        fields = sformat("\"nature\" : column %d", s.IpNat)
                 + (n == 1 ? sformat(", \"value\" : column %d", s.IpVal)
                           : sformat(", \"value\" : columns %d to %d", s.IpVal, s.IpVal + n - 1));
    }
    return {std::string("expected for planes : ") + kPlaneFormatLabels[PlaneFormatOf(format)],
            std::string("expected for lines : ") + kLineFormatLabels[LineFormatOf(format)], fields,
            std::string("expected fields separator : ") + SeparatorName(s.IpSep)};
}

LineValue DecodeQuadrant(bool plane, std::string_view text)
{
    // The decoder of stored text reads 13 characters once the blanks are gone.
    std::string value = without(text, " ");
    if (value.size() > static_cast<std::size_t>(kValueTextLength))
        value.resize(kValueTextLength);
    if (value.empty())
        return refused(text, " : missing value...");
    // Split as that decoder splits: the leading number (never the last character), the
    // quadrant letters, then the dip or plunge.
    std::size_t strikeEnd = 0;
    while (value.size() - strikeEnd >= 2
           && (isDigit(value[strikeEnd]) || value[strikeEnd] == '.' || value[strikeEnd] == ','))
        ++strikeEnd;
    std::size_t dipStart = strikeEnd;
    while (dipStart < value.size() && isQuadrantLetter(value[dipStart]))
        ++dipStart;
    LineValue refusal;
    double strike = 0;
    double dip = 0;
    if (!readNumber(std::string_view(value).substr(0, strikeEnd), 180, strikeTooLarge(), strike,
                    refusal)
        || !readNumber(std::string_view(value).substr(dipStart), 90, dipTooLarge(), dip, refusal))
        return refusal;
    const DirResult dir = CellToDir(plane ? 'S' : 'L', value, Notation{0, 0});
    return {true, NormalTrend(dir.trend), dir.plunge, {}};
}

LineValue DecodeNumbers(bool plane, int format, std::string_view first, std::string_view second)
{
    const NumberFormat f =
        numberFormat(plane, plane ? PlaneFormatOf(format) : LineFormatOf(format));
    double a = 0;
    double b = 0;
    LineValue refusal;
    if (!readNumber(first, f.azimuthFirst ? 360 : 90,
                    f.azimuthFirst ? azimuthTooLarge() : dipTooLarge(), a, refusal)
        || !readNumber(second, f.azimuthFirst ? 90 : 360,
                       f.azimuthFirst ? dipTooLarge() : azimuthTooLarge(), b, refusal))
        return refusal;
    const double azimuth = f.azimuthFirst ? a : b;
    const double angle = f.azimuthFirst ? b : a;
    return accepted(azimuth + f.trendOffset, f.dipGiven ? 90 - angle : angle);
}

LineValue DecodeRawLine(const RawLayout& layout, std::string_view line)
{
    const int format = layout.planes ? PlaneFormatOf(layout.format) : LineFormatOf(layout.format);
    if (format == 0)
        return DecodeQuadrant(layout.planes, line);
    if (format == 1)
        return DecodeQuadrant(layout.planes, without(line, std::string{layout.separator, ' '}));
    const std::size_t split = line.find(layout.separator);
    if (split == std::string_view::npos)
        return refused(line, " : no fields separator");
    const std::string_view rest = line.substr(split + 1);
    return DecodeNumbers(layout.planes, format, line.substr(0, split),
                         rest.substr(0, rest.find(layout.separator)));
}

PloqRow ParsePloqLine(const PloqLayout& layout, std::string_view line, bool exported)
{
    const auto fields = splitFields(line, layout.separator);
    const auto field = [&fields](int n) {
        return n >= 1 && n <= kPloqFieldCount ? fields[static_cast<std::size_t>(n) - 1]
                                              : std::string_view();
    };
    const auto code = [&](int n) {
        const std::string_view text = exported ? trimmed(field(n)) : field(n);
        return std::string(text.substr(0, kCodeLength));
    };
    PloqRow row;
    row.nature = code(layout.nature);
    row.number = code(layout.number);
    row.location = code(layout.location);
    row.comment = code(layout.comment);
    row.plane = !row.nature.empty() && IsPlane(row.nature.front());
    const int format = row.plane ? PlaneFormatOf(layout.format) : LineFormatOf(layout.format);
    const int v = layout.value;
    if (format == 0)
        row.value = DecodeQuadrant(row.plane, field(v));
    else if (format == 1)
        row.value = DecodeQuadrant(row.plane, std::string(field(v)) + std::string(field(v + 1))
                                                  + std::string(field(v + 2)));
    else
        row.value = DecodeNumbers(row.plane, format, field(v), field(v + 1));
    return row;
}

ImportOutcome ImportRaw(std::istream& in, const std::string& path, const RawLayout& layout,
                        DataSheet sheet)
{
    const std::string name = TitleForPath(path);
    LineReader reader(in);
    std::string line;
    const bool filled = reader.nextFilled(line);
    if (reader.failed())
        return readError(name);
    const bool oneField =
        (layout.planes ? PlaneFormatOf(layout.format) : LineFormatOf(layout.format)) == 0;
    if (!filled || (line.find(layout.separator) == std::string::npos) != oneField)
        return refusal(
            errorBox(Quoted(name) + " : Error, probably not a convenient file, or wrong format..."),
            1);
    const char* nature = layout.planes ? "S" : "L";
    return readRows(reader, line, name, std::move(sheet), [&](const std::string& text) {
        PloqRow row{DecodeRawLine(layout, text), layout.planes, nature, {}, {}, {}};
        if (layout.numberRows)
            row.number = std::to_string(reader.number());
        return row;
    });
}

ImportOutcome ImportPloqText(std::istream& in, const std::string& path, const PloqLayout& layout,
                             DataSheet sheet)
{
    if (const std::optional<std::string> problem = PloqLayoutProblem(layout))
        return refusal(errorBox(*problem));
    const std::string name = TitleForPath(path);
    LineReader reader(in);
    std::string line;
    bool filled = reader.nextFilled(line);
    // An export: its four header lines hold no data.
    const bool exported = filled && line.starts_with(kExportFirstLine);
    for (int header = 1; exported && filled && header <= 4; ++header)
        filled = reader.nextFilled(line);
    if (reader.failed())
        return readError(name);
    if (!filled || line.find(layout.separator) == std::string::npos)
        return refusal(errorBox(Quoted(name)
                                + " : Error, maybe not a convenient file, or wrong fields "
                                  "separator (check in \"Options\")..."),
                       reader.number());
    return readRows(reader, line, name, std::move(sheet),
                    [&](const std::string& text) { return ParsePloqLine(layout, text, exported); });
}

ImportOutcome ImportRawFile(const std::string& path, const RawLayout& layout, DataSheet sheet)
{
    return fromFile(
        path, [&](std::istream& in) { return ImportRaw(in, path, layout, std::move(sheet)); });
}

ImportOutcome ImportPloqFile(const std::string& path, const PloqLayout& layout, DataSheet sheet)
{
    return fromFile(
        path, [&](std::istream& in) { return ImportPloqText(in, path, layout, std::move(sheet)); });
}

ExportOutcome ExportSheetLines(const DataSheet& sheet, std::string_view title)
{
    const Notation n = sheet.notation();
    ExportOutcome outcome;
    outcome.lines = {std::string(kExportFirstLine) + std::string(title),
                     std::string("planes : ") + kPlaneDescriptions[std::clamp(n.frtS, 0, 4)],
                     std::string("lines : ") + kLineDescriptions[std::clamp(n.frtL, 0, 2)],
                     columnsLine(sheet)};
    for (std::string& header : outcome.lines)
        if (header.size() > kExportLineLength)
            header.resize(kExportLineLength);
    if (sheet.isEmpty()) {
        outcome.ok = true;
        return outcome;
    }
    for (int row = 1; row <= sheet.rowCount(); ++row) {
        const std::optional<Direction> dir = RowDirection(sheet, row);
        if (!dir) {
            outcome.message =
                errorBox(sformat("Line %d has no valid direction: type its value again", row));
            outcome.lines.clear();
            return outcome;
        }
        outcome.lines.push_back(exportedRow(sheet, row, *dir));
    }
    outcome.ok = true;
    return outcome;
}

bool WriteSheetText(std::ostream& out, const std::vector<std::string>& lines)
{
    for (const std::string& line : lines)
        out << line << "\r\n";
    return bool(out);
}

} // namespace ploq

#include "faults/Faults.h"

#include "model/Trigo.h"
#include "model/UtilGlob.h"

#include <cmath>
#include <numbers>

namespace ploq {

namespace {

char upper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool startsWith(std::string_view nature, char letter)
{
    return !nature.empty() && upper(nature.front()) == letter;
}

char firstOf(const std::string& text)
{
    return text.empty() ? '.' : text.front();
}

Message refusal(std::string text)
{
    return {MsgKind::Error, std::move(text), Button::Ok, {}};
}

PairCheck refused(int at, std::string text)
{
    return {false, refusal(std::move(text)), at, 0};
}

// "n°" in Windows-1252.
constexpr const char* kNo = "n\xB0";

constexpr const char* kNoValue = "no valid value";

PairCheck refusedRow(int row, const char* why)
{
    return refused(row, sformat("Error on the data %s%d : %s", kNo, row, why));
}

bool hasDirection(const InfoVal& v)
{
    return std::isfinite(v.azi) && std::isfinite(v.pen);
}

} // namespace

char SenseLetter(Sense sense)
{
    static constexpr char letters[] = {'N', 'R', 'D', 'S', '.'};
    return letters[static_cast<int>(sense)];
}

std::optional<Sense> SenseOfLetter(char letter)
{
    switch (upper(letter)) {
    case 'N': return Sense::Normal;
    case 'R':
    case 'I': return Sense::Reverse;
    case 'D': return Sense::Dextral;
    case 'S': return Sense::Sinistral;
    case '.': return Sense::Unknown;
    default: return std::nullopt;
    }
}

std::optional<Sense> SenseOfNature(std::string_view nature)
{
    if (nature.size() < 2)
        return Sense::Unknown;
    return SenseOfLetter(nature[1]);
}

std::string NatureCharacters(const FaultCodes& codes)
{
    std::string chars(1, SenseLetter(codes.sense));
    if (!codes.addToCode)
        return chars + "..";
    const std::size_t letter = codes.confidence == Confidence::Low      ? 0
                               : codes.confidence == Confidence::Normal ? 1
                                                                        : 2;
    chars.push_back(firstOf(codes.letters[letter]));
    chars.push_back(codes.chronology >= 1 && codes.chronology <= 9
                        ? static_cast<char>('0' + codes.chronology)
                        : '.');
    return chars;
}

std::string PlaneNature(const FaultCodes& codes)
{
    return "F" + NatureCharacters(codes);
}

std::string StriaeNature(const FaultCodes& codes, bool lightCode)
{
    return lightCode ? "L" : "L" + NatureCharacters(codes);
}

SenseRow SenseRowOf(FaultTool tool)
{
    switch (tool) {
    case FaultTool::DihedraCalculate:
    case FaultTool::StriaeRakes:
    case FaultTool::HangingWall:
    case FaultTool::StressExport: return SenseRow::Plane;
    default: return SenseRow::Striae;
    }
}

Sense FaultPair::sense(SenseRow row) const
{
    std::string_view nature = plane->na;
    if (row == SenseRow::Striae && striae->na.size() >= 2)
        nature = striae->na;
    return SenseOfNature(nature).value_or(Sense::Unknown);
}

std::vector<FaultPair> FaultPairs(std::span<const InfoVal> records)
{
    std::vector<FaultPair> pairs;
    pairs.reserve(records.size() / 2);
    for (std::size_t i = 0; i + 1 < records.size(); i += 2)
        pairs.push_back({static_cast<int>(i) + 1, &records[i], &records[i + 1]});
    return pairs;
}

std::vector<InfoVal> SheetRecords(const DataSheet& sheet)
{
    std::vector<InfoVal> records;
    if (sheet.isEmpty())
        return records;
    records.reserve(static_cast<std::size_t>(sheet.rowCount()));
    for (int row = 1; row <= sheet.rowCount(); ++row) {
        InfoVal v;
        const std::optional<Direction> d = RowDirection(sheet, row);
        v.azi = d ? d->trend : std::nan("");
        v.pen = d ? d->plunge : std::nan("");
        v.na = sheet.field(row, Field::Nature);
        v.nu = sheet.field(row, Field::Number);
        v.lo = sheet.field(row, Field::Location);
        v.co = sheet.field(row, Field::Comment);
        records.push_back(v);
    }
    return records;
}

PairCheck CheckSheetPairs(std::span<const InfoVal> rows)
{
    if (rows.size() % 2 != 0)
        return refused(0, std::string(kMsgOddSheet));
    for (const FaultPair& pair : FaultPairs(rows)) {
        if (!startsWith(pair.plane->na, 'F') || !SenseOfNature(pair.plane->na))
            return refusedRow(pair.first, "may be not a fault ?");
        // An unreadable value would go out as a made-up direction the programs cannot tell.
        if (!hasDirection(*pair.plane))
            return refusedRow(pair.first, kNoValue);
        if (!startsWith(pair.striae->na, 'L'))
            return refusedRow(pair.first + 1, "may be not a striae ?");
        if (!hasDirection(*pair.striae))
            return refusedRow(pair.first + 1, kNoValue);
    }
    return {true, std::nullopt, 0, 0};
}

PairCheck CheckCanvasPairs(std::span<const InfoVal> records)
{
    if (records.size() % 2 != 0)
        return refused(0, std::string(kMsgOddCanvas));
    int unknown = 0;
    for (const FaultPair& pair : FaultPairs(records)) {
        const std::string nature = pair.plane->na.str();
        const std::optional<Sense> sense = SenseOfNature(nature);
        if (!startsWith(nature, 'F') || !sense)
            return refused(pair.first, sformat("Error on the fault %s%s (%s)", kNo,
                                               pair.plane->nu.str().c_str(), nature.c_str()));
        if (!startsWith(pair.striae->na, 'L'))
            return refused(pair.first + 1, sformat("Error on the value (striae) %s%s", kNo,
                                                   pair.striae->nu.str().c_str()));
        unknown += *sense == Sense::Unknown ? 1 : 0;
    }
    PairCheck check{true, std::nullopt, 0, unknown};
    if (unknown > 0)
        check.message = Message{MsgKind::Warning,
                                sformat("unknown sense of movement for %d fault(s)", unknown),
                                Button::Ok,
                                {}};
    return check;
}

// ---- Exports for fault-inversion programs

namespace {

// The confidence letter of a level (weak 0, medium 1, strong 2), its default when missing.
char confidenceLetter(std::string_view letters, std::size_t level)
{
    static constexpr std::string_view defaults = "FMB";
    return level < letters.size() ? letters[level] : defaults[level];
}

std::optional<Confidence> confidenceOf(char c, std::string_view letters)
{
    static constexpr Confidence levels[] = {Confidence::Low, Confidence::Normal, Confidence::High};
    for (std::size_t level = 3; level-- > 0;)
        if (upper(c) == upper(confidenceLetter(letters, level)))
            return levels[level];
    return std::nullopt;
}

bool isChronology(char c)
{
    return c >= '1' && c <= '9';
}

// printf's "%<width>.<decimals>f", with a dot whatever the locale; a value that rounds to zero
// is written without a minus sign.
std::string fixed(double value, int width, int decimals)
{
    if (std::fabs(value) < 0.5 / std::pow(10.0, decimals))
        value = 0;
    return sformat("%*s", width, FormatFixed(value, decimals).c_str());
}

constexpr double kRightAngle = std::numbers::pi / 2;

double degrees(double radians)
{
    return radians / kDegToRad;
}

// A pair as the programs take it, in degrees: the fault's dip direction and dip, the striae as
// typed and rebuilt in the plane from its pitch.
struct ExportedFault {
    double dipDirection = 0;
    double dip = 0;
    Direction typed;
    Direction inPlane;
};

ExportedFault exportedFault(const FaultPair& pair)
{
    const Direction pole{pair.plane->azi, pair.plane->pen};
    ExportedFault f;
    f.dipDirection = degrees(pole.trend) + 180;
    if (f.dipDirection > 360)
        f.dipDirection -= 360;
    f.dip = 90 - degrees(pole.plunge);
    f.typed = {pair.striae->azi, pair.striae->pen};
    const Pitch pitch = PitchOfLine(f.typed, pole.trend);
    f.inPlane = PitchLetterToLine(pitch.letter, pitch.pitch, kRightAngle - pole.plunge,
                                  pole.trend + kRightAngle);
    return f;
}

// Whether a nature names a sense of its own (not a light code, ".", or an unknown character).
bool namesSense(std::string_view nature)
{
    const std::optional<Sense> sense = SenseOfNature(nature);
    return sense && *sense != Sense::Unknown;
}

// The row the Tektonic and Yamaji layouts read the sense and qualifiers on.
std::string_view exportNature(const FaultPair& pair)
{
    return namesSense(pair.striae->na) ? std::string_view(pair.striae->na)
                                       : std::string_view(pair.plane->na);
}

Sense natureSense(std::string_view nature)
{
    return SenseOfNature(nature).value_or(Sense::Unknown);
}

// The leading digits of a number code ("12a" 12, "a12" 0).
long long leadingNumber(std::string_view code)
{
    long long n = 0;
    for (std::size_t i = 0; i < code.size() && code[i] >= '0' && code[i] <= '9'; ++i)
        n = n * 10 + (code[i] - '0');
    return n;
}

// The location cut or padded to five characters, "?" for none.
std::string site(std::string_view location)
{
    std::string text(location.empty() ? "?" : location.substr(0, 5));
    text.resize(5, ' ');
    return text;
}

std::string stressLine(const FaultPair& pair, std::string_view letters)
{
    static constexpr const char* quality[] = {"?", "S", "P", "C"}; // None, Low, Normal, High
    const ExportedFault f = exportedFault(pair);
    const NatureQualifiers q = QualifiersOfNature(pair.plane->na, letters);
    const char sense[] = {SenseLetter(natureSense(pair.plane->na)), '\0'};
    const char chronology[] = {static_cast<char>('0' + (q.chronology > 0 ? q.chronology : 1)),
                               '\0'};
    return sformat("%5s%6lld%2s%2s%2s%6s%6s%2s%6s%2s%8d%8s%8s%8s", site(pair.plane->lo).c_str(),
                   leadingNumber(pair.plane->nu), quality[static_cast<int>(q.confidence)], sense,
                   chronology, fixed(f.dipDirection, 6, 1).c_str(), fixed(f.dip, 6, 1).c_str(), "",
                   fixed(degrees(f.typed.trend), 6, 1).c_str(), "", 0, fixed(0, 8, 1).c_str(),
                   fixed(0, 8, 1).c_str(), fixed(0, 8, 1).c_str());
}

std::string tektonicLine(const FaultPair& pair, std::string_view letters)
{
    static constexpr int senseCode[] = {2, 1, 3, 4, 0}; // Normal, Reverse, Dextral, Sinistral
    static constexpr int qualityCode[] = {0, 3, 2, 1};  // None, Low, Normal, High
    const ExportedFault f = exportedFault(pair);
    const std::string_view nature = exportNature(pair);
    const NatureQualifiers q = QualifiersOfNature(nature, letters);
    return sformat("%d%d,%s,%s,%s,%s", senseCode[static_cast<int>(natureSense(nature))],
                   qualityCode[static_cast<int>(q.confidence)], fixed(f.dipDirection, 6, 2).c_str(),
                   fixed(f.dip, 5, 2).c_str(), fixed(degrees(f.inPlane.trend), 6, 2).c_str(),
                   fixed(degrees(f.inPlane.plunge), 5, 2).c_str());
}

std::string yamajiLine(const FaultPair& pair)
{
    const ExportedFault f = exportedFault(pair);
    const char sense[] = {SenseLetter(natureSense(exportNature(pair))), '\0'};
    return sformat("%8s%7s%8s%7s%4s", fixed(f.dipDirection, 6, 1).c_str(),
                   fixed(f.dip, 6, 1).c_str(), fixed(degrees(f.inPlane.trend), 6, 1).c_str(),
                   fixed(degrees(f.inPlane.plunge), 6, 1).c_str(), sense);
}

} // namespace

NatureQualifiers QualifiersOfNature(std::string_view nature, std::string_view letters)
{
    const auto at = [nature](std::size_t i) { return i < nature.size() ? nature[i] : ' '; };
    NatureQualifiers q;
    std::size_t confidenceAt = 0;
    for (std::size_t i : {2u, 3u}) {
        if (const std::optional<Confidence> c = confidenceOf(at(i), letters)) {
            q.confidence = *c;
            confidenceAt = i;
            break;
        }
    }
    for (std::size_t i : {3u, 2u}) {
        if (i != confidenceAt && isChronology(at(i))) {
            q.chronology = at(i) - '0';
            break;
        }
    }
    return q;
}

std::vector<std::string> FaultExportLines(FaultLayout layout, std::span<const InfoVal> rows,
                                          std::string_view letters)
{
    std::vector<std::string> lines;
    if (layout == FaultLayout::Tektonic)
        lines.assign(10, ";");
    for (const FaultPair& pair : FaultPairs(rows)) {
        switch (layout) {
        case FaultLayout::StressThV: lines.push_back(stressLine(pair, letters)); break;
        case FaultLayout::Tektonic: lines.push_back(tektonicLine(pair, letters)); break;
        case FaultLayout::Yamaji: lines.push_back(yamajiLine(pair)); break;
        }
    }
    return lines;
}

std::string FaultExportTitle(FaultLayout layout, std::string_view sheetTitle)
{
    const std::string name = WithoutExtension(sheetTitle);
    switch (layout) {
    case FaultLayout::StressThV: return "(Stress ThV) " + name + " (Th.V)";
    case FaultLayout::Tektonic: return "(Tektonic) " + name + ".cor";
    case FaultLayout::Yamaji: return "(Yamaji) " + name + ".fdt";
    }
    return name;
}

} // namespace ploq

#include "faults/Faults.h"

#include "model/UtilGlob.h"

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
        v.azi = sheet.ltAz[static_cast<std::size_t>(row)];
        v.pen = sheet.ltPe[static_cast<std::size_t>(row)];
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
            return refused(pair.first, sformat("Error on the data %s%d : may be not a fault ?", kNo,
                                               pair.first));
        if (!startsWith(pair.striae->na, 'L'))
            return refused(pair.first + 1, sformat("Error on the data %s%d : may be not a striae ?",
                                                   kNo, pair.first + 1));
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

} // namespace ploq

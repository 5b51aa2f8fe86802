#include "datasheet/Fichier.h"

#include "model/Conversion.h"
#include "model/UtilGlob.h"
#include "platform/SafeFile.h"
#include "platform/Text1252.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <istream>
#include <numbers>
#include <ostream>
#include <sstream>

namespace ploq {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kTwoPi = 2 * kPi;
// Plunges computed from degrees may miss 0 or pi/2 by a few units of the last place.
constexpr double kPlungeTolerance = 1e-9;

constexpr std::size_t kCodeFieldSize = 1 + kCodeLength;
constexpr std::size_t kCodeOffsets[4] = {16, 26, 36, 46}; // nature, number, location, comment

void putDouble(PlqBytes& bytes, std::size_t offset, double value)
{
    const auto bits = std::bit_cast<std::uint64_t>(value);
    for (std::size_t i = 0; i < 8; ++i)
        bytes[offset + i] = static_cast<unsigned char>(bits >> (8 * i));
}

double getDouble(const PlqBytes& bytes, std::size_t offset)
{
    std::uint64_t bits = 0;
    for (std::size_t i = 0; i < 8; ++i)
        bits |= static_cast<std::uint64_t>(bytes[offset + i]) << (8 * i);
    return std::bit_cast<double>(bits);
}

void putCode(PlqBytes& bytes, std::size_t offset, const St9& code)
{
    bytes[offset] = static_cast<unsigned char>(code.size());
    std::copy_n(code.view().begin(), code.size(), bytes.begin() + static_cast<long>(offset) + 1);
}

St9 getCode(const PlqBytes& bytes, std::size_t offset, bool& clamped)
{
    std::size_t length = bytes[offset];
    if (length > kCodeLength) {
        length = kCodeLength;
        clamped = true;
    }
    const auto* first = reinterpret_cast<const char*>(bytes.data() + offset + 1);
    return St9(std::string_view(first, length));
}

FileProblem problem(FileIssue issue, std::string message, std::vector<int> rows = {})
{
    return {issue, std::move(message), std::move(rows)};
}

FileOutcome refused(FileProblem error)
{
    return {false, std::move(error), {}};
}

// A file-level message names the file (paths are UTF-8, messages Windows-1252).
FileProblem aboutFile(FileProblem error, const std::string& path)
{
    error.message = Utf8ToCp1252(path) + " : " + error.message;
    return error;
}

int measurementCount(const DataSheet& sheet)
{
    return sheet.isEmpty() ? 0 : sheet.rowCount();
}

// Rows 1..count with empty cells and zeroed side arrays (one empty row for no measurement).
void clearRows(DataSheet& sheet, int count)
{
    sheet.setRowCount(1);
    for (int column = 0; column < kColumnCount; ++column)
        sheet.setCell(1, column, {});
    sheet.setRowCount(std::max(count, 1));
    std::fill(sheet.ltAz.begin(), sheet.ltAz.end(), 0.0);
    std::fill(sheet.ltPe.begin(), sheet.ltPe.end(), 0.0);
    std::fill(sheet.lMod.begin(), sheet.lMod.end(), kRowSaved);
}

// The remarks a load can make, in the order they are shown, each collecting its rows.
struct RemarkKind {
    FileIssue issue;
    const char* message;
};
constexpr RemarkKind kRemarks[] = {
    {FileIssue::NegativeTrend, kMsgNegativeAz.data()},
    {FileIssue::OutOfRange, "Some lines with a trend or plunge out of range (internal file "
                            "format) were read as the same axis...\r Use \"Save as\" to fix the "
                            "problem"},
    {FileIssue::Unreadable, "Some lines without a readable direction (internal file format): "
                            "their value is left empty.\r Type it again, or delete these lines, "
                            "before saving"},
    {FileIssue::BadNature, "Some lines with a missing or wrong \"nature\" code (internal file "
                           "format) are shown as lines"},
    {FileIssue::LongCode, "Some codes longer than 9 characters (internal file format) were cut "
                          "to 9"},
};

class Remarks {
public:
    void add(FileIssue issue, int row)
    {
        for (std::size_t i = 0; i < std::size(kRemarks); ++i)
            if (kRemarks[i].issue == issue)
                rows_[i].push_back(row);
    }
    std::vector<FileProblem> problems() const
    {
        std::vector<FileProblem> list;
        for (std::size_t i = 0; i < std::size(kRemarks); ++i)
            if (!rows_[i].empty())
                list.push_back(problem(kRemarks[i].issue, kRemarks[i].message, rows_[i]));
        return list;
    }

private:
    std::array<std::vector<int>, std::size(kRemarks)> rows_;
};

FileIssue issueOf(DirRepair repair)
{
    switch (repair) {
    case DirRepair::NegativeTrend: return FileIssue::NegativeTrend;
    case DirRepair::OutOfRange: return FileIssue::OutOfRange;
    case DirRepair::Unreadable: return FileIssue::Unreadable;
    default: return FileIssue::None;
    }
}

void loadRow(DataSheet& sheet, int row, const PlqBytes& bytes, Remarks& remarks)
{
    bool clamped = false;
    PlqRecord record = DecodeRecord(bytes, clamped);
    if (clamped)
        remarks.add(FileIssue::LongCode, row);
    if (!CheckNature(record.na).ok)
        remarks.add(FileIssue::BadNature, row);
    const DirRepair repair = RepairStoredDir(record.azi, record.pen);
    remarks.add(issueOf(repair), row);

    sheet.setField(row, Field::Nature, record.na.str());
    sheet.setField(row, Field::Number, record.nu.str());
    sheet.setField(row, Field::Location, record.lo.str());
    sheet.setField(row, Field::Comment, record.co.str());
    const auto slot = static_cast<std::size_t>(row);
    if (repair == DirRepair::Unreadable) {
        // Left for the user: saving decodes the (empty) value again and refuses it.
        sheet.lMod[slot] = kRowToDecode;
        return;
    }
    sheet.setField(row, Field::Value,
                   DirToText(sheet.lShowDeci, IsPlane(record.na[0]), record.pen, record.azi,
                             sheet.notation()));
    sheet.ltAz[slot] = record.azi;
    sheet.ltPe[slot] = record.pen;
}

// A row whose value text changed, decoded again for saving.
struct DecodedRow {
    int row = 0;
    double trend = 0;
    double plunge = 0;
    std::string text;
};

// What a save writes, worked out in full before anything is written.
struct SavePlan {
    bool ok = false;
    FileProblem error;
    std::vector<DecodedRow> decoded;
    std::vector<PlqRecord> records;
    PlqHeader header;
    std::string bytes; // the whole file
};

bool decodeRow(const DataSheet& sheet, int row, DecodedRow& decoded, FileProblem& error)
{
    const NatureCheck nature = CheckNature(sheet.field(row, Field::Nature));
    if (!nature.ok) {
        error = problem(FileIssue::RowRefused, nature.message, {row});
        return false;
    }
    const std::string& value = sheet.field(row, Field::Value);
    const DirResult dir = TextToDir(nature.letter, value, sheet.notation());
    if (!dir.ok) {
        error = problem(FileIssue::ValueRefused, dir.message, {row});
        return false;
    }
    decoded = {row, dir.trend, dir.plunge,
               DirToText(HasDecimalSeparator(value), IsPlane(nature.letter), dir.plunge, dir.trend,
                         sheet.notation())};
    return true;
}

SavePlan planRows(const DataSheet& sheet)
{
    SavePlan plan;
    const int count = measurementCount(sheet);
    for (int row = 1; row <= count; ++row) {
        const auto slot = static_cast<std::size_t>(row);
        PlqRecord record{sheet.ltAz[slot],
                         sheet.ltPe[slot],
                         sheet.field(row, Field::Nature),
                         sheet.field(row, Field::Number),
                         sheet.field(row, Field::Location),
                         sheet.field(row, Field::Comment)};
        if (sheet.lMod[slot] == kRowToDecode) {
            DecodedRow decoded;
            if (!decodeRow(sheet, row, decoded, plan.error))
                return plan;
            record.azi = decoded.trend;
            record.pen = decoded.plunge;
            plan.decoded.push_back(std::move(decoded));
        } else if (!std::isfinite(record.azi) || !std::isfinite(record.pen)) {
            plan.error = problem(
                FileIssue::RowRefused,
                sformat("Line %d has no valid direction: type its value again", row), {row});
            return plan;
        }
        plan.records.push_back(record);
    }
    plan.ok = true;
    return plan;
}

// After the file is written: the decoded rows take their new text and direction, and every row
// is saved.
void commitSave(DataSheet& sheet, const SavePlan& plan)
{
    for (const DecodedRow& decoded : plan.decoded) {
        const auto slot = static_cast<std::size_t>(decoded.row);
        sheet.setField(decoded.row, Field::Value, decoded.text);
        sheet.ltAz[slot] = decoded.trend;
        sheet.ltPe[slot] = decoded.plunge;
    }
    std::fill_n(sheet.lMod.begin(), plan.records.size() + 1, kRowSaved);
    sheet.lCreated = plan.header.created;
    sheet.lModified = plan.header.modified;
    sheet.lDirty = false;
}

bool writeBytes(std::ostream& out, const PlqBytes& bytes)
{
    out.write(reinterpret_cast<const char*>(bytes.data()), kPlqRecordSize);
    return static_cast<bool>(out);
}

SavePlan newFilePlan(const DataSheet& sheet, const Clock& clock)
{
    SavePlan plan = planRows(sheet);
    if (!plan.ok)
        return plan;
    const DayCount now = clock.now();
    plan.header = {now, now};
    std::ostringstream out;
    WritePlq(out, plan.header, plan.records);
    plan.bytes = std::move(out).str();
    return plan;
}

bool sameStoredRow(const PlqBytes& bytes, const PlqRecord& record)
{
    bool clamped = false;
    PlqRecord stored = DecodeRecord(bytes, clamped);
    if (RepairStoredDir(stored.azi, stored.pen) == DirRepair::Unreadable)
        return false;
    return stored.azi == record.azi && stored.pen == record.pen && stored.na == record.na
           && stored.nu == record.nu && stored.lo == record.lo && stored.co == record.co;
}

// The in-place update of a previous file. A row unchanged since the last save keeps its stored
// bytes, as long as they still hold that row: a row that moved is written again.
SavePlan updatePlan(const DataSheet& sheet, std::istream& previous, const Clock& clock)
{
    SavePlan plan = planRows(sheet);
    if (!plan.ok)
        return plan;
    const PlqContents stored = ReadPlq(previous);
    if (!stored.ok) {
        plan.ok = false;
        plan.error = stored.error;
        return plan;
    }
    plan.header = {stored.header.created, clock.now()};
    std::ostringstream out;
    writeBytes(out, EncodeHeader(plan.header));
    for (std::size_t i = 0; i < plan.records.size(); ++i) {
        const bool keep = sheet.lMod[i + 1] == kRowSaved && i < stored.raw.size()
                          && sameStoredRow(stored.raw[i], plan.records[i]);
        writeBytes(out, keep ? stored.raw[i] : EncodeRecord(plan.records[i]));
    }
    plan.bytes = std::move(out).str();
    return plan;
}

FileProblem writeFailed(const std::string& path)
{
    return problem(FileIssue::WriteFailed,
                   "Error writing the file " + Utf8ToCp1252(path) + " : it is left as it was");
}

FileOutcome succeeded()
{
    return {true, {}, {}};
}

FileOutcome deliver(DataSheet& sheet, const SavePlan& plan, std::ostream& out)
{
    if (!plan.ok)
        return refused(plan.error);
    out.write(plan.bytes.data(), static_cast<std::streamsize>(plan.bytes.size()));
    if (!out)
        return refused(problem(FileIssue::WriteFailed, "Write error"));
    commitSave(sheet, plan);
    return succeeded();
}

FileOutcome deliver(DataSheet& sheet, const SavePlan& plan, const std::string& path)
{
    if (!plan.ok)
        return refused(plan.error);
    if (!ReplaceFile(path, plan.bytes))
        return refused(writeFailed(path));
    commitSave(sheet, plan);
    return succeeded();
}

} // namespace

bool FileOutcome::has(FileIssue issue) const
{
    return std::any_of(warnings.begin(), warnings.end(),
                       [issue](const FileProblem& p) { return p.issue == issue; });
}

PlqBytes EncodeHeader(const PlqHeader& header)
{
    PlqBytes bytes{};
    putDouble(bytes, 0, header.created);
    putDouble(bytes, 8, header.modified);
    return bytes;
}

PlqHeader DecodeHeader(const PlqBytes& bytes)
{
    return {getDouble(bytes, 0), getDouble(bytes, 8)};
}

PlqBytes EncodeRecord(const PlqRecord& record)
{
    PlqBytes bytes{};
    putDouble(bytes, 0, record.azi);
    putDouble(bytes, 8, record.pen);
    const St9* codes[4] = {&record.na, &record.nu, &record.lo, &record.co};
    for (std::size_t i = 0; i < 4; ++i)
        putCode(bytes, kCodeOffsets[i], *codes[i]);
    return bytes;
}

PlqRecord DecodeRecord(const PlqBytes& bytes, bool& lengthClamped)
{
    static_assert(kCodeOffsets[3] + kCodeFieldSize == kPlqRecordSize);
    lengthClamped = false;
    PlqRecord record;
    record.azi = getDouble(bytes, 0);
    record.pen = getDouble(bytes, 8);
    St9* codes[4] = {&record.na, &record.nu, &record.lo, &record.co};
    for (std::size_t i = 0; i < 4; ++i)
        *codes[i] = getCode(bytes, kCodeOffsets[i], lengthClamped);
    return record;
}

PlqContents ReadPlq(std::istream& in)
{
    PlqContents contents;
    PlqBytes bytes{};
    const auto readRecord = [&in, &bytes] {
        in.read(reinterpret_cast<char*>(bytes.data()), kPlqRecordSize);
        return static_cast<std::size_t>(in.gcount());
    };
    if (readRecord() < kPlqRecordSize) {
        contents.error =
            in.bad() ? problem(FileIssue::ReadFailed, "Read error")
                     : problem(FileIssue::TooShort, "not a data sheet file: it is shorter than one "
                                                    "record (56 bytes)");
        return contents;
    }
    contents.header = DecodeHeader(bytes);
    for (std::size_t got = readRecord(); got > 0; got = readRecord()) {
        if (got < kPlqRecordSize) {
            contents.trailingBytes = got;
            break;
        }
        if (contents.raw.size() == static_cast<std::size_t>(kMaxValues)) {
            contents.error = problem(FileIssue::TooManyRecords,
                                     sformat("more than %d measurements in the file: a data "
                                             "sheet holds at most %d",
                                             kMaxValues, kMaxValues));
            return contents;
        }
        contents.raw.push_back(bytes);
    }
    if (in.bad()) {
        contents.error = problem(FileIssue::ReadFailed, "Read error");
        return contents;
    }
    contents.ok = true;
    return contents;
}

bool WritePlq(std::ostream& out, const PlqHeader& header, const std::vector<PlqRecord>& records)
{
    bool good = writeBytes(out, EncodeHeader(header));
    for (std::size_t i = 0; i < records.size() && good; ++i)
        good = writeBytes(out, EncodeRecord(records[i]));
    return good;
}

DirRepair RepairStoredDir(double& trend, double& plunge)
{
    if (!std::isfinite(trend) || !std::isfinite(plunge))
        return DirRepair::Unreadable;
    DirRepair repair = DirRepair::None;
    if (trend < 0) {
        trend = kTwoPi - std::fabs(trend);
        repair = DirRepair::NegativeTrend;
    }
    // A trend up to one turn past 2 pi is a declination added at entry, written as is.
    const bool trendInRange = trend >= 0 && trend < 2 * kTwoPi;
    const bool plungeInRange = plunge >= -kPlungeTolerance && plunge <= kPi / 2 + kPlungeTolerance;
    if (!trendInRange || !plungeInRange) {
        // The same axis: (t, -p) is (t + pi, p), and (t, p) past the vertical is (t + pi, pi - p).
        plunge = std::remainder(plunge, kTwoPi);
        if (plunge < 0) {
            plunge = -plunge;
            trend += kPi;
        }
        if (plunge > kPi / 2) {
            plunge = kPi - plunge;
            trend += kPi;
        }
        trend = std::fmod(trend, kTwoPi);
        if (trend < 0)
            trend += kTwoPi;
        repair = DirRepair::OutOfRange;
    }
    plunge = std::clamp(plunge, 0.0, kPi / 2);
    return repair;
}

FileOutcome LoadSheetStream(std::istream& in, DataSheet& sheet)
{
    const PlqContents contents = ReadPlq(in);
    if (!contents.ok)
        return refused(contents.error);
    const int count = static_cast<int>(contents.raw.size());
    clearRows(sheet, count);
    Remarks remarks;
    for (int row = 1; row <= count; ++row)
        loadRow(sheet, row, contents.raw[static_cast<std::size_t>(row - 1)], remarks);
    sheet.Numeroter();
    // A lone record left blank (an unreadable direction and no code) is still a row, not an
    // empty sheet that a save would drop.
    if (count > 0)
        sheet.setCell(1, 0, RowNumberText(1));
    sheet.lCreated = contents.header.created;
    sheet.lModified = contents.header.modified;
    sheet.lDirty = false;

    FileOutcome outcome = succeeded();
    outcome.warnings = remarks.problems();
    if (contents.trailingBytes > 0)
        outcome.warnings.push_back(
            problem(FileIssue::PartialRecord,
                    sformat("The file ends with %d bytes that do not make a whole record: they "
                            "were ignored",
                            static_cast<int>(contents.trailingBytes))));
    return outcome;
}

FileOutcome LoadSheetFile(const std::string& path, DataSheet& sheet)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return refused(aboutFile(problem(FileIssue::OpenFailed, "cannot open the file"), path));
    FileOutcome outcome = LoadSheetStream(in, sheet);
    if (!outcome.ok)
        return refused(aboutFile(outcome.error, path));
    sheet.lNomF = path;
    return outcome;
}

FileOutcome SaveSheetStream(DataSheet& sheet, std::ostream& out, const Clock& clock)
{
    return deliver(sheet, newFilePlan(sheet, clock), out);
}

FileOutcome SaveSheetAsFile(DataSheet& sheet, const std::string& path, const Clock& clock)
{
    FileOutcome outcome = deliver(sheet, newFilePlan(sheet, clock), path);
    if (outcome.ok)
        sheet.lNomF = path;
    return outcome;
}

FileOutcome UpdateSheetStream(DataSheet& sheet, std::istream& previous, std::ostream& out,
                              const Clock& clock)
{
    return deliver(sheet, updatePlan(sheet, previous, clock), out);
}

FileOutcome UpdateSheetFile(DataSheet& sheet, const Clock& clock)
{
    const std::string path = sheet.lNomF;
    std::ifstream previous(path, std::ios::binary);
    if (!previous)
        return refused(aboutFile(problem(FileIssue::OpenFailed, "cannot open the file"), path));
    SavePlan plan = updatePlan(sheet, previous, clock);
    previous.close();
    if (!plan.ok && plan.error.issue != FileIssue::RowRefused
        && plan.error.issue != FileIssue::ValueRefused)
        plan.error = aboutFile(plan.error, path);
    return deliver(sheet, plan, path);
}

std::string LongDateTime(DayCount days)
{
    return longDate(days) + ",   " + shortTime(days);
}

std::vector<std::string> FileInfoLines(const std::string& path, const DataSheet& sheet)
{
    return {"", "File " + Utf8ToCp1252(path),
            sformat("   created %s, modified %s, %d meas.", LongDateTime(sheet.lCreated).c_str(),
                    LongDateTime(sheet.lModified).c_str(), measurementCount(sheet))};
}

bool AddRecent(std::span<std::string> recents, const std::string& path)
{
    if (path.empty() || recents.empty() || recents.front() == path)
        return false;
    auto listed = std::find(recents.begin(), recents.end(), path);
    if (listed == recents.end())
        listed = recents.end() - 1;
    std::move_backward(recents.begin(), listed, listed + 1);
    recents.front() = path;
    return true;
}

std::string RowListText(const std::vector<int>& rows, std::size_t shown)
{
    std::string text;
    for (std::size_t i = 0; i < rows.size() && i < shown; ++i)
        text += (i == 0 ? "" : ", ") + std::to_string(rows[i]);
    if (rows.size() > shown)
        text += ", ...";
    return text;
}

} // namespace ploq

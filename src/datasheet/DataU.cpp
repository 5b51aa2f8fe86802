#include "datasheet/DataU.h"

#include "datasheet/Fichier.h"
#include "datasheet/SheetEdit.h"
#include "datasheet/SheetEntry.h"
#include "model/UtilGlob.h"
#include "platform/Text1252.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <numeric>
#include <span>
#include <unordered_set>
#include <utility>

namespace ploq {

// ===== Finding, changing and selecting rows ==============================================

namespace {

constexpr std::size_t kCriterionLength = 9;
constexpr std::size_t kSenseLength = 9;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}
bool isNumberChar(char c)
{
    return isDigit(c) || c == '.';
}
bool isOperatorChar(char c)
{
    return c == '-' || c == '<' || c == '=' || c == '>';
}
bool isSenseChar(char c)
{
    const char u = UpperAscii(std::string_view(&c, 1)).front();
    return u == 'E' || u == 'N' || u == 'S' || u == 'W';
}

// The run of characters from `at` that `belongs` admits; `at` moves past it.
template <class Pred> std::string_view run(std::string_view text, std::size_t& at, Pred belongs)
{
    const std::size_t start = at;
    while (at < text.size() && belongs(text[at]))
        ++at;
    return text.substr(start, at - start);
}

CompareOp operatorOf(std::string_view op)
{
    static constexpr std::pair<std::string_view, CompareOp> kOperators[] = {
        {"", CompareOp::Bare},           {"=", CompareOp::Equal}, {">", CompareOp::Greater},
        {">=", CompareOp::GreaterEqual}, {"<", CompareOp::Less},  {"<=", CompareOp::LessEqual},
    };
    for (const auto& [text, code] : kOperators)
        if (op == text)
            return code;
    return CompareOp::Unknown;
}

std::string caseAs(bool respectCase, std::string_view text)
{
    return respectCase ? std::string(text) : UpperAscii(text);
}

std::string_view codeOf(std::string_view cell)
{
    return cell.substr(0, kCodeLength);
}

std::string firstChars(std::string_view text, std::size_t n)
{
    return std::string(text.substr(0, n));
}

// Copies a whole row, with its stored direction, into row `to` of another sheet.
void copyRow(const DataSheet& from, int row, DataSheet& into, int to, std::int32_t mod)
{
    for (int f = 0; f < kFieldCount; ++f)
        into.setField(to, static_cast<Field>(f), from.field(row, static_cast<Field>(f)));
    const auto src = static_cast<std::size_t>(row);
    const auto dst = static_cast<std::size_t>(to);
    into.ltAz[dst] = from.ltAz[src];
    into.ltPe[dst] = from.ltPe[src];
    into.lMod[dst] = mod;
}

// The sheet a selection fills: its columns and headings from the settings, the notations of
// the rows it receives.
DataSheet receivingSheet(DataSheet blank, const DataSheet& source)
{
    blank.lFrtS = source.lFrtS;
    blank.lFrtL = source.lFrtL;
    blank.lShowDeci = source.lShowDeci;
    return blank;
}

int measuredRows(const DataSheet& sheet)
{
    return sheet.isEmpty() ? 0 : sheet.rowCount();
}

std::optional<int> readInteger(std::string_view text)
{
    const std::string kept = WithoutBlanks(text);
    const char* begin = kept.data();
    if (!kept.empty() && kept.front() == '+')
        ++begin;
    int value = 0;
    const auto [end, error] = std::from_chars(begin, kept.data() + kept.size(), value);
    if (error != std::errc() || end != kept.data() + kept.size() || begin == end)
        return std::nullopt;
    return value;
}

} // namespace

Criterion ReadCriterion(std::string_view text)
{
    std::string t = WithoutBlanks(text).substr(0, kCriterionLength);
    std::replace(t.begin(), t.end(), ',', '.');
    Criterion c;
    const std::size_t dash = t.find('-');
    if (!t.empty() && isDigit(t.front()) && dash != std::string::npos) {
        c.op = CompareOp::Range;
        c.v1 = ReadReal(std::string_view(t).substr(0, dash));
        c.v2 = ReadReal(std::string_view(t).substr(dash + 1));
        if (c.v2 < c.v1)
            std::swap(c.v1, c.v2);
        return c;
    }
    std::size_t at = 0;
    c.op = operatorOf(run(t, at, isOperatorChar));
    c.v1 = ReadReal(run(t, at, isNumberChar));
    return c;
}

bool MeetsCriterion(const Criterion& c, double x)
{
    switch (c.op) {
    case CompareOp::Bare:
    case CompareOp::Equal: return x == c.v1;
    case CompareOp::Greater: return x > c.v1;
    case CompareOp::GreaterEqual: return x >= c.v1;
    case CompareOp::Less: return x < c.v1;
    case CompareOp::LessEqual: return x <= c.v1;
    case CompareOp::Range: return c.v1 <= x && x <= c.v2;
    case CompareOp::Unknown: break;
    }
    return false;
}

ValueParts SplitValue(char natureLetter, std::string_view text, const Notation& notation)
{
    const bool line = IsNatureLetter(natureLetter) && !IsPlane(natureLetter);
    const int frt = line ? notation.frtL : notation.frtS;
    std::string t = WithoutBlanks(text) + ' ';
    std::replace(t.begin(), t.end(), ',', '.');
    ValueParts parts;
    if (frt == 0) {
        std::size_t at = 0;
        parts.azimuth = ReadReal(run(t, at, isNumberChar));
        parts.sense = firstChars(run(t, at, isSenseChar), kSenseLength);
        parts.dip = ReadReal(run(t, at, isNumberChar));
        return parts;
    }
    const std::size_t slash = t.find('/');
    const std::string_view before = std::string_view(t).substr(0, slash);
    const std::string_view after =
        slash == std::string::npos ? std::string_view() : std::string_view(t).substr(slash + 1);
    const bool dipFirst = frt == 1;
    parts.azimuth = ReadReal(dipFirst ? after : before);
    parts.dip = ReadReal(dipFirst ? before : after);
    return parts;
}

std::vector<std::string> DistinctTexts(const DataSheet& sheet, Field field)
{
    std::vector<std::string> texts;
    std::unordered_set<std::string> seen;
    for (int row = 1; row <= measuredRows(sheet); ++row) {
        std::string text = firstChars(sheet.field(row, field), kValueTextLength);
        if (!text.empty() && seen.insert(text).second)
            texts.push_back(std::move(text));
    }
    return texts;
}

SearchParams ReadSearchParams(SearchParams params)
{
    params.st1 = firstChars(params.st1, kValueTextLength);
    params.st2 = firstChars(params.st2, kValueTextLength);
    params.criterion = {};
    if (params.field == Field::Value && params.mode != DataUMode::Change)
        params.criterion = ReadCriterion(params.st1);
    return params;
}

bool TesterVal(const SearchParams& params, char natureLetter, std::string_view value,
               const Notation& notation)
{
    const ValueParts parts = SplitValue(natureLetter, value, notation);
    switch (params.part) {
    case ValuePart::Sense: {
        const std::string sense = caseAs(params.respectCase, parts.sense);
        const std::string wanted = caseAs(params.respectCase, params.st1);
        return params.motEntier ? sense == wanted : sense.find(wanted) != std::string::npos;
    }
    case ValuePart::Azimuth: return MeetsCriterion(params.criterion, parts.azimuth);
    case ValuePart::Dip: return MeetsCriterion(params.criterion, parts.dip);
    }
    return false;
}

bool OfChosenKind(bool lines, char natureLetter)
{
    return IsNatureLetter(natureLetter) && IsPlane(natureLetter) != lines;
}

bool CodeMatches(const SearchParams& params, std::string_view cell)
{
    const bool select = params.mode == DataUMode::Select;
    const bool respectCase = select || params.respectCase;
    const std::string code = caseAs(respectCase, codeOf(cell));
    const std::string wanted = caseAs(respectCase, params.st1);
    if (params.motEntier)
        return code == wanted;
    if (select)
        return MatchCode(wanted, code);
    return code.find(wanted) != std::string::npos;
}

bool RowMatches(const SearchParams& params, const DataSheet& sheet, int row)
{
    if (params.field != Field::Value)
        return CodeMatches(params, sheet.field(row, params.field));
    const char letter = sheet.natureLetter(row);
    return OfChosenKind(params.lines, letter)
           && TesterVal(params, letter, sheet.field(row, Field::Value), sheet.notation());
}

std::optional<Message> CheckAnyMatch(const SearchParams& params, const DataSheet& sheet)
{
    Message warning{MsgKind::Warning, {}, Button::Ok, {}};
    if (params.st1.empty()) {
        warning.text = kMsgNoSearchValue;
        return warning;
    }
    for (int row = 1; row <= measuredRows(sheet); ++row)
        if (RowMatches(params, sheet, row))
            return std::nullopt;
    const std::string shown = firstChars(params.st1, kCriterionLength);
    static constexpr std::string_view kNoValue[] = {"No azimut", "No dip", "No sens of dip"};
    if (params.field != Field::Value)
        warning.text = "String '" + shown + "' not found";
    else
        warning.text = std::string(kNoValue[static_cast<int>(params.part)])
                       + " fitting the given criteria (" + shown + ")";
    return warning;
}

FindOutcome FindNext(const SearchParams& params, const DataSheet& sheet, int fromRow)
{
    if (params.st1.empty())
        return {0, params.versBas};
    const int step = params.versBas ? 1 : -1;
    for (int row = fromRow + step; row >= 1 && row <= measuredRows(sheet); row += step)
        if (RowMatches(params, sheet, row))
            return {row, params.versBas};
    return {0, !params.versBas};
}

DataSheet SelectRows(const SearchParams& params, const DataSheet& source, DataSheet blank,
                     const std::string& sourceTitle)
{
    DataSheet sheet = receivingSheet(std::move(blank), source);
    int kept = 0;
    for (int row = 1; row <= measuredRows(source); ++row) {
        // Rows of the other kind take no part in a value search, not even as other lines.
        if (params.field == Field::Value && !OfChosenKind(params.lines, source.natureLetter(row)))
            continue;
        if (RowMatches(params, source, row) != params.garderSel)
            continue;
        if (kept > 0 && !sheet.appendRow())
            break;
        ++kept;
        copyRow(source, row, sheet, kept, source.lMod[static_cast<std::size_t>(row)]);
    }
    sheet.lTitle = params.garderSel ? params.st1 + " (selected in " + sourceTitle + ")"
                                    : sourceTitle + " (except " + params.st1 + ")";
    if (kept > 0) {
        sheet.Numeroter();
        sheet.lDirty = true;
    }
    return sheet;
}

LineRange ReadLineRange(std::string_view from, std::string_view to, int rowCount)
{
    LineRange range;
    const std::optional<int> a = readInteger(from);
    const std::optional<int> b = readInteger(to);
    if (!a || !b) {
        const std::string_view bad = a ? to : from;
        range.refusal = Message{MsgKind::Error,
                                "'" + std::string(bad) + "' is not an integer ("
                                    + (a ? "to" : "from") + " line)",
                                Button::Ok,
                                {}};
        return range;
    }
    const int low = std::min(*a, *b);
    const int high = std::max(*a, *b);
    range.first = std::max(low, 1);
    range.last = std::min(high, rowCount);
    if (range.first > range.last)
        range.refusal =
            Message{MsgKind::Warning,
                    "No line from " + std::to_string(low) + " to " + std::to_string(high)
                        + " in the data sheet (lines 1 to " + std::to_string(rowCount) + ")",
                    Button::Ok,
                    {}};
    return range;
}

DataSheet SelectLines(const DataSheet& source, int first, int last, DataSheet blank)
{
    DataSheet sheet = receivingSheet(std::move(blank), source);
    first = std::max(first, 1);
    last = std::min(last, measuredRows(source));
    if (first > last)
        return sheet;
    sheet.setRowCount(last - first + 1);
    for (int row = first; row <= last; ++row) {
        // A row whose text waits to be decoded keeps waiting: its stored direction is not valid.
        const std::int32_t mod =
            source.lMod[static_cast<std::size_t>(row)] == kRowToDecode ? kRowToDecode : kRowChanged;
        copyRow(source, row, sheet, row - first + 1, mod);
    }
    sheet.Numeroter();
    sheet.lDirty = true;
    return sheet;
}

ChangeCheck CheckChange(const SearchParams& params)
{
    ChangeCheck check;
    if (params.st1.empty()) {
        check.stop = true;
        return check;
    }
    if (params.field == Field::Value) {
        check.stop = true;
        check.message = Message{
            MsgKind::Information, "Not possible to change the value this way...", Button::Ok, {}};
        return check;
    }
    if (params.st2.empty())
        check.message = Message{MsgKind::Confirmation,
                                "Change '" + params.st1 + "' for an empty string ?",
                                Button::Yes | Button::Cancel,
                                {}};
    return check;
}

std::optional<std::string> ChangedCell(const SearchParams& params, std::string_view cell)
{
    const std::string code = caseAs(params.respectCase, codeOf(cell));
    const std::string wanted = caseAs(params.respectCase, params.st1);
    if (params.motEntier)
        return code == wanted ? std::optional<std::string>(firstChars(params.st2, kCodeLength))
                              : std::nullopt;
    const std::size_t at = code.find(wanted);
    if (wanted.empty() || at == std::string::npos)
        return std::nullopt;
    std::string changed(codeOf(cell));
    changed.replace(at, wanted.size(), params.st2);
    return firstChars(changed, kCodeLength);
}

std::optional<CellChange> ChangeOne(const SearchParams& params, DataSheet& sheet, int row)
{
    if (params.field == Field::Value || row < 1 || row > measuredRows(sheet))
        return std::nullopt;
    const int column = sheet.columnOf(params.field);
    const std::optional<std::string> after = ChangedCell(params, sheet.cell(row, column));
    if (!after || *after == sheet.cell(row, column))
        return std::nullopt;
    CellChange change{row, column, sheet.savedRow(row), {}};
    EditGridCell(sheet, row, column, *after, false);
    change.after = sheet.savedRow(row);
    return change;
}

std::vector<CellChange> ChangeAll(const SearchParams& params, DataSheet& sheet)
{
    std::vector<CellChange> changes;
    for (int row = 1; row <= measuredRows(sheet); ++row)
        if (std::optional<CellChange> change = ChangeOne(params, sheet, row))
            changes.push_back(std::move(*change));
    return changes;
}

bool RestoreCell(DataSheet& sheet, const CellChange& change)
{
    if (change.row < 1 || change.row > sheet.rowCount() || change.column < 1
        || change.column > kFieldCount || sheet.cell(change.row, change.column) != change.newText())
        return false;
    if (sheet.savedRow(change.row) == change.after)
        sheet.restoreRow(change.row, change.before);
    else
        EditGridCell(sheet, change.row, change.column, change.oldText(), false);
    return true;
}

// ===== (end of finding, changing and selecting rows) =====================================

// ===== Rounding, sorting, listing and merging ============================================

namespace {

constexpr std::size_t kSortKeyLength = 9;

std::size_t slotOf(int row)
{
    return static_cast<std::size_t>(row);
}

// Whole degrees of an angle as the cells write it: cleaned of the last bits of the radians, so
// that a half typed in a cell is rounded as a half.
double wholeDegrees(double radians)
{
    const double degrees = std::round(radians / kDegToRad * 1e9) / 1e9;
    return RoundHalfEven(degrees) * kDegToRad;
}

void writeRounded(DataSheet& sheet, int row, const Direction& d)
{
    const Direction r = RoundedDirection(d);
    sheet.ltAz[slotOf(row)] = r.trend;
    sheet.ltPe[slotOf(row)] = r.plunge;
    sheet.setField(
        row, Field::Value,
        DirToText(false, IsPlane(sheet.natureLetter(row)), r.plunge, r.trend, sheet.notation()));
}

// The field texts of a group of rows, in the group's order.
std::vector<std::string> textsOf(const DataSheet& sheet, Field field, std::span<const int> rows)
{
    std::vector<std::string> texts;
    texts.reserve(rows.size());
    for (const int row : rows)
        texts.push_back(sheet.field(row, field));
    return texts;
}

// Orders the rows of one group by the ranks of their texts, keeping the order of equal ones, and
// appends the runs of equal ranks that hold more than one row to `ties`.
void orderGroup(std::span<int> group, const std::vector<std::string>& texts, const TextOrder& order,
                std::vector<std::span<int>>& ties)
{
    const std::vector<int> rank = order.ranks(texts);
    std::vector<std::size_t> at(group.size());
    std::iota(at.begin(), at.end(), std::size_t{0});
    std::stable_sort(at.begin(), at.end(),
                     [&](std::size_t a, std::size_t b) { return rank[a] < rank[b]; });
    const std::vector<int> rows(group.begin(), group.end());
    for (std::size_t i = 0; i < at.size(); ++i)
        group[i] = rows[at[i]];
    for (std::size_t first = 0; first < at.size();) {
        std::size_t last = first + 1;
        while (last < at.size() && rank[at[last]] == rank[at[first]])
            ++last;
        if (last - first > 1)
            ties.push_back(group.subspan(first, last - first));
        first = last;
    }
}

// The distinct texts of a column, sorted in `order`, those equal in it given once (as first met
// in row order).
std::vector<std::string> sortedCodes(const DataSheet& sheet, Field field, const TextOrder& order)
{
    std::vector<std::string> texts;
    std::unordered_set<std::string> seen;
    for (int row = 1; row <= measuredRows(sheet); ++row) {
        std::string text = firstChars(sheet.field(row, field), kValueTextLength);
        if (field == Field::Number && !text.empty())
            text = InfoCodesNumber(text);
        if (!text.empty() && seen.insert(text).second)
            texts.push_back(std::move(text));
    }
    const std::vector<int> rank = order.ranks(texts);
    std::vector<std::size_t> at(texts.size());
    std::iota(at.begin(), at.end(), std::size_t{0});
    std::stable_sort(at.begin(), at.end(),
                     [&](std::size_t a, std::size_t b) { return rank[a] < rank[b]; });
    std::vector<std::string> listed;
    for (std::size_t i = 0; i < at.size(); ++i)
        if (i == 0 || rank[at[i]] != rank[at[i - 1]])
            listed.push_back(texts[at[i]]);
    return listed;
}

void addLine(TextDocument& document, std::string_view text, bool bold = false,
             TColor colour = clBlack)
{
    TextParagraph paragraph;
    paragraph.append(text, bold, colour);
    document.paragraphs.push_back(std::move(paragraph));
}

bool sameNotation(const Notation& a, const Notation& b)
{
    return a.frtS == b.frtS && a.frtL == b.frtL;
}

// The value cell of a source row in the notations of the merged sheet, with one decimal: a row
// whose text waits to be decoded is read from it, any other from its stored direction.
std::string convertedValue(const DataSheet& source, int row, const Notation& to)
{
    const char letter = source.natureLetter(row);
    const std::string& text = source.field(row, Field::Value);
    Direction d{source.ltAz[slotOf(row)], source.ltPe[slotOf(row)]};
    if (source.lMod[slotOf(row)] == kRowToDecode) {
        const DirResult read = CellToDir(letter, text, source.notation());
        if (!read.ok)
            return text;
        d = {read.trend, read.plunge};
    }
    return DirToText(true, IsPlane(letter), d.plunge, d.trend, to);
}

void mergeRow(const DataSheet& source, int row, DataSheet& merged, int to, bool copyTexts)
{
    for (const Field f : {Field::Nature, Field::Number, Field::Location, Field::Comment})
        merged.setField(to, f, source.field(row, f));
    merged.setField(to, Field::Value,
                    copyTexts ? source.field(row, Field::Value)
                              : convertedValue(source, row, merged.notation()));
    merged.ltAz[slotOf(to)] = source.ltAz[slotOf(row)];
    merged.ltPe[slotOf(to)] = source.ltPe[slotOf(row)];
    merged.lMod[slotOf(to)] = source.lMod[slotOf(row)] == kRowToDecode ? kRowToDecode : kRowChanged;
}

} // namespace

Message RoundQuestion()
{
    Message question{
        MsgKind::Confirmation, std::string(kMsgRoundData), Button::Yes | Button::No, {}};
    question.screenCentre = true;
    return question;
}

Direction RoundedDirection(const Direction& d)
{
    return {NormalTrend(wholeDegrees(d.trend)), wholeDegrees(d.plunge)};
}

std::vector<RowRefusal> RoundData(DataSheet& sheet)
{
    std::vector<RowRefusal> refusals;
    for (int row = 1; row <= measuredRows(sheet); ++row) {
        std::int32_t& state = sheet.lMod[slotOf(row)];
        if (state == kRowSaved) {
            writeRounded(sheet, row, {sheet.ltAz[slotOf(row)], sheet.ltPe[slotOf(row)]});
            state = kRowChanged;
            continue;
        }
        const DirResult read =
            TextToDir(sheet.natureLetter(row), sheet.field(row, Field::Value), sheet.notation());
        if (!read.ok) {
            refusals.push_back({row, {MsgKind::Error, read.message, Button::Cancel, {}}});
            continue;
        }
        writeRounded(sheet, row, {read.trend, read.plunge});
    }
    if (measuredRows(sheet) > 0) {
        sheet.lDirty = true;
        sheet.lUndoWF = {};
    }
    return refusals;
}

std::string SortByNumberKey(std::string_view numberCode)
{
    std::string key(kSortKeyLength, '0');
    for (const char c : numberCode)
        if (isDigit(c))
            key += c;
    return key.substr(key.size() - kSortKeyLength);
}

void SortRows(DataSheet& sheet, const std::vector<std::string>& keys, const TextOrder& order)
{
    const int n = measuredRows(sheet);
    if (n == 0)
        return;
    std::vector<int> rows(static_cast<std::size_t>(n));
    std::iota(rows.begin(), rows.end(), 1);
    // The keys order every row; each following field only the runs of rows still equal.
    std::vector<std::span<int>> ties;
    orderGroup(rows, keys, order, ties);
    for (const Field field :
         {Field::Value, Field::Nature, Field::Number, Field::Location, Field::Comment}) {
        std::vector<std::span<int>> groups;
        groups.swap(ties);
        for (const std::span<int> group : groups)
            orderGroup(group, textsOf(sheet, field, group), order, ties);
    }
    std::vector<SavedRow> moved;
    moved.reserve(rows.size());
    for (const int row : rows)
        moved.push_back(sheet.savedRow(row));
    for (int row = 1; row <= n; ++row) {
        sheet.restoreRow(row, moved[slotOf(row - 1)]);
        if (rows[slotOf(row - 1)] != row)
            sheet.markChanged(row);
    }
    sheet.Numeroter();
    sheet.lDirty = true;
    sheet.lUndoWF = {};
}

void SortSheet(DataSheet& sheet, Field key, const TextOrder& order)
{
    std::vector<int> rows(static_cast<std::size_t>(measuredRows(sheet)));
    std::iota(rows.begin(), rows.end(), 1);
    SortRows(sheet, textsOf(sheet, key, rows), order);
}

void SortByNumber(DataSheet& sheet, const TextOrder& order)
{
    std::vector<std::string> keys;
    for (int row = 1; row <= measuredRows(sheet); ++row)
        keys.push_back(SortByNumberKey(sheet.field(row, Field::Number)));
    SortRows(sheet, keys, order);
}

std::string InfoCodesNumber(std::string_view code)
{
    std::size_t digits = 0;
    while (digits < code.size() && isDigit(code[digits]))
        ++digits;
    const std::size_t blanks = digits >= 1 && digits <= 3 ? 4 - digits : 0;
    return std::string(blanks, ' ') + std::string(code) + ' ';
}

TextDocument InfoCodes(const DataSheet& sheet, const std::string& title, const TextOrder& order)
{
    TextDocument document;
    addLine(document, "Data sheet " + title, true, clRed);
    for (const Field field : {Field::Nature, Field::Location, Field::Comment, Field::Number}) {
        addLine(document, sheet.cell(0, sheet.columnOf(field)), false, clRed);
        for (const std::string& text : sortedCodes(sheet, field, order))
            addLine(document, text);
        addLine(document, "");
    }
    return document;
}

TextDocument InfoFiles(const std::vector<TitledSheet>& sheets)
{
    TextDocument document;
    constexpr const char* kIndent = "    ";
    for (const TitledSheet& listed : sheets) {
        const DataSheet& sheet = *listed.sheet;
        const int rows = measuredRows(sheet);
        if (!sheet.lNomF.empty()) {
            const std::string folder = std::filesystem::path(sheet.lNomF).parent_path().string();
            addLine(document, "File \"" + TitleForPath(sheet.lNomF) + "\"", false, clRed);
            addLine(document, "    directory :   " + Utf8ToCp1252(folder));
            addLine(document, "    creation :  " + LongDateTime(sheet.lCreated));
            addLine(document, "    last modification :  " + LongDateTime(sheet.lModified));
            addLine(document, sformat("%s%d measurements", kIndent, rows));
        } else {
            addLine(document, "Tableau \"" + listed.title + "\"", false, clRed);
            addLine(document, sformat("%s%d mesures", kIndent, rows));
        }
        addLine(document, kIndent);
    }
    return document;
}

MergePlan PlanMerge(const std::vector<TitledSheet>& open)
{
    MergePlan plan;
    for (const TitledSheet& listed : open) {
        if (listed.sheet->isEmpty())
            continue;
        if (!plan.taken.empty()) {
            plan.titles += ",  ";
            plan.heterogeneous =
                plan.heterogeneous
                || !sameNotation(listed.sheet->notation(), plan.taken.front().sheet->notation());
        }
        plan.titles += WithoutFinalExtension(listed.title);
        plan.taken.push_back(listed);
    }
    // With no sheet to merge with, a merge would only copy one sheet, or make an empty one.
    if (plan.taken.size() < 2)
        plan.refusal =
            Message{MsgKind::Information, "Only one data sheet, unmeaning merging", Button::Ok, {}};
    return plan;
}

Message HeterogeneousQuestion()
{
    return {MsgKind::Confirmation,
            "Heterogeneous data formats, will slow down merging - continue ?",
            Button::Yes | Button::No,
            {}};
}

Message MergeQuestion(const MergePlan& plan)
{
    return {MsgKind::Confirmation,
            "Merging the data sheet : " + plan.titles + " - OK ?",
            Button::Yes | Button::No,
            {}};
}

MergeOutcome MergeSheets(const MergePlan& plan, DataSheet blank)
{
    MergeOutcome outcome{std::move(blank), {}};
    DataSheet& merged = outcome.sheet;
    // The new sheet takes the notations of the settings, which need not be those of the sheets.
    const bool copyTexts =
        std::all_of(plan.taken.begin(), plan.taken.end(), [&](const TitledSheet& listed) {
            return sameNotation(listed.sheet->notation(), merged.notation());
        });
    int to = 0;
    for (const TitledSheet& listed : plan.taken) {
        const DataSheet& source = *listed.sheet;
        for (int row = 1; row <= measuredRows(source); ++row) {
            if (to > 0 && !merged.appendRow()) {
                outcome.full = Message{MsgKind::Warning, SheetFullMessage(), Button::Ok, {}};
                break;
            }
            mergeRow(source, row, merged, ++to, copyTexts);
        }
        if (outcome.full)
            break;
    }
    merged.Numeroter();
    merged.lDirty = true;
    return outcome;
}

// ===== (end of rounding, sorting, listing and merging) ===================================

} // namespace ploq

#pragma once

// Utilities over whole data sheets. Everything here works on plain values: the windows read
// their controls into these records, call these functions and show what comes back.

#include "datasheet/Texte.h"
#include "model/DataSheet.h"
#include "platform/Prompts.h"
#include "platform/TextOrder.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ploq {

// ===== Finding, changing and selecting rows ==============================================

// What the find/change/select dialog is doing (butDlg).
enum class DataUMode : int { Select = 1, Find = 2, Change = 3 };

// The comparison of a value criterion (op). A bare number tests equality; an operator text
// that is none of these matches nothing.
enum class CompareOp : int {
    Bare = 0,
    Equal = 1,
    Greater = 2,
    GreaterEqual = 3,
    Less = 4,
    LessEqual = 5,
    Range = 6,
    Unknown = 7,
};

// A criterion on the number of a value: x op v1, or v1 <= x <= v2 for a range.
struct Criterion {
    CompareOp op = CompareOp::Bare;
    double v1 = 0;
    double v2 = 0;
};

// The criterion typed in the search box: blanks removed, 9 characters kept, "," read as ".";
// "30-10" is the range 10..30, ">=30" an operator and its number, "30" a bare number.
Criterion ReadCriterion(std::string_view text);
bool MeetsCriterion(const Criterion& criterion, double x);

// The part of a value that is tested (partieV).
enum class ValuePart : int { Azimuth = 0, Dip = 1, Sense = 2 };

// A value cell split as written: the azimuth (strike, trend, dip direction or pole trend), the
// sense letters of the quadrant notation and the dip or plunge, in degrees.
struct ValueParts {
    double azimuth = 0;
    std::string sense;
    double dip = 0;
};
// In the notation of the row's kind: planes for every letter but A, B, L (either case).
ValueParts SplitValue(char natureLetter, std::string_view text, const Notation& notation);

// The distinct non-empty texts of a field (13 characters of each), in row order: the search
// box's pick list.
std::vector<std::string> DistinctTexts(const DataSheet& sheet, Field field);

// The dialog's choices as LireParam reads them.
struct SearchParams {
    DataUMode mode = DataUMode::Find;
    std::string st1; // the search text, 13 characters at most
    std::string st2; // the replacement text, 13 characters at most
    Field field = Field::Nature;
    bool lines = true; // " val " is L: lines take part in the value column, else planes
    ValuePart part = ValuePart::Azimuth;
    bool respectCase = true;
    bool motEntier = false;
    bool garderSel = true; // keep the reached lines
    bool versBas = true;   // move down
    Criterion criterion;   // read from st1 for the value column outside Change mode
};

// The box texts cut to 13 characters and the criterion read, as LireParam finishes.
SearchParams ReadSearchParams(SearchParams params);

// Whether a value cell of a row of the chosen kind meets the criterion (TesterVal).
bool TesterVal(const SearchParams& params, char natureLetter, std::string_view value,
               const Notation& notation);
// Whether the row takes part in a value search: its nature letter is of the chosen kind.
bool OfChosenKind(bool lines, char natureLetter);
// The code comparison of a cell; Select compares case-sensitively and, without "Full word",
// with MatchCode.
bool CodeMatches(const SearchParams& params, std::string_view cell);
// Whether a row of the sheet matches, as the search of the dialog's mode tests it.
bool RowMatches(const SearchParams& params, const DataSheet& sheet, int row);

// The whole-sheet check: none when some row matches, else the warning to show.
std::optional<Message> CheckAnyMatch(const SearchParams& params, const DataSheet& sheet);
inline constexpr std::string_view kMsgNoSearchValue = "No value has been given...";

// From below or above `fromRow` (the top of the selection, 0 for none), the next row that
// matches; none when there is none, and then the direction to search next is reversed.
struct FindOutcome {
    int row = 0;
    bool versBas = true;
};
FindOutcome FindNext(const SearchParams& params, const DataSheet& sheet, int fromRow);

// The rows that match (or, for "other lines", those that do not) copied whole into a sheet
// made from `blank`, in the source's notations, titled after the search.
DataSheet SelectRows(const SearchParams& params, const DataSheet& source, DataSheet blank,
                     const std::string& sourceTitle);

// Rows a..b of the source (in either order, clipped to 1..N), or the message that refuses them.
struct LineRange {
    int first = 0;
    int last = 0;
    std::optional<Message> refusal;
};
LineRange ReadLineRange(std::string_view from, std::string_view to, int rowCount);
// Rows first..last copied into a sheet made from `blank`, with their stored directions.
DataSheet SelectLines(const DataSheet& source, int first, int last, DataSheet blank);

// One cell written by Change or Change all: its row as it was and as the change left it.
struct CellChange {
    int row = 0;
    int column = 0;
    SavedRow before;
    SavedRow after;
    const std::string& oldText() const { return before.cells[static_cast<std::size_t>(column)]; }
    const std::string& newText() const { return after.cells[static_cast<std::size_t>(column)]; }
};

// What Change and Change all do before writing anything: stop (an empty search text, the value
// column), or ask (an empty replacement: go on only on Yes). The message, when there is one, is
// to be shown.
struct ChangeCheck {
    bool stop = false;
    std::optional<Message> message;
};
ChangeCheck CheckChange(const SearchParams& params);

// The cell's text after the change, or none when the cell does not match as a search finds it.
std::optional<std::string> ChangedCell(const SearchParams& params, std::string_view cell);
// Changes the row's cell of the chosen column when it matches; cells are written as typed in
// place, so that a new nature is checked again at the next save.
std::optional<CellChange> ChangeOne(const SearchParams& params, DataSheet& sheet, int row);
std::vector<CellChange> ChangeAll(const SearchParams& params, DataSheet& sheet);
// Puts a changed cell back when it still holds its new text: a row left as the change left it
// gets back its direction and state too, any other as a cell typed in place. True when it did.
bool RestoreCell(DataSheet& sheet, const CellChange& change);

// ===== (end of finding, changing and selecting rows) =====================================

// ===== Rounding, sorting, listing and merging ============================================

// "Round data" asks this first, in the middle of the screen.
Message RoundQuestion();
inline constexpr std::string_view kMsgRoundData =
    "Decimal values will be rounded, undo not possible: ok ?";

// A row whose value cell could not be decoded: the decoder's message, to be shown.
struct RowRefusal {
    int row = 0;
    Message message;
};

// A direction in whole degrees, halves to the even one, the trend kept below 360.
Direction RoundedDirection(const Direction& d);

// Every direction to whole degrees (planes on their pole) and every value cell written from it
// without decimals. A saved row is rounded from its stored direction and becomes changed; any
// other is read again from its cell, keeping its state, and when its cell does not decode it is
// left as it is and reported. The decimals setting stays; nothing happens to an empty sheet.
std::vector<RowRefusal> RoundData(DataSheet& sheet);

// The key of "Numbers": nine zeros followed by every digit of the code, the last nine kept, so
// that 12 gives 000000012, A3b 000000003 and a code without digits nine zeros.
std::string SortByNumberKey(std::string_view numberCode);

// The rows ordered by their keys (one per row 1..N), then by value, nature, number, location
// and comment, each compared in `order`; rows equal in all of them keep their order. Whole rows
// move (cells, stored direction, state), nothing is decoded, and a row that moved is marked
// changed; the rows are numbered again and the sheet is dirty. Nothing happens to an empty
// sheet.
void SortRows(DataSheet& sheet, const std::vector<std::string>& keys, const TextOrder& order);
// "Sort (forward)" by a code column, and by the numbers of the number codes.
void SortSheet(DataSheet& sheet, Field key, const TextOrder& order);
void SortByNumber(DataSheet& sheet, const TextOrder& order);

// A number code as "Info codes" lists it: one, two or three leading digits preceded by three,
// two or one blanks, and one blank after, so that numbers up to four digits line up.
std::string InfoCodesNumber(std::string_view code);
// "Info codes": the sheet's title, then for nature, location, comment and number the heading
// and the distinct texts sorted in `order`, those equal in it listed once.
TextDocument InfoCodes(const DataSheet& sheet, const std::string& title, const TextOrder& order);

// An open sheet with the title its window shows.
struct TitledSheet {
    const DataSheet* sheet = nullptr;
    std::string title;
};

// "Info files": each sheet given (in window order) with its file, dates and size, or its title
// and size.
TextDocument InfoFiles(const std::vector<TitledSheet>& sheets);

// What merging the open sheets (in window order) will do: the sheets with rows and their titles
// without extension joined by ",  ", or the refusal when fewer than two hold rows; whether their
// notations differ, for the question to ask first.
struct MergePlan {
    std::vector<TitledSheet> taken;
    std::string titles;
    std::optional<Message> refusal;
    bool heterogeneous = false;
};
MergePlan PlanMerge(const std::vector<TitledSheet>& open);
Message HeterogeneousQuestion();
Message MergeQuestion(const MergePlan& plan);

// The merged rows in a sheet made from `blank` (with the notations of the settings), and the
// message to show when it filled up before every row was taken. Value cells are copied as they
// are when every taken sheet has the blank's notations; otherwise each is written again in the
// blank's notations with one decimal.
struct MergeOutcome {
    DataSheet sheet;
    std::optional<Message> full;
};
MergeOutcome MergeSheets(const MergePlan& plan, DataSheet blank);

// ===== (end of rounding, sorting, listing and merging) ===================================

} // namespace ploq

#include "datasheet/SheetEdit.h"

#include "datasheet/SheetEntry.h"
#include "model/UtilGlob.h"

#include <algorithm>

namespace ploq {

namespace {

std::size_t slotOf(int row)
{
    return static_cast<std::size_t>(row);
}

bool isCode(Field field)
{
    return field == Field::Number || field == Field::Location || field == Field::Comment;
}

// A restored row must be written again: the file may hold the change being undone.
SavedRow toBeSaved(SavedRow row)
{
    if (row.mod != kRowToDecode)
        row.mod = kRowChanged;
    return row;
}

void restoreRows(DataSheet& sheet, const UndoWFRecord& undo)
{
    if (sheet.rowCount() > undo.rowCount)
        sheet.setRowCount(undo.rowCount);
    for (int i = 0; i < undo.nls; ++i)
        sheet.restoreRow(undo.ixt + i, toBeSaved(undo.ts[slotOf(i)]));
}

// The state of a row whose cells changed: a row that lacks its nature or value, or whose
// nature or value changed without being checked, waits to be decoded.
std::int32_t editedState(const DataSheet& sheet, const SavedRow& row, bool directionChanged)
{
    if (directionChanged || row.mod == kRowToDecode
        || row.cells[slotOf(sheet.columnOf(Field::Nature))].empty()
        || row.cells[slotOf(sheet.columnOf(Field::Value))].empty())
        return kRowToDecode;
    return kRowChanged;
}

void markEdited(DataSheet& sheet, int row, bool directionChanged)
{
    sheet.lMod[slotOf(row)] = editedState(sheet, sheet.savedRow(row), directionChanged);
}

bool touchesDirection(const DataSheet& sheet, int left, int right)
{
    for (int column = left; column <= right; ++column)
        if (!isCode(sheet.fieldAt(column)))
            return true;
    return false;
}

void markRowsChanged(DataSheet& sheet, int first, int last)
{
    for (int row = std::max(first, 1); row <= std::min(last, sheet.rowCount()); ++row)
        sheet.markChanged(row);
}

// Undo of an entry that added a row: an empty sheet got its first row (kept blank in ts), any
// other sheet a new one at ixt.
void removeAddedRow(DataSheet& sheet, const UndoWFRecord& undo)
{
    if (undo.nls == 1) {
        sheet.restoreRow(1, undo.ts.front());
        return;
    }
    sheet.deleteRow(undo.ixt);
    markRowsChanged(sheet, undo.ixt, sheet.rowCount());
    sheet.Numeroter();
}

void reinsertDeletedRow(DataSheet& sheet, const UndoWFRecord& undo)
{
    if (sheet.rowCount() < undo.rowCount)
        sheet.insertRow(undo.ixt);
    sheet.restoreRow(undo.ixt, undo.ts.front());
    markRowsChanged(sheet, undo.ixt, sheet.rowCount());
    sheet.Numeroter();
}

void restoreNotation(DataSheet& sheet, const UndoWFRecord& undo)
{
    sheet.lFrtS = undo.frtS;
    sheet.lFrtL = undo.frtL;
    sheet.lShowDeci = undo.showDeci;
    for (int i = 0; i < undo.nls; ++i)
        sheet.restoreRow(undo.ixt + i, undo.ts[slotOf(i)]);
}

Message refusal(const std::string& text, Buttons buttons, int row)
{
    return {MsgKind::Error, text + sformat("\rLine %d", row), buttons, {}};
}

// A pasted row whose nature or value changed is checked and decoded as an entry is.
bool decodePastedRow(const DataSheet& sheet, int row, SavedRow& saved, Message& message)
{
    auto cellOf = [&](Field field) -> std::string& {
        return saved.cells[slotOf(sheet.columnOf(field))];
    };
    const NatureCheck nature = CheckNature(cellOf(Field::Nature));
    if (!nature.ok) {
        message = refusal(nature.message, Button::Ok, row);
        return false;
    }
    std::string& value = cellOf(Field::Value);
    const DirResult dir = TextToDir(nature.letter, value, sheet.notation());
    if (!dir.ok) {
        message = refusal(dir.message, Button::Cancel, row);
        return false;
    }
    const double trend = NormalTrend(dir.trend);
    value = DirToText(sheet.lShowDeci || HasDecimalSeparator(value), IsPlane(nature.letter),
                      dir.plunge, trend, sheet.notation());
    saved.azi = trend;
    saved.pen = dir.plunge;
    saved.mod = kRowChanged;
    return true;
}

} // namespace

NotationChoice ChooseNotation(NotationChoice current, int item)
{
    const auto linesLikePlanes = [](int frtS) { return frtS < 3 ? frtS : 2; };
    if (item >= 0 && item <= 4) {
        current.frtS = item;
        if (current.linesSame)
            current.frtL = linesLikePlanes(item);
    } else if (item >= 6 && item <= kLinesSameItem) {
        current.linesSame = item == kLinesSameItem;
        current.frtL = current.linesSame ? linesLikePlanes(current.frtS) : item - 6;
    }
    return current;
}

void ReNotate(DataSheet& sheet, const Notation& to)
{
    const Notation from = sheet.notation();
    SaveRowsForUndo(sheet, kUndoNotation, 1, sheet.rowCount(), 0);
    sheet.lFrtS = to.frtS;
    sheet.lFrtL = to.frtL;
    if (sheet.isEmpty())
        return;
    for (int row = 1; row <= sheet.rowCount(); ++row) {
        const std::string& text = sheet.field(row, Field::Value);
        const char letter = sheet.natureLetter(row);
        if (text.empty() || !IsNatureLetter(letter))
            continue;
        const bool decimals = HasDecimalSeparator(text);
        const auto slot = slotOf(row);
        // A text still to be decoded is all there is of its direction.
        sheet.setField(
            row, Field::Value,
            sheet.lMod[slot] == kRowToDecode
                ? Renotate(letter, text, from, to, decimals)
                : DirToText(decimals, IsPlane(letter), sheet.ltPe[slot], sheet.ltAz[slot], to));
    }
}

std::string UndoLimitMessage()
{
    return sformat("Attention, apr\xE8s modification, retour en arri\xE8re permis que pour %d "
                   "lignes du tableau",
                   kUndoRows);
}

void SaveRowsForUndo(DataSheet& sheet, int zone, int first, int last, int column)
{
    UndoWFRecord& undo = sheet.lUndoWF;
    undo = {};
    undo.zone = zone;
    undo.ixt = first;
    undo.ixl = column;
    undo.rowCount = sheet.rowCount();
    undo.frtS = sheet.lFrtS;
    undo.frtL = sheet.lFrtL;
    undo.showDeci = sheet.lShowDeci;
    // A change of notation rewrites every row, and is undone whole.
    const int kept = zone == kUndoNotation ? kMaxValues : kUndoRows;
    last = std::min({last, sheet.rowCount(), first + kept - 1});
    for (int row = first; row <= last; ++row)
        undo.ts.push_back(sheet.savedRow(row));
    undo.nls = static_cast<int>(undo.ts.size());
}

void SaveBoxForUndo(DataSheet& sheet, int box, std::string text)
{
    sheet.lUndoWF = {};
    sheet.lUndoWF.zone = box;
    sheet.lUndoWF.sU = std::move(text);
}

UndoOutcome UndoWF(DataSheet& sheet)
{
    const UndoWFRecord undo = std::move(sheet.lUndoWF);
    sheet.lUndoWF = {};
    UndoOutcome outcome{undo.zone, undo.ixt, undo.ixl, 0, {}};
    switch (undo.zone) {
    case kUndoCells:
    case kUndoModifiedRow: restoreRows(sheet, undo); break;
    case kUndoDeletedRow: reinsertDeletedRow(sheet, undo); break;
    case kUndoAddedRow:
        removeAddedRow(sheet, undo);
        outcome.row = std::min(undo.ixt, sheet.rowCount());
        break;
    case kUndoMovedRow:
        sheet.moveRow(undo.ixt, undo.ixl);
        markRowsChanged(sheet, std::min(undo.ixl, undo.ixt), std::max(undo.ixl, undo.ixt));
        outcome = {undo.zone, undo.ixl, 0, undo.ixt, {}};
        break;
    case kUndoMovedColumn:
        sheet.moveColumn(undo.ixt, undo.ixl);
        return {undo.zone, 0, undo.ixl, undo.ixt, {}};
    case kUndoNotation: restoreNotation(sheet, undo); return outcome;
    case kUndoNothing: return outcome;
    default: // an edit box
        return {undo.zone, 0, undo.zone, 0, undo.sU};
    }
    sheet.lDirty = true;
    return outcome;
}

std::string CopyBlock(const DataSheet& sheet, const CellBlock& block)
{
    if (block.top == block.bottom && block.left == block.right)
        return sheet.cell(block.top, block.left);
    std::string text;
    for (int row = block.top; row <= block.bottom; ++row) {
        for (int column = block.left; column <= block.right; ++column) {
            if (column > block.left)
                text += '\t';
            text += sheet.cell(row, column);
        }
        text += '\n';
    }
    return text;
}

std::string CutBlock(DataSheet& sheet, const CellBlock& block)
{
    std::string text = CopyBlock(sheet, block);
    SaveRowsForUndo(sheet, kUndoCells, block.top, block.bottom, block.left);
    const bool direction = touchesDirection(sheet, block.left, block.right);
    for (int row = block.top; row <= block.bottom; ++row) {
        for (int column = block.left; column <= block.right; ++column)
            sheet.setCell(row, column, {});
        markEdited(sheet, row, direction);
    }
    sheet.lDirty = true;
    return text;
}

std::vector<std::vector<std::string>> SplitBlock(std::string_view text)
{
    std::vector<std::vector<std::string>> lines;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        std::vector<std::string>& cells = lines.emplace_back();
        for (std::size_t start = 0;;) {
            const std::size_t tab = line.find('\t', start);
            cells.emplace_back(line.substr(start, tab - start));
            if (tab == std::string_view::npos)
                break;
            start = tab + 1;
        }
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return lines;
}

PastePlan PlanPaste(const DataSheet& sheet, const CellBlock& block, std::string_view text)
{
    PastePlan plan;
    std::vector<std::vector<std::string>> lines = SplitBlock(text);
    if (lines.empty() || block.top < 1 || block.left < 1)
        return plan;
    const bool fill = lines.size() == 1 && lines.front().size() == 1;
    if (fill)
        lines.assign(static_cast<std::size_t>(block.bottom - block.top + 1), lines.front());
    std::size_t width = 0;
    for (const auto& line : lines)
        width = std::max(width, line.size());
    plan.first = block.top;
    plan.left = block.left;
    plan.right = std::min(kFieldCount, block.left + static_cast<int>(width) - 1);
    const int last = block.top + static_cast<int>(lines.size()) - 1;
    if (last > kMaxValues) {
        plan.message = {MsgKind::Warning, SheetFullMessage(), Button::Ok, {}};
        return plan;
    }
    const bool decode = touchesDirection(sheet, plan.left, plan.right);
    for (int row = block.top; row <= last; ++row) {
        SavedRow saved = row <= sheet.rowCount() ? sheet.savedRow(row) : SavedRow{};
        if (saved.cells[0].empty())
            saved.cells[0] = RowNumberText(row);
        const auto& line = lines[slotOf(row - block.top)];
        for (int column = plan.left; column <= plan.right; ++column) {
            const std::size_t i = slotOf(column - plan.left);
            const std::string pasted = i < line.size() ? line[i] : std::string();
            saved.cells[slotOf(column)] =
                sheet.fieldAt(column) == Field::Value ? pasted : pasted.substr(0, kCodeLength);
        }
        if (decode && !decodePastedRow(sheet, row, saved, plan.message))
            return plan;
        if (!decode)
            saved.mod = editedState(sheet, saved, false);
        plan.rows.push_back(std::move(saved));
    }
    plan.overwritten = std::max(0, std::min(last, sheet.rowCount()) - block.top + 1);
    plan.ok = true;
    return plan;
}

void ApplyPaste(DataSheet& sheet, const PastePlan& plan)
{
    if (!plan.ok)
        return;
    const int last = plan.first + static_cast<int>(plan.rows.size()) - 1;
    SaveRowsForUndo(sheet, kUndoCells, plan.first, last, plan.left);
    if (last > sheet.rowCount())
        sheet.setRowCount(last);
    for (std::size_t i = 0; i < plan.rows.size(); ++i)
        sheet.restoreRow(plan.first + static_cast<int>(i), plan.rows[i]);
    sheet.lDirty = true;
}

void EditGridCell(DataSheet& sheet, int row, int column, const std::string& text, bool saveForUndo)
{
    if (row < 1 || row > sheet.rowCount() || column < 1 || column > kFieldCount
        || sheet.cell(row, column) == text)
        return;
    if (saveForUndo)
        SaveRowsForUndo(sheet, kUndoCells, row, row, column);
    const Field field = sheet.fieldAt(column);
    sheet.setCell(row, column, isCode(field) ? text.substr(0, kCodeLength) : text);
    // A row typed into an empty sheet makes it a sheet of one row.
    if (sheet.cell(row, 0).empty())
        sheet.setCell(row, 0, RowNumberText(row));
    sheet.lDirty = true;
    markEdited(sheet, row, !isCode(field));
    if (isCode(field))
        return;
    const auto slot = slotOf(row);
    const DirResult dir =
        CellToDir(sheet.natureLetter(row), sheet.field(row, Field::Value), sheet.notation());
    if (dir.ok) {
        sheet.ltAz[slot] = dir.trend;
        sheet.ltPe[slot] = dir.plunge;
    }
}

void MoveSheetRow(DataSheet& sheet, int from, int to)
{
    if (from < 1 || to < 1 || from > sheet.rowCount() || to > sheet.rowCount() || from == to)
        return;
    SaveRowsForUndo(sheet, kUndoMovedRow, to, to - 1, from);
    sheet.moveRow(from, to);
    markRowsChanged(sheet, std::min(from, to), std::max(from, to));
    sheet.lDirty = true;
}

void MoveSheetColumn(DataSheet& sheet, int from, int to)
{
    if (from < 1 || to < 1 || from > kFieldCount || to > kFieldCount || from == to)
        return;
    SaveRowsForUndo(sheet, kUndoMovedColumn, to, to - 1, from);
    sheet.moveColumn(from, to);
}

} // namespace ploq

#include "datasheet/SheetEntry.h"

#include "datasheet/SheetEdit.h"
#include "model/Conversion.h"
#include "model/UtilGlob.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>

namespace ploq {

namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;
constexpr std::string_view kDigits = "0123456789";

std::string cutCode(std::string_view code)
{
    return std::string(code.substr(0, kCodeLength));
}

EntryResult refused(int column, Message message)
{
    return {false, 0, column, std::move(message)};
}

EntryResult accepted(int row)
{
    return {true, row, 0, {}};
}

Message box(MsgKind kind, std::string text, Buttons buttons)
{
    return {kind, std::move(text), buttons, {}};
}

Message natureMessage(const NatureCheck& check)
{
    return box(MsgKind::Error, check.message, Button::Ok);
}

// The decoder's messages are error boxes with a Cancel button.
Message decoderMessage(const std::string& text)
{
    return box(MsgKind::Error, text, Button::Cancel);
}

void setDirection(DataSheet& sheet, int row, double trend, double plunge)
{
    const auto slot = static_cast<std::size_t>(row);
    sheet.ltAz[slot] = trend;
    sheet.ltPe[slot] = plunge;
    sheet.lMod[slot] = kRowChanged;
}

// The row that takes an entry: the blank row of an empty sheet, a new last row, or a new row
// before `rang` (the rows below keep their directions and are marked changed).
int placeRow(DataSheet& sheet, int rang)
{
    if (sheet.isEmpty())
        return 1;
    if (rang == 0 || rang > sheet.rowCount()) {
        sheet.appendRow();
        return sheet.rowCount();
    }
    sheet.insertRow(rang);
    for (int row = rang + 1; row <= sheet.rowCount(); ++row)
        sheet.markChanged(row);
    return rang;
}

bool full(const DataSheet& sheet)
{
    return !sheet.isEmpty() && sheet.rowCount() >= kMaxValues;
}

// A nature turned from a plane into a line, or the reverse, gives the row's value text another
// meaning: it is decoded again so that the stored direction follows the text.
EntryResult renature(DataSheet& sheet, int row, char letter, int column)
{
    const std::string value = sheet.field(row, Field::Value);
    if (IsPlane(letter) == IsPlane(sheet.natureLetter(row)) || value.empty())
        return accepted(row);
    const DirResult dir = TextToDir(letter, value, sheet.notation());
    if (!dir.ok)
        return refused(column, decoderMessage(dir.message));
    const double trend = NormalTrend(dir.trend);
    sheet.setField(row, Field::Value,
                   DirToText(sheet.lShowDeci || HasDecimalSeparator(value), IsPlane(letter),
                             dir.plunge, trend, sheet.notation()));
    setDirection(sheet, row, trend, dir.plunge);
    return accepted(row);
}

} // namespace

void SetHeadings(DataSheet& sheet, const std::array<std::string, kFieldCount + 1>& headings)
{
    for (int f = 0; f < kFieldCount; ++f)
        sheet.setCell(0, sheet.columnOf(static_cast<Field>(f)),
                      headings[static_cast<std::size_t>(f) + 1]);
}

DataSheet NewDataSheet(const VarGlob& settings)
{
    DataSheet sheet;
    const std::array<int, kFieldCount> columns = {settings.C1, settings.C2, settings.C3,
                                                  settings.C4, settings.C5};
    sheet.lC = IsColumnOrder(columns) ? columns : kDefaultColumns;
    sheet.lFrtS = settings.FrtS;
    sheet.lFrtL = settings.FrtL;
    sheet.lShowDeci = settings.ShowDeci;
    sheet.lUseDecl = TestBit(settings.OptVal, kOptValAddDecl);
    sheet.lDecl = settings.Decl;
    SetHeadings(sheet, settings.TNomC);
    return sheet;
}

void TakeSheetLayout(const DataSheet& sheet, VarGlob& settings)
{
    settings.FrtS = sheet.lFrtS;
    settings.FrtL = sheet.lFrtL;
    settings.C1 = sheet.lC[0];
    settings.C2 = sheet.lC[1];
    settings.C3 = sheet.lC[2];
    settings.C4 = sheet.lC[3];
    settings.C5 = sheet.lC[4];
}

void KeepSheetChoices(const DataSheet& sheet, VarGlob& settings)
{
    settings.FrtS = sheet.lFrtS;
    settings.FrtL = sheet.lFrtL;
    settings.Decl = sheet.lDecl;
    settings.ShowDeci = sheet.lShowDeci;
    // ShowDeci is read back from this bit at the next start.
    SetBit(settings.OptVal, kOptValShowDeci, sheet.lShowDeci);
    SetBit(settings.OptVal, kOptValAddDecl, sheet.lUseDecl);
}

double NormalTrend(double trend)
{
    double t = std::fmod(trend, kTwoPi);
    if (t < 0)
        t += kTwoPi;
    return t >= kTwoPi ? 0 : t;
}

DecodedEntry DecodeEntry(const DataSheet& sheet, char letter, std::string_view text)
{
    const DirResult dir = TextToDir(letter, text, sheet.notation());
    if (!dir.ok)
        return {false, 0, 0, {}, decoderMessage(dir.message)};
    const double trend = NormalTrend(dir.trend + (sheet.lUseDecl ? sheet.lDecl : 0));
    const bool decimals = sheet.lShowDeci || HasDecimalSeparator(text);
    return {true,
            trend,
            dir.plunge,
            DirToText(decimals, IsPlane(letter), dir.plunge, trend, sheet.notation()),
            {}};
}

EntryResult LigneToGrille(DataSheet& sheet, EditBoxes& boxes, int rang)
{
    if (rang < -sheet.rowCount())
        return refused(0, {});
    if (rang >= 0 && full(sheet))
        return refused(0, box(MsgKind::Warning, SheetFullMessage(), Button::Ok));
    const int natureColumn = sheet.columnOf(Field::Nature);
    const NatureCheck nature = CheckNature(boxes[static_cast<std::size_t>(natureColumn)]);
    if (!nature.ok)
        return refused(natureColumn, natureMessage(nature));
    const int valueColumn = sheet.columnOf(Field::Value);
    const DecodedEntry entry =
        DecodeEntry(sheet, nature.letter, boxes[static_cast<std::size_t>(valueColumn)]);
    if (!entry.ok)
        return refused(valueColumn, entry.message);

    for (int column = 1; column <= kFieldCount; ++column) {
        std::string& box = boxes[static_cast<std::size_t>(column)];
        box = column == valueColumn ? entry.text : cutCode(box);
    }
    // The undo of an entry into an empty sheet gives back its blank row.
    if (rang >= 0) {
        const bool empty = sheet.isEmpty();
        const int at = empty                                  ? 1
                       : rang == 0 || rang > sheet.rowCount() ? sheet.rowCount() + 1
                                                              : rang;
        SaveRowsForUndo(sheet, kUndoAddedRow, at, empty ? 1 : 0, 0);
    }
    const int row = rang < 0 ? -rang : placeRow(sheet, rang);
    for (int column = 1; column <= kFieldCount; ++column)
        sheet.setCell(row, column, boxes[static_cast<std::size_t>(column)]);
    setDirection(sheet, row, entry.trend, entry.plunge);
    sheet.Numeroter();
    sheet.lDirty = true;
    return accepted(row);
}

EntryResult ModifyCell(DataSheet& sheet, EditBoxes& boxes, int row, int column)
{
    if (sheet.isEmpty() || row < 1 || row > sheet.rowCount() || column < 1 || column > kFieldCount)
        return refused(0, {});
    std::string& text = boxes[static_cast<std::size_t>(column)];
    switch (sheet.fieldAt(column)) {
    case Field::Value: {
        const NatureCheck nature = CheckNature(sheet.field(row, Field::Nature));
        if (!nature.ok)
            return refused(sheet.columnOf(Field::Nature), natureMessage(nature));
        const DecodedEntry entry = DecodeEntry(sheet, nature.letter, text);
        if (!entry.ok)
            return refused(column, entry.message);
        text = entry.text;
        setDirection(sheet, row, entry.trend, entry.plunge);
        break;
    }
    case Field::Nature: {
        const NatureCheck nature = CheckNature(text);
        if (!nature.ok)
            return refused(column, natureMessage(nature));
        text = cutCode(text);
        const EntryResult renatured = renature(sheet, row, nature.letter, column);
        if (!renatured.ok)
            return renatured;
        break;
    }
    default:
        if (text.size() > static_cast<std::size_t>(kCodeLength))
            return refused(column, box(MsgKind::Error,
                                       sformat("%s : a code holds at most %d characters",
                                               text.c_str(), kCodeLength),
                                       Button::Ok));
    }
    sheet.setCell(row, column, text);
    sheet.markChanged(row);
    sheet.lDirty = true;
    return accepted(row);
}

void SaveRowForUndo(DataSheet& sheet, int row, int zone)
{
    SaveRowsForUndo(sheet, zone, row, row, 0);
}

int DeleteSheetRow(DataSheet& sheet, int row)
{
    if (sheet.isEmpty() || row < 1 || row > sheet.rowCount())
        return 1;
    SaveRowForUndo(sheet, row, 8);
    const bool onlyRow = sheet.rowCount() == 1;
    sheet.deleteRow(row);
    if (!onlyRow)
        for (int below = row; below <= sheet.rowCount(); ++below)
            sheet.markChanged(below);
    sheet.Numeroter();
    sheet.lDirty = true;
    return std::max(row - 1, 1);
}

void ToggleDecimals(DataSheet& sheet)
{
    SaveRowsForUndo(sheet, kUndoNotation, 1, sheet.rowCount(), 0);
    sheet.lShowDeci = !sheet.lShowDeci;
    if (sheet.isEmpty())
        return;
    for (int row = 1; row <= sheet.rowCount(); ++row) {
        const auto slot = static_cast<std::size_t>(row);
        if (sheet.lMod[slot] == kRowToDecode)
            continue;
        sheet.setField(row, Field::Value,
                       DirToText(sheet.lShowDeci, IsPlane(sheet.natureLetter(row)),
                                 sheet.ltPe[slot], sheet.ltAz[slot], sheet.notation()));
    }
}

namespace {

// The first run of digits of the text, counted up or down by one as text, so that no run is too
// long for it; written without leading zeros.
std::string countFirstDigits(std::string_view text, bool up)
{
    if (text.empty())
        return "1";
    const std::size_t first = text.find_first_of(kDigits);
    if (first == std::string_view::npos)
        return std::string(text);
    const std::size_t end = std::min(text.find_first_not_of(kDigits, first), text.size());
    std::string digits(text.substr(first, end - first));
    digits.erase(0, digits.find_first_not_of('0'));
    const char carried = up ? '9' : '0';
    if (!up && digits.empty())
        digits = "0"; // 0 has nothing to count down
    else {
        auto i = digits.size();
        while (i > 0 && digits[i - 1] == carried)
            digits[--i] = up ? '0' : '9';
        if (i == 0)
            digits.insert(digits.begin(), '1');
        else
            digits[i - 1] = static_cast<char>(digits[i - 1] + (up ? 1 : -1));
        digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size() - 1));
    }
    return std::string(text.substr(0, first)) + digits + std::string(text.substr(end));
}

} // namespace

std::string PlusOne(std::string_view text)
{
    return countFirstDigits(text, true);
}

std::string MinusOne(std::string_view text)
{
    return countFirstDigits(text, false);
}

int SheetRowHeight(int fontHeight)
{
    const int h = std::abs(fontHeight);
    return h + h / 2;
}

double ReadDeclination(std::string_view text)
{
    const std::size_t first = text.find_first_of("0123456789.,-");
    const bool west = first != std::string_view::npos && text[first] == '-';
    const double degrees = ReadReal(text);
    return (west ? -degrees : degrees) * kDegToRad;
}

std::string SheetFullMessage()
{
    return sformat("Maximum data sheet  size reached (%d)", kMaxValues);
}

} // namespace ploq

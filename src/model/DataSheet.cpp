#include "model/DataSheet.h"

#include "model/UtilGlob.h"

#include <algorithm>
#include <cmath>

namespace ploq {

std::string RowNumberText(int row)
{
    const std::string text = "000" + std::to_string(row);
    return text.substr(text.size() - 3);
}

bool IsColumnOrder(const std::array<int, kFieldCount>& columns)
{
    std::array<bool, kFieldCount + 1> seen{};
    for (int c : columns) {
        if (c < 1 || c > kFieldCount || seen[static_cast<std::size_t>(c)])
            return false;
        seen[static_cast<std::size_t>(c)] = true;
    }
    return true;
}

DataSheet::DataSheet()
    : ltAz(kValueSlots, 0.0), ltPe(kValueSlots, 0.0), lMod(kValueSlots, kRowSaved), cells_(2)
{
}

void DataSheet::setCell(int row, int column, std::string text)
{
    cells_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = std::move(text);
}

bool DataSheet::appendRow()
{
    if (rowCount() >= kMaxValues)
        return false;
    cells_.emplace_back();
    const auto row = static_cast<std::size_t>(rowCount());
    ltAz[row] = ltPe[row] = 0;
    lMod[row] = kRowSaved;
    return true;
}

bool DataSheet::insertRow(int row)
{
    if (rowCount() >= kMaxValues || row < 1 || row > rowCount() + 1)
        return false;
    cells_.insert(cells_.begin() + row, std::array<std::string, kColumnCount>{});
    const auto shift = [row, this](auto& side) {
        std::copy_backward(side.begin() + row, side.begin() + rowCount(), side.begin() + rowCount() + 1);
        side[static_cast<std::size_t>(row)] = {};
    };
    shift(ltAz);
    shift(ltPe);
    shift(lMod);
    return true;
}

void DataSheet::deleteRow(int row)
{
    if (row < 1 || row > rowCount())
        return;
    if (rowCount() == 1) {
        cells_[1] = {};
        ltAz[1] = ltPe[1] = 0;
        lMod[1] = kRowSaved;
        return;
    }
    const auto shift = [row, this](auto& side) {
        std::copy(side.begin() + row + 1, side.begin() + rowCount() + 1, side.begin() + row);
    };
    shift(ltAz);
    shift(ltPe);
    shift(lMod);
    cells_.erase(cells_.begin() + row);
}

void DataSheet::setRowCount(int count)
{
    const int before = rowCount();
    cells_.resize(static_cast<std::size_t>(std::clamp(count, 1, kMaxValues)) + 1);
    for (int row = before + 1; row <= rowCount(); ++row) {
        const auto slot = static_cast<std::size_t>(row);
        ltAz[slot] = ltPe[slot] = 0;
        lMod[slot] = kRowSaved;
    }
}

void DataSheet::moveRow(int from, int to)
{
    if (from < 1 || to < 1 || from > rowCount() || to > rowCount() || from == to)
        return;
    MoveElement(cells_.begin(), from, to);
    MoveElement(ltAz.begin(), from, to);
    MoveElement(ltPe.begin(), from, to);
    MoveElement(lMod.begin(), from, to);
}

void DataSheet::moveColumn(int from, int to)
{
    if (from < 1 || to < 1 || from > kFieldCount || to > kFieldCount || from == to)
        return;
    for (auto& row : cells_)
        MoveElement(row.begin(), from, to);
    for (int& column : lC) {
        if (column == from)
            column = to;
        else if (from < to && column > from && column <= to)
            --column;
        else if (to < from && column >= to && column < from)
            ++column;
    }
}

SavedRow DataSheet::savedRow(int row) const
{
    const auto slot = static_cast<std::size_t>(row);
    return {cells_[slot], ltAz[slot], ltPe[slot], lMod[slot]};
}

void DataSheet::restoreRow(int row, const SavedRow& saved)
{
    const auto slot = static_cast<std::size_t>(row);
    cells_[slot] = saved.cells;
    ltAz[slot] = saved.azi;
    ltPe[slot] = saved.pen;
    lMod[slot] = saved.mod;
}

void DataSheet::Numeroter()
{
    for (int row = 1; row <= rowCount(); ++row)
        setCell(row, 0, RowNumberText(row));
    // A sheet with one blank row stays empty.
    if (rowCount() == 1 && std::all_of(cells_[1].begin() + 1, cells_[1].end(),
                                       [](const std::string& c) { return c.empty(); }))
        setCell(1, 0, {});
}

Field DataSheet::fieldAt(int column) const
{
    for (int f = 0; f < kFieldCount; ++f)
        if (lC[static_cast<std::size_t>(f)] == column)
            return static_cast<Field>(f);
    return Field::Value;
}

void DataSheet::markChanged(int row)
{
    std::int32_t& state = lMod[static_cast<std::size_t>(row)];
    if (state != kRowToDecode)
        state = kRowChanged;
}

char DataSheet::natureLetter(int row) const
{
    const std::string& nature = field(row, Field::Nature);
    return nature.empty() ? '\0' : nature.front();
}

std::optional<Direction> RowDirection(const DataSheet& sheet, int row)
{
    const auto slot = static_cast<std::size_t>(row);
    Direction d{sheet.ltAz[slot], sheet.ltPe[slot]};
    if (sheet.lMod[slot] == kRowToDecode) {
        const NatureCheck nature = CheckNature(sheet.field(row, Field::Nature));
        if (!nature.ok)
            return std::nullopt;
        const DirResult read =
            TextToDir(nature.letter, sheet.field(row, Field::Value), sheet.notation());
        if (!read.ok)
            return std::nullopt;
        d = {read.trend, read.plunge};
    }
    if (!std::isfinite(d.trend) || !std::isfinite(d.plunge))
        return std::nullopt;
    return d;
}

} // namespace ploq

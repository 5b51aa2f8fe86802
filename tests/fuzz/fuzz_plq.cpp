// Arbitrary bytes as a data sheet file: loading never crashes and never yields a direction that
// is not finite and in range; whatever loads saves again, both as a new file and as an update
// of those same bytes, to exactly one record per row.

#include "datasheet/Fichier.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <numbers>
#include <sstream>
#include <string>

namespace {

using namespace ploq;

void require(bool condition)
{
    if (!condition)
        std::abort();
}

void checkRows(const DataSheet& sheet, int rows)
{
    for (int row = 1; row <= rows; ++row) {
        require(std::isfinite(sheet.ltAz[row]) && sheet.ltAz[row] >= 0);
        require(sheet.ltPe[row] >= 0 && sheet.ltPe[row] <= std::numbers::pi / 2);
        require(sheet.cell(row, 0) == RowNumberText(row));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    DataSheet sheet;
    sheet.lFrtS = static_cast<int>(size % 5);
    sheet.lFrtL = static_cast<int>(size % 3);
    sheet.lShowDeci = size % 2 == 0;
    std::istringstream in(bytes);
    if (!LoadSheetStream(in, sheet).ok)
        return 0;
    const int rows = static_cast<int>(size / kPlqRecordSize) - 1;
    require(sheet.rowCount() == std::max(rows, 1));
    checkRows(sheet, rows);

    const FixedClock clock(45422.5);
    const std::size_t expectedSize = static_cast<std::size_t>(rows + 1) * kPlqRecordSize;
    DataSheet updated = sheet;
    std::istringstream previous(bytes);
    std::ostringstream update;
    if (UpdateSheetStream(updated, previous, update, clock).ok)
        require(update.str().size() == expectedSize);
    std::ostringstream saved;
    if (SaveSheetStream(sheet, saved, clock).ok) {
        require(saved.str().size() == expectedSize);
        DataSheet reloaded = sheet;
        std::istringstream again(saved.str());
        require(LoadSheetStream(again, reloaded).ok);
        checkRows(reloaded, rows);
    }
    return 0;
}

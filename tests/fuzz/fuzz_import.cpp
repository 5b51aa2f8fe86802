// Arbitrary bytes as a text file to import: the first bytes choose the importer, its separator,
// format and fields and the sheet's notations; the rest is the file. Nothing may crash. A refusal
// carries a message, and one that names a line names the line it gives; a sheet holds 1..5000
// rows, every direction finite with its plunge in 0..90 degrees, and every value text reads back,
// in the sheet's notation, within the rounding of its numbers of the stored direction.

#include "app/VarGlob.h"
#include "datasheet/ImportExport.h"
#include "datasheet/SheetEntry.h"
#include "model/Conversion.h"
#include "model/UtilGlob.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <numbers>
#include <sstream>
#include <string>

namespace {

using namespace ploq;

constexpr std::size_t kChoiceBytes = 6;

void require(bool condition)
{
    if (!condition)
        std::abort();
}

// The angle in degrees between two axes.
double axisAngleDeg(double trend1, double plunge1, double trend2, double plunge2)
{
    const double c = std::cos(plunge1) * std::cos(plunge2) * std::cos(trend1 - trend2)
                     + std::sin(plunge1) * std::sin(plunge2);
    return std::acos(std::min(1.0, std::fabs(c))) / kDegToRad;
}

void checkRefusal(const ImportOutcome& out)
{
    require(!out.message.text.empty());
    if (out.line > 0)
        require(out.message.text.find(sformat(" : line %d : ", out.line)) != std::string::npos
                || out.message.text.find("not a convenient file") != std::string::npos);
}

void checkSheet(const ImportOutcome& out)
{
    const DataSheet& sheet = out.sheet;
    require(!sheet.isEmpty() && sheet.rowCount() >= 1 && sheet.rowCount() <= kMaxValues);
    // Whole degrees move each number by up to 0.5, so the axis by up to 0.5 x sqrt(2).
    const double tolerance = sheet.lShowDeci ? 0.1 : 0.71;
    for (int row = 1; row <= sheet.rowCount(); ++row) {
        const auto slot = static_cast<std::size_t>(row);
        const double trend = sheet.ltAz[slot];
        const double plunge = sheet.ltPe[slot];
        require(std::isfinite(trend) && trend >= 0 && trend < 2 * std::numbers::pi);
        require(std::isfinite(plunge) && plunge >= 0 && plunge <= std::numbers::pi / 2);
        const char letter = IsPlane(sheet.natureLetter(row)) ? 'S' : 'L';
        const DirResult back = CellToDir(letter, sheet.field(row, Field::Value), sheet.notation());
        require(back.ok);
        require(axisAngleDeg(back.trend, back.plunge, trend, plunge) <= tolerance);
        require(sheet.cell(row, 0) == RowNumberText(row));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < kChoiceBytes)
        return 0;
    const bool raw = data[0] & 1;
    const char separator = SeparatorOf((data[0] >> 1) % 3);
    const bool planes = (data[0] >> 3) & 1;
    const bool numberRows = (data[0] >> 4) & 1;
    const int format = data[1] % 7;
    // Fields 0 and 8 lie outside the line, to be refused.
    const auto field = [&](std::size_t i, int shift) { return data[i] / shift % 9; };
    const PloqLayout ploq{separator,   format,      field(2, 1), field(3, 1),
                          field(3, 9), field(4, 1), field(4, 9)};

    VarGlob settings;
    settings.FrtS = data[5] % 5;
    settings.FrtL = (data[5] / 5) % 3;
    settings.ShowDeci = (data[1] / 7) & 1;
    const std::string file(reinterpret_cast<const char*>(data + kChoiceBytes), size - kChoiceBytes);
    std::istringstream in(file);
    const ImportOutcome out =
        raw ? ImportRaw(in, "fuzz.txt", {separator, format, planes, numberRows},
                        NewDataSheet(settings))
            : ImportPloqText(in, "fuzz.txt", ploq, NewDataSheet(settings));
    if (out.ok)
        checkSheet(out);
    else
        checkRefusal(out);
    return 0;
}

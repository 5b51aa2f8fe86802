#pragma once

// Filling a data sheet in tests the way the sheet editor does: the value text is decoded in the
// sheet's notation, written back, and the row marked changed.

#include "model/Conversion.h"
#include "model/DataSheet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace ploq::test {

struct RowTexts {
    std::string nature;
    std::string value;
    std::string number;
    std::string location;
    std::string comment;
};

inline void EnterRow(DataSheet& sheet, const RowTexts& texts)
{
    if (!sheet.isEmpty()) {
        ASSERT_TRUE(sheet.appendRow());
    }
    const int row = sheet.rowCount();
    const Notation notation{sheet.lFrtS, sheet.lFrtL};
    const char letter = texts.nature.empty() ? '\0' : texts.nature.front();
    const DirResult dir = TextToDir(letter, texts.value, notation);
    ASSERT_TRUE(dir.ok) << texts.value << ": " << dir.message;
    sheet.setField(row, Field::Nature, texts.nature);
    sheet.setField(row, Field::Value,
                   DirToText(sheet.lShowDeci, IsPlane(letter), dir.plunge, dir.trend, notation));
    sheet.setField(row, Field::Number, texts.number);
    sheet.setField(row, Field::Location, texts.location);
    sheet.setField(row, Field::Comment, texts.comment);
    sheet.ltAz[static_cast<std::size_t>(row)] = dir.trend;
    sheet.ltPe[static_cast<std::size_t>(row)] = dir.plunge;
    sheet.lMod[static_cast<std::size_t>(row)] = kRowChanged;
    sheet.Numeroter();
    sheet.lDirty = true;
}

// Rows 1..n of lines plunging 10 toward 5 x row degrees (modulo 360), numbered 1..n, in
// dip/direction notations and whole degrees, as saved.
inline DataSheet LineRows(int n)
{
    DataSheet sheet;
    sheet.lFrtS = 1;
    sheet.lFrtL = 1;
    sheet.lShowDeci = false;
    for (int row = 1; row <= n; ++row)
        EnterRow(sheet, {"L", "10/" + std::to_string(5 * row % 360), std::to_string(row), "", ""});
    std::fill(sheet.lMod.begin(), sheet.lMod.end(), kRowSaved);
    sheet.lDirty = false;
    return sheet;
}

// The same rows: every cell, numbers included, and every stored direction, to the bit.
inline void ExpectSameRows(const DataSheet& a, const DataSheet& b)
{
    ASSERT_EQ(a.rowCount(), b.rowCount());
    for (int row = 1; row <= a.rowCount(); ++row) {
        for (int column = 0; column < kColumnCount; ++column)
            EXPECT_EQ(a.cell(row, column), b.cell(row, column)) << row << ":" << column;
        EXPECT_EQ(a.ltAz[static_cast<std::size_t>(row)], b.ltAz[static_cast<std::size_t>(row)])
            << row;
        EXPECT_EQ(a.ltPe[static_cast<std::size_t>(row)], b.ltPe[static_cast<std::size_t>(row)])
            << row;
    }
}

} // namespace ploq::test

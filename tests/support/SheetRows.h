#pragma once

// Filling a data sheet in tests the way the sheet editor does: the value text is decoded in the
// sheet's notation, written back, and the row marked changed.

#include "model/Conversion.h"
#include "model/DataSheet.h"

#include <gtest/gtest.h>

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

// Text import and export of data sheets: every value format of both importers, the layouts and
// their refusals, bad input of every kind, the export's bytes, and exported example sheets read
// back.
//
// Expected directions come from the geometry of the cases, not from the code: a plane dipping 30
// toward 120 has its pole plunging 60 toward 300; its right-hand-rule strike is 30 and its
// quadrant text "30 SE 30" (strike 30, dipping to the south-east).

#include "datasheet/ImportExport.h"

#include "app/VarGlob.h"
#include "datasheet/Fichier.h"
#include "datasheet/SheetEntry.h"
#include "support/SheetRows.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <streambuf>

namespace ploq {
namespace {

constexpr double kTolerance = 1e-9;
constexpr double kRadToDeg = 1 / kDegToRad;

double Rad(double degrees)
{
    return degrees * kDegToRad;
}

// The angle in degrees between two axes given by trend and plunge (radians).
double AxisAngleDeg(double trend1, double plunge1, double trend2, double plunge2)
{
    const double c = std::cos(plunge1) * std::cos(plunge2) * std::cos(trend1 - trend2)
                     + std::sin(plunge1) * std::sin(plunge2);
    return std::acos(std::min(1.0, std::fabs(c))) * kRadToDeg;
}

DataSheet Blank(int frtS = 1, int frtL = 1, bool decimals = false)
{
    VarGlob settings;
    settings.FrtS = frtS;
    settings.FrtL = frtL;
    settings.ShowDeci = decimals;
    return NewDataSheet(settings);
}

RawLayout Raw(int format, bool planes, char separator = '\t', bool numberRows = false)
{
    return {separator, format, planes, numberRows};
}

ImportOutcome ImportRawText(const std::string& text, const RawLayout& layout,
                            DataSheet sheet = Blank())
{
    std::istringstream in(text);
    return ImportRaw(in, "/data/field.txt", layout, std::move(sheet));
}

ImportOutcome ImportPloq(const std::string& text, const PloqLayout& layout,
                         DataSheet sheet = Blank())
{
    std::istringstream in(text);
    return ImportPloqText(in, "/data/field.txt", layout, std::move(sheet));
}

void ExpectDirection(const DataSheet& sheet, int row, double trendDeg, double plungeDeg)
{
    const auto slot = static_cast<std::size_t>(row);
    EXPECT_NEAR(sheet.ltAz[slot], Rad(trendDeg), kTolerance) << "row " << row;
    EXPECT_NEAR(sheet.ltPe[slot], Rad(plungeDeg), kTolerance) << "row " << row;
}

std::string Repeated(const std::string& line, int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += line;
    return text;
}

// ---- value formats

// One value in every format: a plane dipping 30 toward 120 (pole 300/60) and a line plunging 40
// toward 210. Lines have no formats 4..6: they read as the line format with the same order.
struct FormatCase {
    int format;
    bool plane;
    std::vector<std::string> fields;
    double trend, plunge;
};

const FormatCase kFormatCases[] = {
    {0, true, {"30 SE 30"}, 300, 60},        {1, true, {"30", "SE", "30"}, 300, 60},
    {2, true, {"30", "120"}, 300, 60},       {3, true, {"120", "30"}, 300, 60},
    {4, true, {"60", "300"}, 300, 60},       {5, true, {"300", "60"}, 300, 60},
    {6, true, {"30", "30"}, 300, 60},        {0, false, {"30 SW 40"}, 210, 40},
    {1, false, {"30", "SW", "40"}, 210, 40}, {2, false, {"40", "210"}, 210, 40},
    {3, false, {"210", "40"}, 210, 40},      {4, false, {"40", "210"}, 210, 40},
    {5, false, {"210", "40"}, 210, 40},      {6, false, {"210", "40"}, 210, 40},
};

std::string Joined(const std::vector<std::string>& fields, char separator, std::size_t count)
{
    std::string line;
    for (std::size_t i = 0; i < count; ++i)
        line += (i == 0 ? "" : std::string(1, separator)) + (i < fields.size() ? fields[i] : "");
    return line;
}

TEST(ImportRaw, EveryFormatOfPlanesAndLines)
{
    for (const FormatCase& c : kFormatCases) {
        SCOPED_TRACE(testing::Message()
                     << "format " << c.format << (c.plane ? " planes" : " lines"));
        const std::string line = Joined(c.fields, '\t', c.fields.size());
        const ImportOutcome out = ImportRawText(line + "\r\n", Raw(c.format, c.plane));
        ASSERT_TRUE(out.ok) << out.message.text;
        ASSERT_EQ(out.sheet.rowCount(), 1);
        ExpectDirection(out.sheet, 1, c.trend, c.plunge);
        EXPECT_EQ(out.sheet.field(1, Field::Nature), c.plane ? "S" : "L");
    }
}

TEST(ImportPloqText, EveryFormatOfPlanesAndLines)
{
    // The value in fields 1..3, the codes after it.
    const PloqLayout base{'\t', 0, 1, 4, 5, 6, 7};
    for (const FormatCase& c : kFormatCases) {
        SCOPED_TRACE(testing::Message()
                     << "format " << c.format << (c.plane ? " planes" : " lines"));
        PloqLayout layout = base;
        layout.format = c.format;
        const std::string line =
            Joined(c.fields, '\t', 3) + "\t" + (c.plane ? "S1" : "L1") + "\t7\tsite\tnote";
        const ImportOutcome out = ImportPloq(line + "\r\n", layout);
        ASSERT_TRUE(out.ok) << out.message.text;
        ExpectDirection(out.sheet, 1, c.trend, c.plunge);
        EXPECT_EQ(out.sheet.field(1, Field::Nature), c.plane ? "S1" : "L1");
        EXPECT_EQ(out.sheet.field(1, Field::Number), "7");
        EXPECT_EQ(out.sheet.field(1, Field::Location), "site");
        EXPECT_EQ(out.sheet.field(1, Field::Comment), "note");
    }
}

TEST(ImportFormats, LabelsAndLineFormats)
{
    EXPECT_STREQ(kPlaneFormatLabels[4], "Pole of plane (plunge, plunge-dir)(2 col)");
    EXPECT_STREQ(kPlaneFormatLabels[5], "Pole of plane (plunge-dir, plunge)(2 col)");
    const int lineFormats[] = {0, 1, 2, 3, 2, 3, 3};
    for (int format = 0; format < kPlaneFormatCount; ++format)
        EXPECT_EQ(LineFormatOf(format), lineFormats[format]) << format;
}

// ---- the cases of the raw importer

TEST(ImportRaw, DipAndDipDirectionWithTabulations)
{
    const ImportOutcome out = ImportRawText("30\t120\n", Raw(2, true));
    ASSERT_TRUE(out.ok);
    ExpectDirection(out.sheet, 1, 300, 60);
}

TEST(ImportRaw, AFirstLineWithoutTheSeparatorIsRefused)
{
    const ImportOutcome out = ImportRawText("30\t120\n", Raw(2, true, '/'));
    EXPECT_FALSE(out.ok);
    EXPECT_EQ(out.message.text,
              "\"field.txt\" : Error, probably not a convenient file, or wrong format...");
    // Format 0 is one field: a first line holding the separator does not fit it.
    EXPECT_FALSE(ImportRawText("30 SE/30\n", Raw(0, true, '/')).ok);
    EXPECT_FALSE(ImportRawText("", Raw(2, true)).ok);
    EXPECT_FALSE(ImportRawText("\n30\t120\n", Raw(2, true)).ok);
}

TEST(ImportRaw, ReadingStopsAtTheFirstEmptyLine)
{
    const ImportOutcome out = ImportRawText("30\t120\n40\t100\n\n50\t200\n", Raw(2, true));
    ASSERT_TRUE(out.ok);
    EXPECT_EQ(out.sheet.rowCount(), 2);
}

TEST(ImportRaw, RowsGetTheirLineNumberAsNumberCode)
{
    const std::string file = "30\t120\n40\t100\n50\t200\n";
    const ImportOutcome numbered = ImportRawText(file, Raw(2, true, '\t', true));
    ASSERT_TRUE(numbered.ok);
    ASSERT_EQ(numbered.sheet.rowCount(), 3);
    for (int row = 1; row <= 3; ++row)
        EXPECT_EQ(numbered.sheet.field(row, Field::Number), std::to_string(row));
    const ImportOutcome plain = ImportRawText(file, Raw(2, true));
    EXPECT_EQ(plain.sheet.field(3, Field::Number), "");
}

TEST(ImportRaw, LineEndsOfEveryKind)
{
    for (const char* end : {"\r\n", "\n", "\r"}) {
        SCOPED_TRACE(testing::Message() << "line end " << int(end[0]) << (end[1] ? "+" : ""));
        const std::string e = end;
        const ImportOutcome out = ImportRawText("30\t120" + e + "40\t100" + e, Raw(2, true));
        ASSERT_TRUE(out.ok) << out.message.text;
        ASSERT_EQ(out.sheet.rowCount(), 2);
        ExpectDirection(out.sheet, 2, 280, 50);
    }
    // A last line without its end counts; CR LF is one end, not an end and an empty line.
    const ImportOutcome mixed = ImportRawText("30\t120\r\n40\t100\r50\t200", Raw(2, true));
    ASSERT_TRUE(mixed.ok);
    EXPECT_EQ(mixed.sheet.rowCount(), 3);
}

TEST(ImportRaw, TheSecondNumberIsTheSecondFieldOnly)
{
    const ImportOutcome out = ImportRawText("30\t12\t5\n", Raw(2, true));
    ASSERT_TRUE(out.ok);
    ExpectDirection(out.sheet, 1, 192, 60);
}

TEST(ImportRaw, TheSheetIsFinished)
{
    std::istringstream in("30\t120\n40\t100\n");
    const ImportOutcome out = ImportRaw(in, "/data/site.2024.txt", Raw(2, true), Blank(1, 1));
    ASSERT_TRUE(out.ok);
    const DataSheet& s = out.sheet;
    EXPECT_EQ(s.lTitle, "site.2024 (imported)");
    EXPECT_TRUE(s.lNomF.empty());
    EXPECT_TRUE(s.lDirty);
    EXPECT_TRUE(out.message.text.empty());
    EXPECT_EQ(s.cell(1, 0), "001");
    EXPECT_EQ(s.cell(2, 0), "002");
    EXPECT_EQ(s.field(1, Field::Value), "30 / 120");
    EXPECT_EQ(s.field(2, Field::Value), "40 / 100");
    EXPECT_EQ(s.lMod[1], kRowChanged);
    EXPECT_EQ(s.lMod[2], kRowChanged);
    // The value texts follow the sheet's notation and decimals.
    const ImportOutcome quadrant = ImportRawText("30\t120\n", Raw(2, true), Blank(0, 0, true));
    EXPECT_EQ(quadrant.sheet.field(1, Field::Value), "30.0 SE 30.0");
}

// ---- capacity, bad lines and bad files

TEST(ImportRaw, StopsAtTheSheetsCapacity)
{
    const ImportOutcome full = ImportRawText(Repeated("30\t120\n", kMaxValues + 1), Raw(2, true));
    ASSERT_TRUE(full.ok);
    EXPECT_EQ(full.sheet.rowCount(), kMaxValues);
    EXPECT_EQ(full.message.kind, MsgKind::Warning);
    EXPECT_EQ(full.message.text, SheetFullMessage());
    ExpectDirection(full.sheet, kMaxValues, 300, 60);

    const ImportOutcome exact = ImportRawText(Repeated("30\t120\n", kMaxValues), Raw(2, true));
    ASSERT_TRUE(exact.ok);
    EXPECT_EQ(exact.sheet.rowCount(), kMaxValues);
    EXPECT_TRUE(exact.message.text.empty());
}

TEST(ImportPloqText, StopsAtTheSheetsCapacity)
{
    const PloqLayout layout{'/', 0, 2, 1, 3, 4, 5};
    const ImportOutcome full =
        ImportPloq(Repeated("S1/120 S 10/5/site/test\n", kMaxValues + 1), layout);
    ASSERT_TRUE(full.ok);
    EXPECT_EQ(full.sheet.rowCount(), kMaxValues);
    EXPECT_EQ(full.message.text, SheetFullMessage());
}

// A bad second line refuses the whole file, naming the line and why.
TEST(ImportRaw, BadLinesRefuseTheFile)
{
    struct Case {
        int format;
        bool planes;
        const char* line;
        const char* reason;
    };
    const Case cases[] = {
        {2, true, "95\t120", "\"95\" : dip or plunge must range from 0 to 90\xB0"},
        {2, true, "30\t800", "\"800\" : azimuth cannot exceed 360\xB0"},
        {3, true, "361\t30", "\"361\" : azimuth cannot exceed 360\xB0"},
        {4, true, "91\t30", "\"91\" : dip or plunge"},
        {6, true, "30\t90.5", "\"90.5\" : dip or plunge"},
        {3, false, "210\t95", "\"95\" : dip or plunge"},
        {0, true, "200 SE 30", "\"200\" : strike must range from 0 to 180\xB0"},
        {0, true, "30 SE 95", "\"95\" : dip or plunge"},
        {1, false, "30\tSW\t95", "\"95\" : dip or plunge"},
        {2, true, "30.5.5\t120", "\"30.5.5\" : erroneous value..."},
        {2, false, "40\t3000000000", "\"3000000000\" : erroneous value..."},
        {2, true, "30 120", "\"30 120\" : no fields separator"},
        {5, false, "210 40", "no fields separator"},
        {0, true, "   ", "\"   \" : missing value..."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        const std::string first = c.format == 0   ? "30 SE 30"
                                  : c.format == 1 ? "30\tSE\t30"
                                                  : "30\t30";
        const ImportOutcome out =
            ImportRawText(first + "\n" + c.line + "\n30\t30\n", Raw(c.format, c.planes));
        EXPECT_FALSE(out.ok);
        EXPECT_EQ(out.line, 2);
        EXPECT_EQ(out.message.kind, MsgKind::Error);
        EXPECT_EQ(out.message.text.rfind("\"field.txt\" : line 2 : ", 0), 0u) << out.message.text;
        EXPECT_NE(out.message.text.find(c.reason), std::string::npos) << out.message.text;
    }
}

TEST(ImportRaw, ValuesAtTheEndsOfTheirRangesAreTaken)
{
    const ImportOutcome out = ImportRawText("90\t360\n0\t0\n", Raw(2, true));
    ASSERT_TRUE(out.ok) << out.message.text;
    ExpectDirection(out.sheet, 1, 180, 0);
    ExpectDirection(out.sheet, 2, 180, 90);
    // A minus sign is dropped, as every reader of numbers drops it.
    const ImportOutcome signs = ImportRawText("-30\t120\n", Raw(2, true));
    ASSERT_TRUE(signs.ok);
    ExpectDirection(signs.sheet, 1, 300, 60);
}

TEST(ImportRaw, TheLineOfADipOf95IsNamed)
{
    const ImportOutcome out = ImportRawText("30\t120\n30\t120\n95\t120\n", Raw(2, true));
    EXPECT_FALSE(out.ok);
    EXPECT_EQ(out.line, 3);
    EXPECT_EQ(out.message.text,
              "\"field.txt\" : line 3 : \"95\" : dip or plunge must range from 0 to 90\xB0");
}

// Serves the bytes, then fails as a disk would.
class FailingBuffer : public std::streambuf {
public:
    explicit FailingBuffer(std::string bytes) : bytes_(std::move(bytes))
    {
        setg(bytes_.data(), bytes_.data(), bytes_.data() + bytes_.size());
    }

protected:
    int_type underflow() override { throw std::runtime_error("input/output error"); }

private:
    std::string bytes_;
};

TEST(ImportRaw, AReadErrorHalfWayRefusesTheFile)
{
    for (const char* bytes : {"30\t120\n40\t100\n50\t2", "30\t120\n40\t100\n", ""}) {
        FailingBuffer buffer(bytes);
        std::istream in(&buffer);
        const ImportOutcome out = ImportRaw(in, "/data/field.txt", Raw(2, true), Blank());
        EXPECT_FALSE(out.ok) << bytes;
        EXPECT_EQ(out.message.text, "\"field.txt\" : Read error");
    }
    FailingBuffer buffer("S1/120 S 10/5\n");
    std::istream in(&buffer);
    EXPECT_EQ(ImportPloqText(in, "/data/field.txt", PloqLayout{}, Blank()).message.text,
              "\"field.txt\" : Read error");
}

TEST(ImportFiles, AFileThatCannotBeOpenedIsRefused)
{
    const test::TempDir dir;
    const std::string missing = (dir.path() / "none.txt").string();
    for (const ImportOutcome& out : {ImportRawFile(missing, Raw(2, true), Blank()),
                                     ImportPloqFile(missing, PloqLayout{}, Blank())}) {
        EXPECT_FALSE(out.ok);
        EXPECT_EQ(out.message.kind, MsgKind::Warning);
        EXPECT_EQ(out.message.text, kMsgUnableToOpen);
    }
}

TEST(ImportFiles, AFileIsReadAndNamesTheSheet)
{
    const test::TempDir dir;
    const std::string path = (dir.path() / "Col du Pré.txt").string();
    std::ofstream(path, std::ios::binary) << "S1/120 S 10/5/site/test\r\nL2/30 SW 40/6//\r\n";
    const ImportOutcome out = ImportPloqFile(path, PloqLayout{}, Blank());
    ASSERT_TRUE(out.ok) << out.message.text;
    EXPECT_EQ(out.sheet.rowCount(), 2);
    EXPECT_EQ(out.sheet.lTitle, "Col du Pr\xE9 (imported)");
    const ImportOutcome raw = ImportRawFile(path, Raw(0, true, '-'), Blank());
    EXPECT_FALSE(raw.ok);
    EXPECT_EQ(raw.message.text.find("\"Col du Pr\xE9.txt\" : line 1"), 0u) << raw.message.text;
}

// ---- Ploq data

TEST(ImportPloqText, FieldsOfTheDefaultLayout)
{
    const VarGlob defaults;
    const ImportOutcome out = ImportPloq("S1/120 S 10/5/site/test\n", PloqLayoutOf(defaults));
    ASSERT_TRUE(out.ok) << out.message.text;
    ExpectDirection(out.sheet, 1, 30, 80);
    const DataSheet& s = out.sheet;
    EXPECT_EQ(s.field(1, Field::Nature), "S1");
    EXPECT_EQ(s.field(1, Field::Number), "5");
    EXPECT_EQ(s.field(1, Field::Location), "site");
    EXPECT_EQ(s.field(1, Field::Comment), "test");
    EXPECT_EQ(s.field(1, Field::Value), "10 / 210");
}

TEST(ImportPloqText, FieldsAnywhereFromOneToSeven)
{
    const PloqLayout last{'/', 0, 7, 1, 6, 5, 4};
    const ImportOutcome out = ImportPloq("L1/a/b/c/d/e/30 SW 40/ignored\n", last);
    ASSERT_TRUE(out.ok) << out.message.text;
    ExpectDirection(out.sheet, 1, 210, 40);
    EXPECT_EQ(out.sheet.field(1, Field::Number), "e");
    EXPECT_EQ(out.sheet.field(1, Field::Location), "d");
    EXPECT_EQ(out.sheet.field(1, Field::Comment), "c");
}

TEST(ImportPloqText, MissingFieldsAreEmptyAndLongCodesCut)
{
    const PloqLayout layout{'/', 2, 2, 1, 4, 5, 6};
    const ImportOutcome out = ImportPloq("L1/40\nS123456789AB/30/120/N1234567890\n", layout);
    ASSERT_TRUE(out.ok) << out.message.text;
    ExpectDirection(out.sheet, 1, 0, 40);
    EXPECT_EQ(out.sheet.field(1, Field::Number), "");
    EXPECT_EQ(out.sheet.field(2, Field::Nature), "S12345678");
    EXPECT_EQ(out.sheet.field(2, Field::Number), "N12345678");
    ExpectDirection(out.sheet, 2, 300, 60);
}

TEST(ImportPloqText, TheNatureTellsPlanesFromLines)
{
    const PloqLayout layout{'/', 2, 2, 1, 4, 5, 6};
    const ImportOutcome out =
        ImportPloq("f/30/120\np/30/120\ns/30/120\nA/30/120\nx/30/120\n", layout);
    ASSERT_TRUE(out.ok) << out.message.text;
    for (int row = 1; row <= 3; ++row)
        ExpectDirection(out.sheet, row, 300, 60);
    // Lines in format 2: plunge 30 toward 120.
    ExpectDirection(out.sheet, 4, 120, 30);
    ExpectDirection(out.sheet, 5, 120, 30);
}

TEST(ImportPloqText, LayoutsThatReachNoFieldAreRefusedBeforeReading)
{
    struct Case {
        PloqLayout layout;
        const char* part;
    };
    const Case cases[] = {
        {{'/', 1, 6, 1, 2, 3, 4}, "\"value\" : fields 6 to 8"},
        {{'/', 2, 7, 1, 2, 3, 4}, "\"value\" : fields 7 to 8"},
        {{'/', 0, 2, 0, 3, 4, 5}, "\"nature\" : field 0"},
        {{'/', 0, 2, 1, 3, 4, 8}, "\"comment\" : field 8"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.part);
        const ImportOutcome out = ImportPloq("S1/30/120/5/6/7/8\n", c.layout);
        EXPECT_FALSE(out.ok);
        EXPECT_EQ(out.line, 0);
        EXPECT_NE(out.message.text.find(c.part), std::string::npos) << out.message.text;
        EXPECT_NE(out.message.text.find("\"Options\""), std::string::npos);
    }
    EXPECT_FALSE(PloqLayoutProblem({'/', 0, 7, 1, 2, 3, 4}));
    EXPECT_FALSE(PloqLayoutProblem({'/', 1, 5, 1, 2, 3, 4}));
}

TEST(ImportPloqText, AFirstLineWithoutTheSeparatorIsRefused)
{
    const ImportOutcome out = ImportPloq("S1\t120 S 10\t5\n", PloqLayout{});
    EXPECT_FALSE(out.ok);
    EXPECT_EQ(out.message.text, "\"field.txt\" : Error, maybe not a convenient file, or wrong "
                                "fields separator (check in \"Options\")...");
    EXPECT_FALSE(ImportPloq("", PloqLayout{}).ok);
}

TEST(ImportPloqText, BadLinesRefuseTheFile)
{
    const PloqLayout layout{'/', 2, 2, 1, 4, 5, 6};
    const ImportOutcome out = ImportPloq("S1/30/120\nS2/30/120\nL3/95/120\n", layout);
    EXPECT_FALSE(out.ok);
    EXPECT_EQ(out.line, 3);
    EXPECT_EQ(out.message.text,
              "\"field.txt\" : line 3 : \"95\" : dip or plunge must range from 0 to 90\xB0");
    const ImportOutcome empty = ImportPloq("S1/120 S 10\nS2//5\n", PloqLayout{});
    EXPECT_FALSE(empty.ok);
    EXPECT_EQ(empty.line, 2);
}

TEST(ImportPloqText, AnExportSkipsItsHeaderAndLosesItsAlignment)
{
    const std::string file = "Ploq file : site\r\n"
                             "planes : dip, dip direction\r\n"
                             "lines : plunge, plunge direction\r\n"
                             "columns : nat\xA6val (1 or 2 col)\xA6num\xA6loc\xA6"
                             "com\r\n"
                             "S0       \t   10.0\t  210.0\t       1\t      Col\t     limb\r\n"
                             "L1       \t   40.0\t  210.0\t       2\t      Col\t         \r\n";
    const ImportOutcome out = ImportPloq(file, {'\t', 2, 2, 1, 4, 5, 6});
    ASSERT_TRUE(out.ok) << out.message.text;
    ASSERT_EQ(out.sheet.rowCount(), 2);
    EXPECT_EQ(out.sheet.field(1, Field::Nature), "S0");
    EXPECT_EQ(out.sheet.field(1, Field::Number), "1");
    EXPECT_EQ(out.sheet.field(1, Field::Location), "Col");
    EXPECT_EQ(out.sheet.field(1, Field::Comment), "limb");
    EXPECT_EQ(out.sheet.field(2, Field::Comment), "");
    ExpectDirection(out.sheet, 1, 30, 80);
    ExpectDirection(out.sheet, 2, 210, 40);
    // Other files keep their codes as they are.
    const ImportOutcome kept = ImportPloq("S0 /30/120/ 1\n", {'/', 2, 2, 1, 4, 5, 6});
    EXPECT_EQ(kept.sheet.field(1, Field::Nature), "S0 ");
    EXPECT_EQ(kept.sheet.field(1, Field::Number), " 1");
    // An export without rows is no file of measurements.
    EXPECT_FALSE(ImportPloq(file.substr(0, file.find("S0 ")), {'\t', 2, 2, 1, 4, 5, 6}).ok);
}

// ---- the import dialog's labels

TEST(ImportLabels, WhatTheFileMustHold)
{
    VarGlob s;
    s.IpFS = 1;
    s.IpFR = 5;
    s.IpSep = 0;
    s.IpNat = 1;
    s.IpVal = 2;
    struct Case {
        bool raw, planes, numbered;
        int ipFS, ipSep;
        std::array<const char*, 4> labels;
    };
    const Case cases[] = {
        {false,
         true,
         false,
         1,
         0,
         {"expected for planes : Az, Quadrant, Dip (3 col)",
          "expected for lines : Trend, Quadrant, Plunge (3 col)",
          "\"nature\" : column 1, \"value\" : columns 2 to 4",
          "expected fields separator : tabulation"}},
        {false,
         false,
         false,
         0,
         1,
         {"expected for planes : Az Quadrant Dip (1 col)",
          "expected for lines : Trend Quadrant Plunge (1 col)",
          "\"nature\" : column 1, \"value\" : column 2", "expected fields separator : slash (/)"}},
        {false,
         false,
         false,
         4,
         2,
         {"expected for planes : Pole of plane (plunge, plunge-dir)(2 col)",
          "expected for lines : Plunge, plunge-direction (2 col)",
          "\"nature\" : column 1, \"value\" : columns 2 to 3",
          "expected fields separator : dash (-)"}},
        {true,
         true,
         true,
         1,
         0,
         {"expected for planes : Pole of plane (plunge-dir, plunge)(2 col)",
          "expected for lines : Plunge-direction, plunge (2 col)",
          "importation of planes, code \"number\" = line number",
          "expected fields separator : tabulation"}},
        {true,
         false,
         false,
         1,
         0,
         {"expected for planes : Pole of plane (plunge-dir, plunge)(2 col)",
          "expected for lines : Plunge-direction, plunge (2 col)",
          "importation of lines, no code \"number\"", "expected fields separator : tabulation"}},
    };
    for (const Case& c : cases) {
        s.IpFS = c.ipFS;
        s.IpSep = c.ipSep;
        SetBit(s.StyleGene, kGeneImportNumber, c.numbered);
        const std::array<std::string, 4> labels = ImportLabels(s, c.raw, c.planes);
        for (std::size_t i = 0; i < labels.size(); ++i)
            EXPECT_EQ(labels[i], c.labels[i]);
    }
}

// ---- export

DataSheet TypedSheet(int frtS, int frtL, const std::vector<test::RowTexts>& rows)
{
    DataSheet sheet = Blank(frtS, frtL);
    for (const test::RowTexts& row : rows)
        test::EnterRow(sheet, row);
    return sheet;
}

TEST(ExportSheet, TheHeaderLines)
{
    const ExportOutcome out =
        ExportSheetLines(TypedSheet(1, 1, {{"S0", "10/210", "1", "Col", "limb"}}), "site");
    ASSERT_TRUE(out.ok);
    ASSERT_EQ(out.lines.size(), 5u);
    EXPECT_EQ(out.lines[0], "Ploq file : site");
    EXPECT_EQ(out.lines[1], "planes : dip, dip direction");
    EXPECT_EQ(out.lines[2], "lines : plunge, plunge direction");
    EXPECT_EQ(out.lines[3], "columns : nat\xA6val (1 or 2 col)\xA6num\xA6loc\xA6"
                            "com");
    EXPECT_EQ(out.lines[4], "S0       \t   10.0\t  210.0\t       1\t      Col\t     limb");
    std::ostringstream bytes;
    ASSERT_TRUE(WriteSheetText(bytes, out.lines));
    EXPECT_EQ(bytes.str().substr(0, 18), "Ploq file : site\r\n");
}

TEST(ExportSheet, TheValueInEveryNotation)
{
    // A plane dipping 10 toward 210 and a line plunging 40 toward 210.
    struct Case {
        int frtS, frtL;
        const char* plane;
        const char* line;
        const char* planeField;
        const char* lineField;
        const char* description;
    };
    const Case cases[] = {
        {0, 0, "120 SW 10", "30 SW 40", "120 SW 10    \t", "30 SW 40     \t",
         "strike, dip orientation, dip"},
        {1, 1, "10/210", "40/210", "   10.0\t  210.0\t", "   40.0\t  210.0\t",
         "dip, dip direction"},
        {2, 2, "210/10", "210/40", "  210.0\t   10.0\t", "  210.0\t   40.0\t", "dip direction,dip"},
        {3, 1, "30/80", "40/210", "   30.0\t   80.0\t", "   40.0\t  210.0\t",
         "pole of plane (dip direction,dip)"},
        {4, 2, "120/10", "210/40", "  120.0\t   10.0\t", "  210.0\t   40.0\t",
         "right hand rule : (strike,dip)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.description);
        const DataSheet sheet =
            TypedSheet(c.frtS, c.frtL, {{"S", c.plane, "", "", ""}, {"L", c.line, "", "", ""}});
        const ExportOutcome out = ExportSheetLines(sheet, "t");
        ASSERT_TRUE(out.ok);
        ASSERT_EQ(out.lines.size(), 6u);
        EXPECT_EQ(out.lines[1], std::string("planes : ") + c.description);
        EXPECT_EQ(out.lines[4].substr(10, std::string(c.planeField).size()), c.planeField);
        EXPECT_EQ(out.lines[5].substr(10, std::string(c.lineField).size()), c.lineField);
    }
}

TEST(ExportSheet, CodesAreReducedAndAligned)
{
    DataSheet sheet = TypedSheet(
        1, 1,
        {{"S-1 x", "10/210", "A-12/b", "abc", "long comm"}, {"L1", "40/210", "N12345678", "", ""}});
    const ExportOutcome out = ExportSheetLines(sheet, "t");
    ASSERT_TRUE(out.ok);
    EXPECT_EQ(out.lines[4], "S1x      \t   10.0\t  210.0\t    A12b\t      abc\tlong comm");
    EXPECT_EQ(out.lines[5], "L1       \t   40.0\t  210.0\t12345678\t         \t         ");
}

TEST(ExportSheet, AnEmptySheetGivesTheHeaderOnly)
{
    const ExportOutcome out = ExportSheetLines(Blank(), "empty");
    ASSERT_TRUE(out.ok);
    EXPECT_EQ(out.lines.size(), 4u);
}

TEST(ExportSheet, ValuesWaitingToBeDecoded)
{
    DataSheet sheet =
        TypedSheet(1, 1, {{"S0", "10/210", "", "", ""}, {"S1", "10/210", "", "", ""}});
    sheet.setField(1, Field::Value, "20/100");
    sheet.lMod[1] = kRowToDecode;
    const ExportOutcome decoded = ExportSheetLines(sheet, "t");
    ASSERT_TRUE(decoded.ok);
    EXPECT_EQ(decoded.lines[4].substr(10, 16), "   20.0\t  100.0\t");

    sheet.setField(2, Field::Value, "95/100");
    sheet.lMod[2] = kRowToDecode;
    const ExportOutcome refused = ExportSheetLines(sheet, "t");
    EXPECT_FALSE(refused.ok);
    EXPECT_TRUE(refused.lines.empty());
    EXPECT_EQ(refused.message.text, "Line 2 has no valid direction: type its value again");
}

// ---- export, then import

std::string LettersAndDigits(const std::string& code)
{
    std::string kept;
    for (char c : code)
        if (std::isalnum(static_cast<unsigned char>(c)))
            kept += c;
    return kept;
}

std::string WithoutOuterBlanks(const std::string& code)
{
    const auto first = code.find_first_not_of(' ');
    return first == std::string::npos ? ""
                                      : code.substr(first, code.find_last_not_of(' ') - first + 1);
}

TEST(ExportThenImport, TheExampleSheetsComeBack)
{
    struct Case {
        int frtS, frtL;
        PloqLayout layout;
    };
    const Case cases[] = {
        {0, 0, {'\t', 0, 2, 1, 3, 4, 5}},
        {1, 1, {'\t', 2, 2, 1, 4, 5, 6}},
    };
    for (const char* name : {"cross-bedding.plq", "folded-area.plq"})
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << name << " in " << c.frtS << "," << c.frtL);
            DataSheet original = Blank(c.frtS, c.frtL);
            ASSERT_TRUE(LoadSheetFile(std::string(PLOQ_EXAMPLES) + "/" + name, original).ok);
            const ExportOutcome exported = ExportSheetLines(original, name);
            ASSERT_TRUE(exported.ok);
            std::stringstream text;
            ASSERT_TRUE(WriteSheetText(text, exported.lines));
            const ImportOutcome back =
                ImportPloqText(text, "exported.txt", c.layout, Blank(c.frtS, c.frtL));
            ASSERT_TRUE(back.ok) << back.message.text;
            const DataSheet& copy = back.sheet;
            ASSERT_EQ(copy.rowCount(), original.rowCount());
            for (int row = 1; row <= original.rowCount(); ++row) {
                const auto slot = static_cast<std::size_t>(row);
                EXPECT_EQ(copy.field(row, Field::Nature),
                          LettersAndDigits(original.field(row, Field::Nature)));
                std::string number = LettersAndDigits(original.field(row, Field::Number));
                EXPECT_EQ(copy.field(row, Field::Number),
                          number.substr(number.size() > 8 ? number.size() - 8 : 0));
                EXPECT_EQ(copy.field(row, Field::Location),
                          WithoutOuterBlanks(original.field(row, Field::Location)));
                EXPECT_EQ(copy.field(row, Field::Comment),
                          WithoutOuterBlanks(original.field(row, Field::Comment)));
                EXPECT_LT(AxisAngleDeg(copy.ltAz[slot], copy.ltPe[slot], original.ltAz[slot],
                                       original.ltPe[slot]),
                          0.05)
                    << "row " << row;
                EXPECT_EQ(copy.field(row, Field::Value), original.field(row, Field::Value));
            }
        }
}

} // namespace
} // namespace ploq

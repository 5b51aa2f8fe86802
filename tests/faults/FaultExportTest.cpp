#include "datasheet/Fichier.h"
#include "faults/Faults.h"
#include "model/UtilGlob.h"
#include "support/SheetRows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

namespace ploq {
namespace {

constexpr std::string_view kLetters = "FMB"; // weak, medium, strong, as OptFltCodes starts

struct Row {
    const char* nature;
    double trendDeg; // of the line, or of the plane's pole
    double plungeDeg;
    const char* number = "1";
    const char* location = "";
};

std::vector<InfoVal> rows(std::initializer_list<Row> list)
{
    std::vector<InfoVal> values;
    for (const Row& r : list) {
        InfoVal v;
        v.na = r.nature;
        v.azi = r.trendDeg * kDegToRad;
        v.pen = r.plungeDeg * kDegToRad;
        v.nu = r.number;
        v.lo = r.location;
        values.push_back(v);
    }
    return values;
}

// A fault dipping 60 towards 090 (its pole 270/30) and its down-dip striae 090/60.
std::vector<InfoVal> downDipPair(const char* fault, const char* striae, const char* number = "12a",
                                 const char* location = "Col")
{
    return rows({{fault, 270, 30, number, location}, {striae, 90, 60, number, location}});
}

std::vector<std::string> exported(FaultLayout layout, const std::vector<InfoVal>& values,
                                  std::string_view letters = kLetters)
{
    std::vector<std::string> lines = FaultExportLines(layout, values, letters);
    if (layout == FaultLayout::Tektonic && lines.size() >= 10)
        lines.erase(lines.begin(), lines.begin() + 10);
    return lines;
}

std::string onlyLine(FaultLayout layout, const std::vector<InfoVal>& values,
                     std::string_view letters = kLetters)
{
    const std::vector<std::string> lines = exported(layout, values, letters);
    EXPECT_EQ(lines.size(), 1u);
    return lines.empty() ? std::string() : lines.front();
}

// The published example of each layout, byte for byte.
TEST(FaultExport, TheExampleLinesOfEachLayout)
{
    const std::vector<InfoVal> pair = downDipPair("FN1B", "LN.B");
    EXPECT_EQ(onlyLine(FaultLayout::StressThV, pair),
              "Col      12 C N 1  90.0  60.0    90.0         0     0.0     0.0     0.0");
    EXPECT_EQ(onlyLine(FaultLayout::Tektonic, pair), "21, 90.00,60.00, 90.00,60.00");
    EXPECT_EQ(onlyLine(FaultLayout::Yamaji, pair), "    90.0   60.0    90.0   60.0   N");

    const std::vector<std::string> tektonic =
        FaultExportLines(FaultLayout::Tektonic, pair, kLetters);
    ASSERT_EQ(tektonic.size(), 11u);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(tektonic[static_cast<std::size_t>(i)], ";");
    EXPECT_TRUE(FaultExportLines(FaultLayout::StressThV, {}, kLetters).empty());
    EXPECT_EQ(FaultExportLines(FaultLayout::Tektonic, {}, kLetters).size(), 10u);
}

TEST(FaultExport, TitlesDropTheSheetsExtension)
{
    struct Case {
        const char* sheet;
        const char* stress;
        const char* tektonic;
        const char* yamaji;
    };
    const Case cases[] = {
        {"site.plq", "(Stress ThV) site (Th.V)", "(Tektonic) site.cor", "(Yamaji) site.fdt"},
        {"site.2024.plq", "(Stress ThV) site.2024 (Th.V)", "(Tektonic) site.2024.cor",
         "(Yamaji) site.2024.fdt"},
        {"Data sheet 1", "(Stress ThV) Data sheet 1 (Th.V)", "(Tektonic) Data sheet 1.cor",
         "(Yamaji) Data sheet 1.fdt"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FaultExportTitle(FaultLayout::StressThV, c.sheet), c.stress);
        EXPECT_EQ(FaultExportTitle(FaultLayout::Tektonic, c.sheet), c.tektonic);
        EXPECT_EQ(FaultExportTitle(FaultLayout::Yamaji, c.sheet), c.yamaji);
    }
}

// The entry dialog's order (confidence, chronology) and the older one export alike.
TEST(FaultExport, QualityAndChronologyInEitherOrder)
{
    struct Case {
        const char* fault;
        const char* striae;
        std::string_view letters;
        const char* stressCodes; // quality, sense, chronology
        const char* tektonicCodes;
    };
    const Case cases[] = {
        {"FNB1", "LNB1", kLetters, " C N 1", "21"},
        {"FN1B", "LN1B", kLetters, " C N 1", "21"},
        {"FNM3", "LNM3", kLetters, " P N 3", "22"},
        {"FN3M", "LN3M", kLetters, " P N 3", "22"},
        {"FNF4", "LN4F", kLetters, " S N 4", "23"},
        {"fnm2", "lnm2", kLetters, " P N 2", "22"},
        // No qualifiers: quality unknown, chronology 1.
        {"FN..", "LN..", kLetters, " ? N 1", "20"},
        {"FN", "LN", kLetters, " ? N 1", "20"},
        {"FN.2", "LN2.", kLetters, " ? N 2", "20"},
        // A chronology out of 1-9 is none.
        {"FNB0", "LNB0", kLetters, " C N 1", "21"},
        // The letters of the options, not the defaults.
        {"FNw2", "LNw2", "wms", " S N 2", "23"},
        {"FNB2", "LNB2", "wms", " ? N 2", "20"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        const std::vector<InfoVal> pair = downDipPair(c.fault, c.striae);
        EXPECT_EQ(onlyLine(FaultLayout::StressThV, pair, c.letters).substr(11, 6), c.stressCodes);
        EXPECT_EQ(onlyLine(FaultLayout::Tektonic, pair, c.letters).substr(0, 2), c.tektonicCodes);
    }
}

TEST(FaultExport, SitesAndNumbersOfTheStressLayout)
{
    struct Case {
        const char* number;
        const char* location;
        const char* start; // site and number
    };
    const Case cases[] = {
        {"12a", "Col", "Col      12"},    {"a12", "Col", "Col       0"},
        {"", "Col", "Col       0"},       {"7", "", "?         7"},
        {"7", "Road cut", "Road      7"}, {"123456", "Ridge", "Ridge123456"},
    };
    for (const Case& c : cases) {
        const std::string line =
            onlyLine(FaultLayout::StressThV, downDipPair("FN..", "LN..", c.number, c.location));
        EXPECT_EQ(line.substr(0, 11), c.start) << c.number << " " << c.location;
        EXPECT_EQ(line.size(), 71u);
    }
}

// Which sense each layout writes: Stress ThV the fault row's, the others the striae row's, or
// the fault row's when the striae names none; unknown on both gives no sense.
TEST(FaultExport, SenseOfEachLayout)
{
    struct Case {
        const char* fault;
        const char* striae;
        char stress;
        char tektonic;
        char yamaji;
    };
    const Case cases[] = {
        {"FI..", "LI..", 'R', '1', 'R'},
        {"FR..", "LR..", 'R', '1', 'R'},
        {"FD..", "LD..", 'D', '3', 'D'},
        {"FS..", "LS..", 'S', '4', 'S'},
        // An edited striae row: each layout reads its own row.
        {"FN..", "LD..", 'N', '3', 'D'},
        // The light code carries no sense: the fault's.
        {"FDB2", "L", 'D', '3', 'D'},
        {"FS..", "L...", 'S', '4', 'S'},
        {"FN..", "LX..", 'N', '2', 'N'},
        // Unknown on both rows.
        {"F...", "L...", '.', '0', '.'},
        {"F", "L", '.', '0', '.'},
        {"F.M2", "LXM2", '.', '0', '.'},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.fault) + " " + c.striae);
        const std::vector<InfoVal> pair = downDipPair(c.fault, c.striae);
        EXPECT_EQ(onlyLine(FaultLayout::StressThV, pair)[14], c.stress);
        EXPECT_EQ(onlyLine(FaultLayout::Tektonic, pair)[0], c.tektonic);
        EXPECT_EQ(onlyLine(FaultLayout::Yamaji, pair).back(), c.yamaji);
    }
}

// A pair of unknown sense does not take the sense of the pair before it.
TEST(FaultExport, AnUnknownSenseIsNotThePreviousPairs)
{
    std::vector<InfoVal> values = downDipPair("FN..", "LN..");
    for (const InfoVal& v : downDipPair("F...", "LX..", "13"))
        values.push_back(v);
    const std::vector<std::string> tektonic = exported(FaultLayout::Tektonic, values);
    ASSERT_EQ(tektonic.size(), 2u);
    EXPECT_EQ(tektonic[0].substr(0, 2), "20");
    EXPECT_EQ(tektonic[1].substr(0, 2), "00");
    const std::vector<std::string> yamaji = exported(FaultLayout::Yamaji, values);
    ASSERT_EQ(yamaji.size(), 2u);
    EXPECT_EQ(yamaji[1].substr(yamaji[1].size() - 4), "   .");
}

// The light code: the striae row carries no qualifiers either, the fault row's are exported.
TEST(FaultExport, TheLightCodeTakesTheFaultsQualifiers)
{
    EXPECT_EQ(onlyLine(FaultLayout::Tektonic, downDipPair("FRM3", "L")).substr(0, 2), "12");
}

// The dip direction of a fault whose pole points north is 180, one whose pole points south 360
// (not 0); the striae of Stress ThV is the typed one, the others' its projection at its pitch.
TEST(FaultExport, DirectionsAndTheRebuiltStriae)
{
    // Pole 000/45: the fault dips 45 towards 180; a striae 5 degrees off the plane.
    const std::vector<InfoVal> north = rows({{"FD..", 0, 45}, {"LD..", 95, 5}});
    const std::string stress = onlyLine(FaultLayout::StressThV, north);
    EXPECT_EQ(stress.substr(17, 12), " 180.0  45.0");
    EXPECT_EQ(stress.substr(31, 6), "  95.0");
    // Pole 180/80: dips 10 towards 360, its down-dip striae trends 000.
    EXPECT_EQ(onlyLine(FaultLayout::Yamaji, rows({{"FN..", 180, 80}, {"LN..", 0, 10}})),
              "   360.0   10.0     0.0   10.0   N");

    // The typed striae 095/05 lies acos(cos 5 cos 5) from the strike 090 of the plane, from its
    // east end. At that pitch in the plane (dipping 45 to the south) its trend and plunge are
    // 90 + atan(cos 45 tan pitch) and asin(sin 45 sin pitch) (Ragan, Structural Geology).
    const double dip = 45 * kDegToRad;
    const double pitch = std::acos(std::cos(5 * kDegToRad) * std::cos(5 * kDegToRad));
    const double trend = 90 + std::atan(std::cos(dip) * std::tan(pitch)) / kDegToRad;
    const double plunge = std::asin(std::sin(dip) * std::sin(pitch)) / kDegToRad;
    EXPECT_EQ(onlyLine(FaultLayout::Tektonic, north),
              "30,180.00,45.00," + sformat("%6s", FormatFixed(trend, 2).c_str()) + ","
                  + sformat("%5s", FormatFixed(plunge, 2).c_str()));
    EXPECT_EQ(onlyLine(FaultLayout::Yamaji, north),
              "   180.0   45.0"
                  + sformat("%8s%7s", FormatFixed(trend, 1).c_str(), FormatFixed(plunge, 1).c_str())
                  + "   D");
}

// ---- the sheet's pair check refuses a value that does not read

TEST(FaultExport, TheSheetCheckRefusesARowWithoutDirection)
{
    for (int emptied = 1; emptied <= 4; ++emptied) {
        DataSheet sheet;
        sheet.lFrtS = 1;
        sheet.lFrtL = 1;
        test::EnterRow(sheet, {"FN..", "60/090", "1", "", ""});
        test::EnterRow(sheet, {"LN..", "60/090", "1", "", ""});
        test::EnterRow(sheet, {"FD..", "80/010", "2", "", ""});
        test::EnterRow(sheet, {"LD..", "05/100", "2", "", ""});
        ASSERT_TRUE(CheckSheetPairs(SheetRecords(sheet)).ok);
        // Emptied or typed over as the editor leaves a cell: waiting to be decoded.
        sheet.setField(emptied, Field::Value, emptied % 2 ? "" : "garbage");
        sheet.lMod[static_cast<std::size_t>(emptied)] = kRowToDecode;
        const PairCheck check = CheckSheetPairs(SheetRecords(sheet));
        EXPECT_FALSE(check.ok);
        EXPECT_EQ(check.at, emptied);
        ASSERT_TRUE(check.message);
        EXPECT_EQ(check.message->kind, MsgKind::Error);
        EXPECT_EQ(check.message->text,
                  sformat("Error on the data n\xB0%d : no valid value", emptied));
    }
}

// An edited value is read as typed, not as it was before the edit.
TEST(FaultExport, AnEditedValueIsExportedAsTyped)
{
    DataSheet sheet;
    sheet.lFrtS = 1;
    sheet.lFrtL = 1;
    test::EnterRow(sheet, {"FN..", "60/090", "1", "", ""});
    test::EnterRow(sheet, {"LN..", "60/090", "1", "", ""});
    sheet.setField(1, Field::Value, "50/100");
    sheet.lMod[1] = kRowToDecode;
    const std::vector<InfoVal> records = SheetRecords(sheet);
    ASSERT_TRUE(CheckSheetPairs(records).ok);
    EXPECT_EQ(onlyLine(FaultLayout::StressThV, records).substr(17, 12), " 100.0  50.0");
}

// ---- the example sheet read back by parsers of each layout

struct Vec {
    double x, y, z; // north, east, down
};
double dot(const Vec& a, const Vec& b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
Vec lineVector(double trendDeg, double plungeDeg)
{
    const double t = trendDeg * std::numbers::pi / 180;
    const double p = plungeDeg * std::numbers::pi / 180;
    return {std::cos(p) * std::cos(t), std::cos(p) * std::sin(t), std::sin(p)};
}
Vec poleVector(double dipDirectionDeg, double dipDeg)
{
    return lineVector(dipDirectionDeg + 180, 90 - dipDeg);
}
// Between the lines as axes: a horizontal striae may be written by either end.
double axialAngleDeg(const Vec& a, const Vec& b)
{
    return std::acos(std::clamp(std::fabs(dot(a, b)), 0.0, 1.0)) * 180 / std::numbers::pi;
}
double number(const std::string& text)
{
    std::istringstream in(text);
    in.imbue(std::locale::classic());
    double value = NAN;
    in >> value;
    EXPECT_FALSE(in.fail()) << "'" << text << "'";
    return value;
}
std::vector<std::string> split(const std::string& line, char separator)
{
    std::vector<std::string> parts;
    std::istringstream in(line);
    for (std::string part; std::getline(in, part, separator);)
        parts.push_back(part);
    return parts;
}
std::vector<std::string> words(const std::string& line)
{
    std::vector<std::string> parts;
    std::istringstream in(line);
    for (std::string part; in >> part;)
        parts.push_back(part);
    return parts;
}

// What a layout's line holds, read the way its program reads it.
struct ReadFault {
    double dipDirection = 0;
    double dip = 0;
    double striaeTrend = 0;
    double striaePlunge = 0;
    char sense = '?';
};

ReadFault readStress(const std::string& line)
{
    // Fixed columns: site 5, number 6, quality, sense and chronology 2 each, dip direction and
    // dip 6, 2 blanks, striae trend 6, 2 blanks, an integer of 8 and three reals of 8.
    EXPECT_EQ(line.size(), 71u);
    ReadFault f;
    f.sense = line[14];
    f.dipDirection = number(line.substr(17, 6));
    f.dip = number(line.substr(23, 6));
    EXPECT_EQ(line.substr(29, 2), "  ");
    f.striaeTrend = number(line.substr(31, 6));
    EXPECT_EQ(line.substr(37, 10), "         0");
    EXPECT_EQ(line.substr(47), "     0.0     0.0     0.0");
    return f;
}

ReadFault readTektonic(const std::string& line)
{
    const std::vector<std::string> fields = split(line, ',');
    EXPECT_EQ(fields.size(), 5u);
    ReadFault f;
    if (fields.size() != 5)
        return f;
    EXPECT_EQ(fields[0].size(), 2u);
    f.sense = ".RNDS"[std::clamp(fields[0][0] - '0', 0, 4)];
    f.dipDirection = number(fields[1]);
    f.dip = number(fields[2]);
    f.striaeTrend = number(fields[3]);
    f.striaePlunge = number(fields[4]);
    return f;
}

ReadFault readYamaji(const std::string& line)
{
    const std::vector<std::string> fields = words(line);
    EXPECT_EQ(fields.size(), 5u);
    ReadFault f;
    if (fields.size() != 5)
        return f;
    f.dipDirection = number(fields[0]);
    f.dip = number(fields[1]);
    f.striaeTrend = number(fields[2]);
    f.striaePlunge = number(fields[3]);
    f.sense = fields[4][0];
    return f;
}

TEST(FaultExport, TheExampleSheetReadsBackInEachLayout)
{
    DataSheet sheet;
    const FileOutcome loaded = LoadSheetFile(std::string(PLOQ_EXAMPLES) + "/faults.plq", sheet);
    ASSERT_TRUE(loaded.ok) << loaded.error.message;
    const std::vector<InfoVal> records = SheetRecords(sheet);
    ASSERT_TRUE(CheckSheetPairs(records).ok);
    const int pairs = sheet.rowCount() / 2;
    ASSERT_EQ(pairs, 40);
    const double maxFSDeg = 4; // the default largest striae-fault angle of the entry

    // Off the plane: the dot of pole and striae moves by at most the sum of the four angles'
    // errors, each half the last decimal written: 3.5e-4 with two decimals, but 3.5e-3 with
    // Yamaji's one.
    const double halfDecimal1 = 0.05 * std::numbers::pi / 180;
    struct Layout {
        FaultLayout layout;
        ReadFault (*read)(const std::string&);
        double offPlane;
    };
    const Layout layouts[] = {{FaultLayout::StressThV, readStress, 0},
                              {FaultLayout::Tektonic, readTektonic, 1e-3},
                              {FaultLayout::Yamaji, readYamaji, 4 * halfDecimal1}};
    for (const Layout& l : layouts) {
        const std::vector<std::string> lines = exported(l.layout, records);
        ASSERT_EQ(lines.size(), static_cast<std::size_t>(pairs));
        for (int i = 0; i < pairs; ++i) {
            const int planeRow = 2 * i + 1;
            SCOPED_TRACE(lines[static_cast<std::size_t>(i)]);
            const ReadFault f = l.read(lines[static_cast<std::size_t>(i)]);
            // The sheet's plane, from its stored pole.
            const double poleTrend =
                sheet.ltAz[static_cast<std::size_t>(planeRow)] * 180 / std::numbers::pi;
            const double polePlunge =
                sheet.ltPe[static_cast<std::size_t>(planeRow)] * 180 / std::numbers::pi;
            const double dipDirection = std::fmod(poleTrend + 180, 360);
            EXPECT_NEAR(std::remainder(f.dipDirection - dipDirection, 360), 0, 0.05);
            EXPECT_NEAR(f.dip, 90 - polePlunge, 0.05);

            const double typedTrend =
                sheet.ltAz[static_cast<std::size_t>(planeRow + 1)] * 180 / std::numbers::pi;
            const double typedPlunge =
                sheet.ltPe[static_cast<std::size_t>(planeRow + 1)] * 180 / std::numbers::pi;
            const std::string faultNature = sheet.field(planeRow, Field::Nature);
            const std::string striaeNature = sheet.field(planeRow + 1, Field::Nature);
            const auto written = [](char c) { return c == 'I' ? 'R' : c; };
            if (l.layout == FaultLayout::StressThV) {
                EXPECT_NEAR(std::remainder(f.striaeTrend - typedTrend, 360), 0, 0.05);
                EXPECT_EQ(f.sense, written(faultNature[1]));
                continue;
            }
            const Vec pole = poleVector(f.dipDirection, f.dip);
            const Vec striae = lineVector(f.striaeTrend, f.striaePlunge);
            EXPECT_LT(std::fabs(dot(pole, striae)), l.offPlane);
            EXPECT_LE(axialAngleDeg(striae, lineVector(typedTrend, typedPlunge)), maxFSDeg);
            EXPECT_GE(f.striaePlunge, 0);
            EXPECT_EQ(f.sense, written(striaeNature.size() > 1 ? striaeNature[1] : faultNature[1]));
        }
    }
}

} // namespace
} // namespace ploq

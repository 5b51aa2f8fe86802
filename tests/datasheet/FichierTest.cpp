#include "datasheet/Fichier.h"

#include "model/Conversion.h"
#include "support/SheetRows.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <numbers>
#include <random>
#include <sstream>

namespace ploq {
namespace {

namespace fs = std::filesystem;
using test::EnterRow;

constexpr double kPi = std::numbers::pi;
const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

const DayCount kMay10 = toDayCount({2024, 5, 10, 14, 5, 0});
const DayCount kJune3 = toDayCount({2024, 6, 3, 9, 30, 0});

PlqRecord Record(double trend, double plunge, std::string_view nature = "L1")
{
    PlqRecord record;
    record.azi = trend;
    record.pen = plunge;
    record.na = nature;
    record.nu = "12";
    record.lo = "Ridge";
    record.co = "hinge";
    return record;
}

std::string FileBytes(const std::vector<PlqRecord>& records, PlqHeader header = {kMay10, kMay10})
{
    std::ostringstream out;
    EXPECT_TRUE(WritePlq(out, header, records));
    return out.str();
}

FileOutcome Load(const std::string& bytes, DataSheet& sheet)
{
    std::istringstream in(bytes);
    return LoadSheetStream(in, sheet);
}

std::string Saved(DataSheet& sheet, const Clock& clock)
{
    std::ostringstream out;
    const FileOutcome outcome = SaveSheetStream(sheet, out, clock);
    EXPECT_TRUE(outcome.ok) << outcome.error.message;
    return out.str();
}

// A sheet of three rows as typed in the editor: planes dip/dip direction, lines plunge/direction.
DataSheet ThreeRows()
{
    DataSheet sheet;
    sheet.lFrtS = 1;
    sheet.lFrtL = 1;
    EnterRow(sheet, {"S0", "10/210", "1", "Col", "limb"});
    EnterRow(sheet, {"L1", "25/064", "2", "Col", ""});
    EnterRow(sheet, {"S0", "35/030", "3", "Ridge", "limb N"});
    return sheet;
}

TEST(PlqRecordTest, LayoutIsLittleEndianWithLengthPrefixedCodes)
{
    PlqRecord record = Record(1.0, -2.0, "S0");
    record.co = "123456789";
    const PlqBytes bytes = EncodeRecord(record);
    // 1.0 is 0x3FF0000000000000 and -2.0 is 0xC000000000000000.
    EXPECT_EQ(bytes[6], 0xF0);
    EXPECT_EQ(bytes[7], 0x3F);
    EXPECT_EQ(bytes[15], 0xC0);
    EXPECT_EQ(bytes[16], 2);
    EXPECT_EQ(bytes[17], 'S');
    EXPECT_EQ(bytes[18], '0');
    EXPECT_EQ(bytes[26], 2);
    EXPECT_EQ(bytes[36], 5);
    EXPECT_EQ(bytes[46], 9);
    EXPECT_EQ(bytes[55], '9');

    bool clamped = true;
    const PlqRecord back = DecodeRecord(bytes, clamped);
    EXPECT_FALSE(clamped);
    EXPECT_EQ(back.azi, 1.0);
    EXPECT_EQ(back.pen, -2.0);
    EXPECT_EQ(back.na.view(), "S0");
    EXPECT_EQ(back.co.view(), "123456789");
}

TEST(PlqRecordTest, HeaderHoldsBothDatesThenZeros)
{
    const PlqBytes bytes = EncodeHeader({kMay10, kJune3});
    for (std::size_t i = 16; i < kPlqRecordSize; ++i)
        EXPECT_EQ(bytes[i], 0) << i;
    const PlqHeader header = DecodeHeader(bytes);
    EXPECT_EQ(header.created, kMay10);
    EXPECT_EQ(header.modified, kJune3);
}

TEST(PlqRecordTest, LengthByteAboveNineIsTakenAsNine)
{
    PlqBytes bytes = EncodeRecord(Record(0.5, 0.5, "ABCDEFGHI"));
    bytes[16] = 200;
    bool clamped = false;
    EXPECT_EQ(DecodeRecord(bytes, clamped).na.view(), "ABCDEFGHI");
    EXPECT_TRUE(clamped);
}

// Files by size: refused below one record or beyond 5000 measurements, otherwise read up to
// the last whole record.
TEST(PlqReadTest, FileSizes)
{
    const std::string header = FileBytes({});
    const std::string record = FileBytes({Record(0.5, 0.2)}).substr(kPlqRecordSize);
    const auto records = [&record](int n) {
        std::string text;
        for (int i = 0; i < n; ++i)
            text += record;
        return text;
    };
    struct Case {
        const char* name;
        std::string bytes;
        FileIssue refusal;
        int measurements;
        std::size_t trailing;
    };
    const Case cases[] = {
        {"no byte", "", FileIssue::TooShort, 0, 0},
        {"55 bytes", header.substr(0, 55), FileIssue::TooShort, 0, 0},
        {"header only", header, FileIssue::None, 0, 0},
        {"partial record", header + record + record.substr(0, 23), FileIssue::None, 1, 23},
        {"5000 records", header + records(kMaxValues), FileIssue::None, kMaxValues, 0},
        {"5001 records", header + records(kMaxValues + 1), FileIssue::TooManyRecords, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::istringstream in(c.bytes);
        const PlqContents contents = ReadPlq(in);
        EXPECT_EQ(contents.ok, c.refusal == FileIssue::None);
        EXPECT_EQ(contents.error.issue, c.refusal);
        if (contents.ok) {
            EXPECT_EQ(contents.raw.size(), static_cast<std::size_t>(c.measurements));
            EXPECT_EQ(contents.trailingBytes, c.trailing);
        } else {
            EXPECT_FALSE(contents.error.message.empty());
        }
    }
}

TEST(PlqLoadTest, HeaderOnlyGivesAnEmptySheet)
{
    DataSheet sheet;
    const FileOutcome outcome = Load(FileBytes({}, {kMay10, kJune3}), sheet);
    ASSERT_TRUE(outcome.ok);
    EXPECT_TRUE(outcome.warnings.empty());
    EXPECT_TRUE(sheet.isEmpty());
    EXPECT_EQ(sheet.rowCount(), 1);
    EXPECT_EQ(sheet.lCreated, kMay10);
    EXPECT_EQ(sheet.lModified, kJune3);
    EXPECT_EQ(FileInfoLines("/data/empty.plq", sheet).back(),
              "   created Friday, May 10, 2024,   14:05, modified Monday, June 3, 2024,   09:30, "
              "0 meas.");
}

TEST(PlqLoadTest, PartialRecordIsReadUpToItsLastWholeRecordAndSaid)
{
    DataSheet sheet;
    const std::string bytes = FileBytes({Record(0.5, 0.2), Record(1.0, 0.3)});
    const FileOutcome outcome = Load(bytes.substr(0, bytes.size() - 10), sheet);
    ASSERT_TRUE(outcome.ok);
    EXPECT_EQ(sheet.rowCount(), 1);
    ASSERT_EQ(outcome.warnings.size(), 1u);
    EXPECT_EQ(outcome.warnings[0].issue, FileIssue::PartialRecord);
    EXPECT_NE(outcome.warnings[0].message.find("46 bytes"), std::string::npos);
}

TEST(PlqLoadTest, RefusalLeavesTheSheetAsItWas)
{
    DataSheet sheet = ThreeRows();
    const DataSheet before = sheet;
    EXPECT_EQ(Load(FileBytes({}).substr(0, 40), sheet).error.issue, FileIssue::TooShort);
    test::ExpectSameRows(sheet, before);
    EXPECT_TRUE(sheet.lDirty);
}

// Value cells are written in the sheet's notation and decimals, each field in its own column.
TEST(PlqLoadTest, ValuesAreWrittenInTheSheetNotation)
{
    const double trend30 = 30 * kDegToRad;
    const double plunge80 = 80 * kDegToRad;
    const double trend210 = 210 * kDegToRad;
    const double plunge10 = 10 * kDegToRad;
    struct Case {
        Notation notation;
        bool decimals;
        const char* plane;
        const char* line;
    };
    const Case cases[] = {
        {{0, 0}, true, "120.0 SW 10.0", "30.0 SW 10.0"},
        {{1, 1}, true, "10.0 / 210.0", "10.0 / 210.0"},
        {{2, 2}, false, "210 / 10", "210 / 10"},
        {{4, 1}, false, "120 / 10", "10 / 210"},
    };
    const std::string bytes =
        FileBytes({Record(trend30, plunge80, "S0"), Record(trend210, plunge10, "L1")});
    for (const Case& c : cases) {
        DataSheet sheet;
        sheet.lFrtS = c.notation.frtS;
        sheet.lFrtL = c.notation.frtL;
        sheet.lShowDeci = c.decimals;
        sheet.lC = {5, 4, 3, 2, 1};
        ASSERT_TRUE(Load(bytes, sheet).ok);
        EXPECT_EQ(sheet.cell(1, 5), c.plane);
        EXPECT_EQ(sheet.cell(2, 5), c.line);
        EXPECT_EQ(sheet.cell(2, 4), "L1");
        EXPECT_EQ(sheet.cell(2, 3), "12");
        EXPECT_EQ(sheet.cell(2, 2), "Ridge");
        EXPECT_EQ(sheet.cell(2, 1), "hinge");
        EXPECT_EQ(sheet.cell(2, 0), "002");
        EXPECT_EQ(sheet.ltAz[1], trend30);
        EXPECT_EQ(sheet.lMod[2], kRowSaved);
        EXPECT_FALSE(sheet.lDirty);
    }
}

TEST(PlqRepairTest, StoredDirections)
{
    const double t = 1.0;
    struct Case {
        double trend, plunge;
        DirRepair repair;
        double expectedTrend, expectedPlunge;
    };
    const Case cases[] = {
        {t, 0.3, DirRepair::None, t, 0.3},
        {7.0, 0.3, DirRepair::None, 7.0, 0.3}, // past 2 pi by a declination
        {t, kPi / 2 + 1e-12, DirRepair::None, t, kPi / 2},
        {-0.5, 0.3, DirRepair::NegativeTrend, 2 * kPi - 0.5, 0.3},
        {t, -0.3, DirRepair::OutOfRange, t + kPi, 0.3},
        {t, kPi / 2 + 0.2, DirRepair::OutOfRange, t + kPi, kPi / 2 - 0.2},
        {t, 2 * kPi + 0.3, DirRepair::OutOfRange, t, 0.3},
        {20.0, 0.3, DirRepair::OutOfRange, std::fmod(20.0, 2 * kPi), 0.3},
        {-7.0, 0.3, DirRepair::OutOfRange, 4 * kPi - 7.0, 0.3},
        {1e300, 1e300, DirRepair::OutOfRange, -1, -1},
        {kNaN, 0.3, DirRepair::Unreadable, kNaN, 0.3},
        {t, kInf, DirRepair::Unreadable, t, kInf},
        {-kInf, 0.3, DirRepair::Unreadable, -kInf, 0.3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.trend << " " << c.plunge);
        double trend = c.trend;
        double plunge = c.plunge;
        EXPECT_EQ(RepairStoredDir(trend, plunge), c.repair);
        if (c.repair == DirRepair::Unreadable)
            continue;
        EXPECT_GE(trend, 0);
        EXPECT_LT(trend, 4 * kPi);
        EXPECT_GE(plunge, 0);
        EXPECT_LE(plunge, kPi / 2);
        if (c.expectedTrend >= 0) {
            EXPECT_NEAR(trend, c.expectedTrend, 1e-12);
            EXPECT_NEAR(plunge, c.expectedPlunge, 1e-12);
        }
    }
}

TEST(PlqLoadTest, NegativeTrendsAreRepairedAndReportedOnce)
{
    DataSheet sheet;
    const FileOutcome outcome =
        Load(FileBytes({Record(-0.5, 0.2), Record(1.0, 0.2), Record(-1.5, 0.2)}), sheet);
    ASSERT_TRUE(outcome.ok);
    ASSERT_EQ(outcome.warnings.size(), 1u);
    EXPECT_EQ(outcome.warnings[0].issue, FileIssue::NegativeTrend);
    EXPECT_EQ(outcome.warnings[0].message, kMsgNegativeAz);
    EXPECT_EQ(outcome.warnings[0].rows, (std::vector<int>{1, 3}));
    EXPECT_DOUBLE_EQ(sheet.ltAz[1], 2 * kPi - 0.5);
    EXPECT_EQ(sheet.lMod[1], kRowSaved);
}

// Whatever a record holds, its row is there with its codes and never a non-finite direction.
TEST(PlqLoadTest, DamagedRecordsLoadAsRowsAndAreReported)
{
    PlqBytes longCode = EncodeRecord(Record(0.5, 0.5, "S0"));
    longCode[36] = 0xFF;
    std::string bytes =
        FileBytes({Record(kNaN, 0.2, "S0"), Record(0.4, kInf, "L1"), Record(0.4, -0.3, "L2"),
                   Record(0.4, 0.3, ""), Record(0.4, 0.3, "X1")});
    bytes.append(reinterpret_cast<const char*>(longCode.data()), kPlqRecordSize);
    DataSheet sheet;
    const FileOutcome outcome = Load(bytes, sheet);
    ASSERT_TRUE(outcome.ok);
    ASSERT_EQ(sheet.rowCount(), 6);
    const std::pair<FileIssue, std::vector<int>> expected[] = {
        {FileIssue::OutOfRange, {3}},
        {FileIssue::Unreadable, {1, 2}},
        {FileIssue::BadNature, {4, 5}},
        {FileIssue::LongCode, {6}},
    };
    ASSERT_EQ(outcome.warnings.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(outcome.warnings[i].issue, expected[i].first);
        EXPECT_EQ(outcome.warnings[i].rows, expected[i].second);
    }
    for (int row = 1; row <= 6; ++row) {
        EXPECT_TRUE(std::isfinite(sheet.ltAz[row]));
        EXPECT_TRUE(std::isfinite(sheet.ltPe[row]));
        EXPECT_EQ(sheet.cell(row, 0), RowNumberText(row));
    }
    EXPECT_EQ(sheet.field(1, Field::Value), "");
    EXPECT_EQ(sheet.field(1, Field::Nature), "S0");
    EXPECT_EQ(sheet.lMod[1], kRowToDecode);
    EXPECT_EQ(sheet.field(4, Field::Nature), "");
    EXPECT_FALSE(sheet.field(4, Field::Value).empty());
    EXPECT_EQ(sheet.field(6, Field::Location), std::string("Ridge\0\0\0\0", 9));
}

TEST(PlqLoadTest, LoneBlankRecordIsStillARow)
{
    DataSheet sheet;
    const FileOutcome outcome =
        Load(FileBytes({Record(kNaN, kNaN, "")}).substr(0, 72) + std::string(40, '\0'), sheet);
    ASSERT_TRUE(outcome.ok);
    EXPECT_FALSE(sheet.isEmpty());
    EXPECT_EQ(sheet.cell(1, 0), "001");
    std::ostringstream out;
    EXPECT_EQ(SaveSheetStream(sheet, out, FixedClock(kJune3)).error.rows, std::vector<int>{1});
}

TEST(PlqLoadTest, UnreadableRowMustBeTypedAgainBeforeSaving)
{
    DataSheet sheet;
    sheet.lFrtL = 1;
    ASSERT_TRUE(Load(FileBytes({Record(1.0, 0.2), Record(kNaN, kNaN)}), sheet).ok);
    FixedClock clock(kJune3);
    std::ostringstream refusedOut;
    const FileOutcome refusal = SaveSheetStream(sheet, refusedOut, clock);
    EXPECT_FALSE(refusal.ok);
    EXPECT_EQ(refusal.error.issue, FileIssue::ValueRefused);
    EXPECT_EQ(refusal.error.rows, std::vector<int>{2});
    EXPECT_EQ(refusal.error.message, " missing value...");
    EXPECT_TRUE(refusedOut.str().empty());

    sheet.setField(2, Field::Value, "10/210");
    ASSERT_TRUE(SaveSheetStream(sheet, refusedOut, clock).ok);
    EXPECT_DOUBLE_EQ(sheet.ltAz[2], 210 * kDegToRad);
}

// Rows whose text changed are decoded with the checked decoder and written back.
TEST(PlqSaveTest, ChangedValueTextIsDecodedAgain)
{
    DataSheet sheet = ThreeRows();
    sheet.setField(2, Field::Value, "30,5/100");
    sheet.lMod[2] = kRowToDecode;
    FixedClock clock(kJune3);
    const std::string bytes = Saved(sheet, clock);
    EXPECT_EQ(sheet.field(2, Field::Value), "30.5 / 100.0");
    EXPECT_DOUBLE_EQ(sheet.ltAz[2], 100 * kDegToRad);
    EXPECT_DOUBLE_EQ(sheet.ltPe[2], 30.5 * kDegToRad);
    EXPECT_EQ(sheet.lMod[2], kRowSaved);

    DataSheet reloaded;
    reloaded.lFrtS = reloaded.lFrtL = 1;
    ASSERT_TRUE(Load(bytes, reloaded).ok);
    EXPECT_EQ(reloaded.ltPe[2], sheet.ltPe[2]);
}

// A refused row stops the save before anything is written: the sheet stays as it was.
TEST(PlqSaveTest, RefusedRowWritesNothing)
{
    struct Case {
        const char* nature;
        const char* value;
        const char* message;
    };
    const Case cases[] = {
        {"S0", "95/210", "95/210 : dip or plunge must range from 0 to 90\xB0"},
        {"X0", "10/210", "First character of the code nature must be S, F, P, L or A..."},
        {"", "10/210", "Missing \"nature\" code"},
    };
    for (const Case& c : cases) {
        DataSheet sheet = ThreeRows();
        sheet.setField(3, Field::Nature, c.nature);
        sheet.setField(3, Field::Value, c.value);
        sheet.lMod[3] = kRowToDecode;
        std::ostringstream out;
        const FileOutcome outcome = SaveSheetStream(sheet, out, FixedClock(kJune3));
        EXPECT_FALSE(outcome.ok);
        EXPECT_EQ(outcome.error.message, c.message);
        EXPECT_EQ(outcome.error.rows, std::vector<int>{3});
        EXPECT_TRUE(out.str().empty());
        EXPECT_TRUE(sheet.lDirty);
        EXPECT_EQ(sheet.lMod[3], kRowToDecode);
        EXPECT_EQ(sheet.lMod[1], kRowChanged);
    }
}

TEST(PlqSaveTest, EmptySheetIsTheHeaderAlone)
{
    DataSheet sheet;
    EXPECT_EQ(Saved(sheet, FixedClock(kMay10)), FileBytes({}));
}

TEST(PlqSaveTest, LongCodeIsStoredWithItsFirstNineCharacters)
{
    DataSheet sheet;
    EnterRow(sheet, {"S0", "120 SW 10", "123456789012", "Col", "abcdefghijkl"});
    DataSheet reloaded;
    ASSERT_TRUE(Load(Saved(sheet, FixedClock(kMay10)), reloaded).ok);
    EXPECT_EQ(reloaded.field(1, Field::Number), "123456789");
    EXPECT_EQ(reloaded.field(1, Field::Comment), "abcdefghi");
}

TEST(PlqSaveTest, FiveThousandRowsRoundTrip)
{
    DataSheet sheet;
    sheet.lFrtS = 3;
    sheet.setRowCount(kMaxValues);
    for (int row = 1; row <= kMaxValues; ++row) {
        const bool plane = row % 3 != 0;
        sheet.setField(row, Field::Nature, plane ? "S" + std::to_string(row % 4) : "L1");
        sheet.setField(row, Field::Number, std::to_string(row));
        sheet.setField(row, Field::Location, "Site " + std::to_string(row % 17));
        sheet.setField(row, Field::Comment, row % 2 ? "ok" : "");
        sheet.ltAz[row] = std::fmod(row * 0.7371, 2 * kPi);
        sheet.ltPe[row] = std::fmod(row * 0.3113, kPi / 2);
        sheet.setField(row, Field::Value,
                       DirToText(true, plane, sheet.ltPe[row], sheet.ltAz[row], {3, 0}));
        sheet.lMod[row] = kRowChanged;
    }
    sheet.Numeroter();
    const std::string bytes = Saved(sheet, FixedClock(kMay10));
    EXPECT_EQ(bytes.size(), (kMaxValues + 1) * kPlqRecordSize);

    DataSheet reloaded;
    reloaded.lFrtS = 3;
    const FileOutcome outcome = Load(bytes, reloaded);
    ASSERT_TRUE(outcome.ok);
    EXPECT_TRUE(outcome.warnings.empty());
    test::ExpectSameRows(reloaded, sheet);
}

// Damaged copies of a good file are refused or loaded whole: one row per whole record, every
// direction finite and in range, every code as stored.
TEST(PlqLoadTest, CorruptedFilesNeverLoseRows)
{
    const std::string good = FileBytes({Record(0.5, 0.2, "S0"), Record(1.5, 0.9, "L1"),
                                        Record(3.0, 1.2, "B"), Record(6.0, 0.0, "F2")});
    std::mt19937 random(20240510);
    for (int trial = 0; trial < 2000; ++trial) {
        std::string bytes = good;
        const int damage = 1 + static_cast<int>(random() % 8);
        for (int i = 0; i < damage; ++i)
            bytes[random() % bytes.size()] = static_cast<char>(random());
        if (trial % 5 == 0)
            bytes.resize(random() % (bytes.size() + 1));
        DataSheet sheet;
        const FileOutcome outcome = Load(bytes, sheet);
        if (!outcome.ok) {
            EXPECT_EQ(outcome.error.issue, FileIssue::TooShort);
            continue;
        }
        const int records = static_cast<int>(bytes.size() / kPlqRecordSize) - 1;
        ASSERT_EQ(records == 0 ? 1 : records, sheet.rowCount());
        for (int row = 1; row <= records; ++row) {
            EXPECT_TRUE(std::isfinite(sheet.ltAz[row]));
            EXPECT_GE(sheet.ltPe[row], 0);
            EXPECT_LE(sheet.ltPe[row], kPi / 2);
        }
        std::ostringstream out;
        if (SaveSheetStream(sheet, out, FixedClock(kJune3)).ok) {
            EXPECT_EQ(out.str().size(), (records + 1) * kPlqRecordSize);
        }
    }
}

TEST(PlqTextTest, RowList)
{
    EXPECT_EQ(RowListText({}), "");
    EXPECT_EQ(RowListText({3, 7, 12}), "3, 7, 12");
    EXPECT_EQ(RowListText({1, 2, 3, 4}, 2), "1, 2, ...");
}

TEST(PlqTextTest, InfoLinesNameTheFileInItsCodePage)
{
    DataSheet sheet = ThreeRows();
    sheet.lCreated = kMay10;
    sheet.lModified = kJune3;
    const std::vector<std::string> lines = FileInfoLines("/data/caf\xC3\xA9.plq", sheet);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "");
    EXPECT_EQ(lines[1], "File /data/caf\xE9.plq");
    EXPECT_EQ(lines[2], "   created Friday, May 10, 2024,   14:05, modified Monday, June 3, 2024,   "
                        "09:30, 3 meas.");
}

// Files on disk, each test in its own folder.
class PlqFileTest : public testing::Test {
protected:
    void SetUp() override
    {
        const auto* info = testing::UnitTest::GetInstance()->current_test_info();
        folder_ = fs::temp_directory_path() / ("ploq-fichier-" + std::string(info->name()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override
    {
        fs::permissions(folder_, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(folder_);
    }
    std::string path(const char* name) const { return (folder_ / name).string(); }
    static std::string contents(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    static void write(const std::string& path, const std::string& bytes)
    {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    // Three rows saved to the file, then row 1 changed.
    DataSheet savedThenChanged(const std::string& file)
    {
        DataSheet sheet = ThreeRows();
        EXPECT_TRUE(SaveSheetAsFile(sheet, file, clock_).ok);
        sheet.setField(1, Field::Comment, "changed");
        sheet.lMod[1] = kRowChanged;
        sheet.lDirty = true;
        return sheet;
    }
    static void expectStillChanged(const DataSheet& sheet, const std::string& file,
                                   const std::string& before)
    {
        EXPECT_EQ(contents(file), before);
        EXPECT_TRUE(sheet.lDirty);
        EXPECT_EQ(sheet.lNomF, file);
        EXPECT_EQ(sheet.lMod[1], kRowChanged);
    }
    std::size_t fileCount() const
    {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder_), {}));
    }

    fs::path folder_;
    FixedClock clock_{kMay10};
};

TEST_F(PlqFileTest, SaveAsThenUpdateAfterDeletingARow)
{
    DataSheet sheet = ThreeRows();
    const std::string file = path("three.plq");
    ASSERT_TRUE(SaveSheetAsFile(sheet, file, clock_).ok);
    EXPECT_EQ(fs::file_size(file), 224u);
    EXPECT_EQ(sheet.lNomF, file);
    EXPECT_FALSE(sheet.lDirty);
    EXPECT_EQ(sheet.lCreated, kMay10);

    // The sheet editor marks the moved rows; the update must not depend on it.
    sheet.deleteRow(2);
    sheet.Numeroter();
    sheet.lDirty = true;
    clock_.set(kJune3);
    ASSERT_TRUE(UpdateSheetFile(sheet, clock_).ok);
    EXPECT_EQ(fs::file_size(file), 168u);
    EXPECT_EQ(sheet.lCreated, kMay10);
    EXPECT_EQ(sheet.lModified, kJune3);
    EXPECT_EQ(fileCount(), 1u);

    DataSheet reloaded;
    reloaded.lFrtS = reloaded.lFrtL = 1;
    ASSERT_TRUE(LoadSheetFile(file, reloaded).ok);
    EXPECT_EQ(reloaded.lCreated, kMay10);
    EXPECT_EQ(reloaded.lModified, kJune3);
    EXPECT_EQ(reloaded.lNomF, file);
    test::ExpectSameRows(reloaded, sheet);
    EXPECT_EQ(reloaded.field(2, Field::Location), "Ridge");
}

TEST_F(PlqFileTest, PlainSaveLeavesARepairedRecordAsItIs)
{
    const std::string file = path("negative.plq");
    write(file, FileBytes({Record(-0.5, 0.2), Record(1.0, 0.3), Record(2.0, 0.4)}));
    DataSheet sheet;
    ASSERT_TRUE(LoadSheetFile(file, sheet).has(FileIssue::NegativeTrend));
    sheet.setField(2, Field::Comment, "seen");
    sheet.lMod[2] = kRowChanged;
    ASSERT_TRUE(UpdateSheetFile(sheet, clock_).ok);
    const std::string updated = contents(file);
    ASSERT_EQ(updated.size(), 4 * kPlqRecordSize);
    EXPECT_EQ(updated.substr(56, 56), FileBytes({Record(-0.5, 0.2)}).substr(56));

    ASSERT_TRUE(SaveSheetAsFile(sheet, file, clock_).ok);
    DataSheet reloaded;
    EXPECT_TRUE(LoadSheetFile(file, reloaded).warnings.empty());
    EXPECT_EQ(reloaded.field(2, Field::Comment), "seen");
}

TEST_F(PlqFileTest, RefusedSaveLeavesTheFileWhole)
{
    DataSheet sheet = ThreeRows();
    const std::string file = path("good.plq");
    ASSERT_TRUE(SaveSheetAsFile(sheet, file, clock_).ok);
    const std::string before = contents(file);

    sheet.setField(1, Field::Value, "10/999");
    sheet.lMod[1] = kRowToDecode;
    sheet.lDirty = true;
    EXPECT_EQ(UpdateSheetFile(sheet, clock_).error.issue, FileIssue::ValueRefused);
    EXPECT_EQ(SaveSheetAsFile(sheet, file, clock_).error.issue, FileIssue::ValueRefused);
    EXPECT_EQ(contents(file), before);
    EXPECT_TRUE(sheet.lDirty);
    EXPECT_EQ(fileCount(), 1u);
}

// A save that cannot be put in place changes nothing: neither a file nor the sheet.
TEST_F(PlqFileTest, FailedWriteLeavesFileAndSheetAsTheyWere)
{
    const std::string file = path("kept.plq");
    DataSheet sheet = savedThenChanged(file);
    const std::string before = contents(file);
    fs::create_directories(path("folder/inside"));
    const FileOutcome ontoFolder = SaveSheetAsFile(sheet, path("folder"), clock_);
    EXPECT_EQ(ontoFolder.error.issue, FileIssue::WriteFailed);
    EXPECT_NE(ontoFolder.error.message.find("folder"), std::string::npos);
    EXPECT_EQ(SaveSheetAsFile(sheet, path("none/x.plq"), clock_).error.issue,
              FileIssue::WriteFailed);
    expectStillChanged(sheet, file, before);
    EXPECT_EQ(fileCount(), 2u);
}

TEST_F(PlqFileTest, UpdateInAReadOnlyFolderChangesNothing)
{
    const std::string file = path("kept.plq");
    DataSheet sheet = savedThenChanged(file);
    const std::string before = contents(file);
    fs::permissions(folder_, fs::perms::owner_read | fs::perms::owner_exec);
    if (std::ofstream(path("probe")).is_open())
        GTEST_SKIP() << "the folder stays writable (running as root)";
    const FileOutcome outcome = UpdateSheetFile(sheet, clock_);
    EXPECT_EQ(outcome.error.issue, FileIssue::WriteFailed);
    EXPECT_NE(outcome.error.message.find("kept.plq"), std::string::npos);
    expectStillChanged(sheet, file, before);
}

TEST_F(PlqFileTest, SavingThroughALinkKeepsTheLink)
{
    DataSheet sheet = ThreeRows();
    const std::string real = path("real.plq");
    const std::string link = path("link.plq");
    write(real, "old");
    fs::create_symlink(real, link);
    ASSERT_TRUE(SaveSheetAsFile(sheet, link, clock_).ok);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(fs::file_size(real), 224u);
    EXPECT_EQ(fileCount(), 2u);
}

TEST_F(PlqFileTest, MissingOrDamagedFileIsNotUpdated)
{
    DataSheet sheet = ThreeRows();
    sheet.lNomF = path("gone.plq");
    EXPECT_EQ(UpdateSheetFile(sheet, clock_).error.issue, FileIssue::OpenFailed);
    write(sheet.lNomF, "short");
    const FileOutcome outcome = UpdateSheetFile(sheet, clock_);
    EXPECT_EQ(outcome.error.issue, FileIssue::TooShort);
    EXPECT_NE(outcome.error.message.find("gone.plq"), std::string::npos);
    EXPECT_EQ(contents(sheet.lNomF), "short");
    EXPECT_TRUE(sheet.lDirty);
}

TEST_F(PlqFileTest, MissingFileIsRefusedByName)
{
    DataSheet sheet;
    const FileOutcome outcome = LoadSheetFile(path("none.plq"), sheet);
    EXPECT_EQ(outcome.error.issue, FileIssue::OpenFailed);
    EXPECT_NE(outcome.error.message.find("none.plq"), std::string::npos);
    EXPECT_TRUE(sheet.lNomF.empty());
}

} // namespace
} // namespace ploq

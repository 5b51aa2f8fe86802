#include "app/VarGlob.h"

#include "support/FailingStream.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

namespace ploq {
namespace {

using test::TempDir;

const ScreenMetrics kScreen{96, 1920}; // MainL 660, Rc 190
// Line 1 of the fixture reads "09:41 at 09:41:27".
const DayCount kFixtureTime = toDayCount({2024, 5, 14, 9, 41, 27});

std::string ReadBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void WriteBytes(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

// A realistic file: every setting away from its default, unknown option bits, 8-bit texts.
std::string Fixture()
{
    return ReadBytes(std::filesystem::path(PLOQ_TEST_DATA) / "prefs_custom.plp");
}

// The lines of a CR LF text; entry 0 is empty so that entry n is line n.
std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines = {""};
    for (std::size_t start = 0; start < text.size();) {
        const auto end = text.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

std::string Join(const std::vector<std::string>& lines)
{
    std::string text;
    for (std::size_t n = 1; n < lines.size(); ++n)
        text += lines[n] + "\r\n";
    return text;
}

using Edits = std::vector<std::pair<int, std::string>>;

std::string Edited(const std::string& text, const Edits& edits)
{
    std::vector<std::string> lines = Lines(text);
    for (const auto& [n, line] : edits)
        lines.at(static_cast<std::size_t>(n)) = line;
    return Join(lines);
}

struct Loaded {
    VarGlob v;
    std::vector<std::string> problems;
    std::string report() const
    {
        std::string text;
        for (const std::string& p : problems)
            text += p + "\n";
        return text;
    }
};

Loaded Load(const std::string& text)
{
    Loaded loaded;
    std::istringstream in(text);
    loaded.problems = LoadPrefs(loaded.v, in, kScreen);
    return loaded;
}

std::string Save(const VarGlob& v)
{
    std::ostringstream out;
    SavePrefs(v, out, kFixtureTime);
    return out.str();
}

// The default file line by line, written out from the table of defaults (96 pixels per inch,
// a screen 1920 pixels wide).
std::vector<std::string> DefaultLines()
{
    const std::string zero = " 0.00000000000000E+0000";
    const std::string cut = " 6.10865238198015E-0002"; // 3.5 degrees
    std::vector<std::string> l = {"",
                                  "09:41 at 09:41:27",
                                  "20",
                                  "40",
                                  zero,
                                  zero,
                                  zero,
                                  "2",
                                  "1",
                                  "3",
                                  "5",
                                  "4",
                                  "1",
                                  "2",
                                  "3",
                                  "4",
                                  "FMB200",
                                  "2",
                                  "2",
                                  cut,
                                  zero,
                                  "-13",
                                  "Times New Roman",
                                  "0",
                                  "0",
                                  "14",
                                  "10",
                                  "117",
                                  "660",
                                  "20",
                                  "600",
                                  "500",
                                  "400",
                                  "0",
                                  "20",
                                  "24",
                                  "250",
                                  "400",
                                  "0",
                                  "0",
                                  "1",
                                  "2",
                                  "1",
                                  "3",
                                  "4",
                                  "5",
                                  "0",
                                  "30",
                                  "40",
                                  "40",
                                  "40",
                                  "40",
                                  "40",
                                  "6",
                                  "2000",
                                  "",
                                  "0",
                                  "8",
                                  "6272",
                                  "190"};
    const auto add = [&l](std::initializer_list<std::string> lines) { l.insert(l.end(), lines); };
    const auto repeat = [&l](int count, const std::string& line) {
        l.insert(l.end(), static_cast<std::size_t>(count), line);
    };
    add({"0", "16711680", "255", "16711680", "32768", "16711935", "8388736", "8388608", "16777215",
         "8421504", "255", "16711680", "16776960", "8421376", "12632256", "8421504", "0"});
    repeat(61, "1");
    add({"12632256", "2883583", "7338826", "61952", "16744448", "16721151", "8388863", "8388736",
         "16776960"});
    repeat(8, "0");
    add({"com"});
    repeat(8, "");
    add({"val", "nat", "num", "loc", "com"});
    repeat(61, "101");
    add({"6", "49158", "393216", "0", "3", "688678", "8192", "0", "1", "101", "6", "0", cut,
         " 5.23598775598299E-0001", "3", "4", "10", "0", "4"});
    return l;
}

// ---- first start

TEST(Prefs, FirstStartWritesTheDefaultFile)
{
    TempDir dir;
    const std::filesystem::path path = dir.path() / kPrefFileName;
    VarGlob v;
    const std::vector<Message> messages = LoadPrefsFile(v, path, kScreen, kFixtureTime);

    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "Preference file \"" + path.string()
                                    + "\" not found or alterated...\nA defect file is created");
    const std::string text = ReadBytes(path);
    EXPECT_EQ(text, Join(DefaultLines()));
    const std::vector<std::string> lines = Lines(text);
    EXPECT_EQ(lines.size(), 249u);
    for (const auto& [n, line] : Edits{{16, "FMB200"},
                                       {21, "-13"},
                                       {22, "Times New Roman"},
                                       {19, " 6.10865238198015E-0002"},
                                       {242, " 6.10865238198015E-0002"},
                                       {243, " 5.23598775598299E-0001"}})
        EXPECT_EQ(lines[static_cast<std::size_t>(n)], line) << "line " << n;
    EXPECT_EQ(v.Rc, 190);
    EXPECT_EQ(v.XC, 205);
    EXPECT_EQ(v.YC, 205);
    EXPECT_DOUBLE_EQ(v.PixMM, 96 / 25.3);
}

TEST(Prefs, ConstructedBlockHoldsTheDefaultsOfAPlainScreen)
{
    VarGlob defaults;
    DefaultPrefs(defaults, ScreenMetrics{});
    EXPECT_EQ(Save(defaults), Save(VarGlob{}));
}

TEST(Prefs, DefaultsKeepTheReservedLinesAndTheTrackdipMark)
{
    Loaded loaded = Load(Fixture());
    loaded.v.Reserved35 = 7;
    loaded.v.Reserved241 = 9;
    DefaultPrefs(loaded.v, kScreen);
    const std::vector<std::string> expected =
        Lines(Edited(Join(DefaultLines()), {{35, "7"}, {241, "9"}, {247, "10"}}));
    EXPECT_EQ(Lines(Save(loaded.v)), expected);
}

TEST(Prefs, TimeStampGivesShortThenLongTime)
{
    std::ostringstream out;
    SavePrefs(VarGlob{}, out, toDayCount({2025, 1, 2, 7, 3, 9}));
    EXPECT_EQ(Lines(out.str())[1], "07:03 at 07:03:09");
}

// ---- loading sound files

TEST(Prefs, LoadThenSaveReproducesTheFileByteForByte)
{
    const Loaded loaded = Load(Fixture());
    EXPECT_TRUE(loaded.problems.empty()) << loaded.report();
    EXPECT_EQ(Save(loaded.v), Fixture());
}

TEST(Prefs, LoadedValuesAndTheirDerivedValues)
{
    const VarGlob v = Load(Fixture()).v;
    EXPECT_EQ(v.FrtS, 3);
    EXPECT_EQ(v.Sy, -9);
    EXPECT_EQ(v.StyleGene, 1 + 2 + 64 + 2048 + 65536 - 2147483647 - 1); // bit 31 kept
    EXPECT_TRUE(TestBit(v.StyleCnvs, kStyleLowerHemisphere));
    EXPECT_FALSE(TestBit(v.StyleCnvs, kStyleWulff));
    EXPECT_EQ(v.NomFBatch, "/home/g\xe9ologue/terrain/symboles.pqb");
    EXPECT_EQ(v.TNomC[3], "site n\xb0");
    EXPECT_EQ(v.FRecents[2], "/media/usb/failles_nord.plq");
    EXPECT_EQ(v.FRecents[3], "");
    EXPECT_NEAR(v.TDcutVal, 5 * kDegToRad, 1e-15);
    EXPECT_NEAR(v.Decl, -1.5 * kDegToRad, 1e-15);
    EXPECT_EQ(v.XC, 228 + 15);
    EXPECT_EQ(v.YC, 228 + 15);
    EXPECT_TRUE(v.ShowDeci);
    EXPECT_EQ(v.PasCont, 9);
}

TEST(Prefs, LineEndsWithoutCarriageReturnReadAlike)
{
    std::string text = Fixture();
    std::string unix;
    for (char c : text)
        if (c != '\r')
            unix += c;
    const Loaded loaded = Load(unix);
    EXPECT_TRUE(loaded.problems.empty()) << loaded.report();
    EXPECT_EQ(Save(loaded.v), Fixture());
}

TEST(Prefs, LastLineWithoutItsEndIsRead)
{
    const std::string text = Fixture().substr(0, Fixture().size() - 2);
    const Loaded loaded = Load(text);
    EXPECT_TRUE(loaded.problems.empty()) << loaded.report();
    EXPECT_EQ(Save(loaded.v), Fixture());
}

TEST(Prefs, RealsAreReadInAnyDecimalOrScientificForm)
{
    for (const char* text :
         {"0.5", "5E-1", "5e-0001", "  .5  rest of the line", "+0.5", "\t0.50000", "5.0E-0001"}) {
        const Loaded loaded = Load(Edited(Fixture(), {{20, text}}));
        EXPECT_TRUE(loaded.problems.empty()) << text << "\n" << loaded.report();
        EXPECT_EQ(loaded.v.Decl, 0.5) << text;
    }
}

// A file edited on the given lines: loaded and saved again, it must give the fixture edited on
// `saved`, and report a problem containing `problem` (none when empty).
struct EditCase {
    const char* name;
    Edits edits;
    Edits saved;
    std::string problem;
};

void CheckEditCase(const EditCase& c)
{
    SCOPED_TRACE(c.name);
    const Loaded loaded = Load(Edited(Fixture(), c.edits));
    if (c.problem.empty()) {
        EXPECT_TRUE(loaded.problems.empty()) << loaded.report();
    } else {
        ASSERT_EQ(loaded.problems.size(), 1u) << loaded.report();
        EXPECT_NE(loaded.problems[0].find(c.problem), std::string::npos) << loaded.report();
    }
    EXPECT_EQ(Lines(Save(loaded.v)), Lines(Edited(Fixture(), c.saved)));
}

TEST(Prefs, LinesTheLoaderOverrides)
{
    const std::string other = " 1.00000000000000E+0000";
    const EditCase cases[] = {
        {"fixed colours 8-16",
         {{68, "1"},
          {69, "2"},
          {70, "3"},
          {71, "4"},
          {72, "5"},
          {73, "6"},
          {74, "7"},
          {75, "8"},
          {76, "9"}},
         {},
         ""},
        {"line 242 wins over line 19", {{19, other}}, {}, ""},
        {"line 19 follows line 242", {{242, other}}, {{19, other}, {242, other}}, ""},
        {"line 168 wins over line 155", {{155, "obs"}}, {}, ""},
        {"line 155 follows line 168", {{168, "obs"}}, {{155, "obs"}, {168, "obs"}}, ""},
        {"line 1 of any length and bytes", {{1, std::string(20000, '\x01')}}, {}, ""},
    };
    for (const EditCase& c : cases)
        CheckEditCase(c);
}

TEST(Prefs, ValidFilesRoundTrip)
{
    const std::pair<const char*, Edits> cases[] = {
        {"PeBS 40, no choice of the dialog", {{3, "40"}}},
        {"PeBS 35", {{3, "35"}}},
        {"every bit of an option word", {{57, "-1"}}},
        {"empty texts", {{22, ""}, {164, ""}}},
        {"tab in a text", {{55, "a\tb"}}},
        {"widest colour index", {{18, "16"}}},
        {"tadpole of symbol 16", {{240, "-16"}}},
        {"additional symbol 307", {{169, "307"}}},
        {"the smallest real", {{20, " 4.94065645841247E-0324"}}},
        {"a big real", {{6, "-1.79769313486231E+0308"}}},
    };
    for (const auto& [name, edits] : cases)
        CheckEditCase({name, edits, edits, ""});
}

// ---- values that later code would use as an index, a count or a step

TEST(Prefs, OutOfRangeValuesAreReset)
{
    const EditCase cases[] = {
        {"AmBS 0", {{2, "0"}}, {{2, "20"}}, "line 2: AmBS = 0 is out of range, 20 is used"},
        {"CoFltN", {{12, "99"}}, {{12, "1"}}, "line 12: CoFltN"},
        {"OptFltCodes short", {{16, "FM"}}, {{16, "FMB200"}}, "line 16: OptFltCodes"},
        {"ColMvtF", {{17, "-1"}}, {{17, "2"}}, "line 17: ColMvtF"},
        {"Couleur", {{18, "17"}}, {{18, "2"}}, "line 18: Couleur"},
        {"FontHeight 0", {{21, "0"}}, {{21, "-13"}}, "line 21: FontHeight"},
        {"FontHeight most negative", {{21, "-2147483648"}}, {{21, "-13"}}, "line 21: FontHeight"},
        {"FrtL", {{23, "-1"}}, {{23, "0"}}, "line 23: FrtL"},
        {"FrtS", {{24, "5"}}, {{24, "0"}}, "line 24: FrtS = 5"},
        {"GridCol", {{25, "3"}}, {{25, "14"}}, "line 25: GridCol"},
        {"GridStep 0", {{26, "0"}}, {{26, "10"}}, "line 26: GridStep"},
        {"GridStep negative", {{26, "-5"}}, {{26, "10"}}, "line 26: GridStep"},
        {"Stats2DWidth", {{34, "0"}}, {{34, "20"}}, "line 34: Stats2DWidth"},
        {"IpSep", {{40, "3"}}, {{40, "1"}}, "line 40: IpSep"},
        {"IpVal", {{41, "8"}}, {{41, "2"}}, "line 41: IpVal"},
        // Fields count from 1: a field 0 would read before the first field.
        {"IpVal 0", {{41, "0"}}, {{41, "2"}}, "line 41: IpVal"},
        {"IpNat 0", {{42, "0"}}, {{42, "1"}}, "line 42: IpNat"},
        {"IpCom 8", {{45, "8"}}, {{45, "5"}}, "line 45: IpCom"},
        {"NbCr", {{53, "40"}}, {{53, "6"}}, "line 53: NbCr"},
        {"NbTirBS", {{54, "100000000"}}, {{54, "2000"}}, "line 54: NbTirBS"},
        {"Rc too small", {{59, "5"}}, {{59, "190"}}, "line 59: Rc"},
        {"Rc huge", {{59, "2147483647"}}, {{59, "190"}}, "line 59: Rc"},
        {"TcoAdd", {{78, "17"}}, {{78, "1"}}, "line 78: TcoAdd[1]"},
        {"SyAdd", {{170, "0"}}, {{170, "101"}}, "line 170: SyAdd[1]"},
        {"PasCont 0, other bits kept", {{232, "5"}}, {{232, "393221"}}, "line 232"},
        {"SyAddCur", {{239, "0"}}, {{239, "101"}}, "line 239: SyAddCur"},
        {"Sy 0", {{240, "0"}}, {{240, "6"}}, "line 240: Sy"},
        {"Sy beyond the tadpoles", {{240, "-17"}}, {{240, "6"}}, "line 240: Sy"},
        {"TDsySum", {{246, "99"}}, {{246, "10"}}, "line 246: TDsySum"},
        {"C1-C5 not an order",
         {{7, "2"}},
         {{7, "2"}, {8, "1"}, {9, "3"}, {10, "5"}, {11, "4"}},
         "lines 7-11"},
    };
    for (const EditCase& c : cases)
        CheckEditCase(c);
}

TEST(Prefs, ResetRadiusGivesTheCentre)
{
    const VarGlob v = Load(Edited(Fixture(), {{59, "2147483647"}})).v;
    EXPECT_EQ(v.Rc, 190);
    EXPECT_EQ(v.XC, 205);
}

// ---- damaged files

// A damaged file: the loader reports `problem` and keeps the fixture's values before
// `firstDefault` and the defaults from there on.
struct DamageCase {
    const char* name;
    std::string text;
    std::string problem;
    int firstDefault;
};

std::string Truncated(int lines)
{
    std::vector<std::string> l = Lines(Fixture());
    l.resize(static_cast<std::size_t>(lines) + 1);
    return Join(l);
}

TEST(Prefs, DamagedFilesStopAtTheBadLine)
{
    const char raw[] = "\x7f"
                       "ELF\x02\x01\x01\0\0\0\0\0\0\0\0\0\x03\0>\0\x01\0\0\0\n"
                       "\x10\x60\0\0\n\xff\xfe\n";
    const std::string binary(raw, sizeof raw - 1);
    const DamageCase cases[] = {
        {"empty file", "", "the file ends after line 0", 2},
        {"line 1 only", "09:41 at 09:41:27\r\n", "the file ends after line 1", 2},
        {"ends after line 100", Truncated(100), "the file ends after line 100", 101},
        {"ends after line 247", Truncated(247), "the file ends after line 247", 248},
        {"word on an integer line", Edited(Fixture(), {{57, "abc"}}),
         "line 57: an integer is expected", 57},
        {"number glued to a word", Edited(Fixture(), {{2, "12abc"}}),
         "line 2: an integer is expected", 2},
        {"empty integer line", Edited(Fixture(), {{200, ""}}), "line 200: an integer is expected",
         200},
        {"real on an integer line", Edited(Fixture(), {{24, "3.0"}}),
         "line 24: an integer is expected", 24},
        {"huge integer", Edited(Fixture(), {{24, "99999999999"}}),
         "line 24: the number is out of range", 24},
        {"huge real", Edited(Fixture(), {{20, "1e999"}}), "line 20: the number is out of range",
         20},
        {"not a number", Edited(Fixture(), {{4, "nan"}}), "line 4: a number is expected", 4},
        {"infinity", Edited(Fixture(), {{243, "inf"}}), "line 243: a number is expected", 243},
        {"decimal comma", Edited(Fixture(), {{19, "3,5"}}), "line 19: a number is expected", 19},
        {"control character in a text", Edited(Fixture(), {{22, "Times\x01Roman"}}),
         "line 22: the text holds control characters", 22},
        {"line too long", Edited(Fixture(), {{55, std::string(10000, 'a')}}),
         "line 55: the line is too long", 55},
        {"binary bytes", binary, "line 2: an integer is expected", 2},
    };
    const std::vector<std::string> fixture = Lines(Fixture());
    const std::vector<std::string> defaults = Lines(Join(DefaultLines()));
    for (const DamageCase& c : cases) {
        SCOPED_TRACE(c.name);
        const Loaded loaded = Load(c.text);
        ASSERT_EQ(loaded.problems.size(), 2u) << loaded.report();
        EXPECT_NE(loaded.problems[0].find(c.problem), std::string::npos) << loaded.report();
        EXPECT_EQ(loaded.problems[1], "The settings from line " + std::to_string(c.firstDefault)
                                          + " on keep their default values.");
        const std::vector<std::string> saved = Lines(Save(loaded.v));
        for (std::size_t n = 2; n <= 248; ++n) {
            // Lines 242 and 168 repeat lines 19 and 155, which were read when the file stopped
            // between them.
            const std::size_t first = n == 242 ? 19 : n == 168 ? 155 : n;
            const bool read = static_cast<int>(first) < c.firstDefault;
            EXPECT_EQ(saved[n], read ? fixture[first] : defaults[n]) << "line " << n;
        }
        EXPECT_TRUE(Load(Save(loaded.v)).problems.empty());
    }
}

// ---- numbers

TEST(Prefs, RealsAreWrittenIn23Characters)
{
    const std::pair<double, const char*> cases[] = {
        {3.5 * kDegToRad, " 6.10865238198015E-0002"},
        {30 * kDegToRad, " 5.23598775598299E-0001"},
        {0.0, " 0.00000000000000E+0000"},
        {-25.0, "-2.50000000000000E+0001"},
        {1.0, " 1.00000000000000E+0000"},
        {123456789012345678.0, " 1.23456789012346E+0017"},
        {1e300, " 1.00000000000000E+0300"},
        {-std::numeric_limits<double>::max(), "-1.79769313486231E+0308"},
        {std::numeric_limits<double>::denorm_min(), " 4.94065645841247E-0324"},
        {std::numeric_limits<double>::quiet_NaN(), " 0.00000000000000E+0000"},
        {-std::numeric_limits<double>::infinity(), " 0.00000000000000E+0000"},
    };
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(FormatPrefReal(value), text) << value;
        EXPECT_EQ(FormatPrefReal(value).size(), 23u);
    }
}

TEST(Prefs, TextsWithLineEndsAreWrittenOnOneLine)
{
    VarGlob v;
    v.TNomC[5] = "two\r\nlines";
    const std::string text = Save(v);
    EXPECT_EQ(Lines(text).size(), 249u);
    EXPECT_EQ(Lines(text)[168], "two  lines");
    EXPECT_TRUE(Load(text).problems.empty());
}

// ---- files

TEST(PrefsFile, PathIsAbsoluteInTheCurrentDirectory)
{
    TempDir dir;
    const test::CurrentDir inside(dir.path());
    EXPECT_EQ(PrefsPath(), std::filesystem::current_path() / kPrefFileName);
}

TEST(PrefsFile, LoadReportsProblemsWithThePath)
{
    TempDir dir;
    const std::filesystem::path path = dir.path() / kPrefFileName;
    WriteBytes(path, Truncated(30));
    VarGlob v;
    const std::vector<Message> messages = LoadPrefsFile(v, path, kScreen, kFixtureTime);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].kind, MsgKind::Error);
    EXPECT_EQ(messages[0].text, "Error reading the preference file \"" + path.string()
                                    + "\":\nthe file ends after line 30 (248 lines are expected)"
                                      "\nThe settings from line 31 on keep their default values.");
    EXPECT_EQ(ReadBytes(path), Truncated(30)) << "loading never writes";
}

TEST(PrefsFile, SaveReplacesTheFileAndLeavesNothingElse)
{
    TempDir dir;
    const std::filesystem::path path = dir.path() / kPrefFileName;
    WriteBytes(path, "an older file");
    const VarGlob v = Load(Fixture()).v;
    EXPECT_FALSE(SavePrefsFile(v, path, kFixtureTime).has_value());
    EXPECT_EQ(ReadBytes(path), Fixture());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(PrefsFile, FailedSaveReportsAndLeavesNoPartialFile)
{
    TempDir dir;
    struct Case {
        const char* name;
        std::filesystem::path path;
    };
    const std::filesystem::path occupied = dir.path() / "occupied" / kPrefFileName;
    std::filesystem::create_directories(occupied / "inside");
    const Case cases[] = {
        {"missing folder", dir.path() / "missing" / kPrefFileName},
        {"a folder in the way", occupied},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<Message> failure = SavePrefsFile(VarGlob{}, c.path, kFixtureTime);
        ASSERT_TRUE(failure.has_value());
        EXPECT_EQ(failure->kind, MsgKind::Error);
        EXPECT_NE(failure->text.find("could not be written"), std::string::npos);
        EXPECT_NE(failure->text.find(c.path.string()), std::string::npos);
    }
    EXPECT_TRUE(std::filesystem::is_directory(occupied / "inside"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(occupied.parent_path()), {}), 1)
        << "the temporary file is removed";
}

TEST(PrefsFile, FailedFirstWriteIsReportedAfterTheMissingFile)
{
    TempDir dir;
    const std::filesystem::path path = dir.path() / "missing" / kPrefFileName;
    VarGlob v;
    const std::vector<Message> messages = LoadPrefsFile(v, path, kScreen, kFixtureTime);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_NE(messages[0].text.find("not found or alterated"), std::string::npos);
    EXPECT_NE(messages[1].text.find("could not be written"), std::string::npos);
    EXPECT_EQ(v.Rc, 190);
}

TEST(PrefsFile, ARefusedReadIsReportedAndEverySettingIsDefault)
{
    const std::string fixture = Fixture();
    const std::vector<std::string> lines = Lines(fixture);
    const std::size_t line30 = Join({lines.begin(), lines.begin() + 30}).size();
    VarGlob defaults;
    DefaultPrefs(defaults, kScreen);
    for (const std::size_t good : {std::size_t{0}, line30 + 3}) {
        SCOPED_TRACE(good);
        test::FailingBuffer buffer(fixture, good);
        std::istream in(&buffer);
        VarGlob v;
        std::vector<std::string> problems;
        ASSERT_NO_THROW(problems = LoadPrefs(v, in, kScreen));
        const std::string line = good == 0 ? "1" : "30";
        EXPECT_EQ(problems,
                  (std::vector<std::string>{"line " + line + " cannot be read (Input/output error)",
                                            "Every setting keeps its default value."}));
        EXPECT_EQ(Save(v), Save(defaults));
    }
}

TEST(PrefsFile, AFolderInPlaceOfTheFileIsAReadErrorAndNothingIsWritten)
{
    TempDir dir;
    const std::filesystem::path path = dir.path() / kPrefFileName;
    std::filesystem::create_directories(path / "inside");
    VarGlob v;
    std::vector<Message> messages;
    ASSERT_NO_THROW(messages = LoadPrefsFile(v, path, kScreen, kFixtureTime));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].kind, MsgKind::Error);
    EXPECT_EQ(messages[0].text, "Error reading the preference file \"" + path.string()
                                    + "\":\nline 1 cannot be read (Is a directory)"
                                      "\nEvery setting keeps its default value.");
    EXPECT_EQ(v.Rc, 190);
    EXPECT_TRUE(std::filesystem::is_directory(path / "inside"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(PrefsFile, SaveFollowsALinkAndKeepsTheFileMode)
{
    TempDir dir;
    namespace fs = std::filesystem;
    const fs::path real = dir.path() / "settings" / "mine.plp";
    fs::create_directory(real.parent_path());
    WriteBytes(real, "an older file");
    fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write);
    const fs::path link = dir.path() / kPrefFileName;
    fs::create_symlink(real, link);
    const VarGlob v = Load(Fixture()).v;
    EXPECT_FALSE(SavePrefsFile(v, link, kFixtureTime).has_value());
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadBytes(real), Fixture());
    EXPECT_EQ(fs::status(real).permissions(), fs::perms::owner_read | fs::perms::owner_write);
}

TEST(PrefsFile, ALinkWhereAnOlderSaveKeptItsTemporaryIsLeftAlone)
{
    TempDir dir;
    namespace fs = std::filesystem;
    const fs::path victim = dir.path() / "victim";
    WriteBytes(victim, "not to be overwritten");
    const fs::path path = dir.path() / kPrefFileName;
    fs::path trap = path;
    trap += ".tmp";
    fs::create_symlink(victim, trap);
    EXPECT_FALSE(SavePrefsFile(Load(Fixture()).v, path, kFixtureTime).has_value());
    EXPECT_EQ(ReadBytes(victim), "not to be overwritten");
    EXPECT_TRUE(fs::is_symlink(trap));
    EXPECT_FALSE(fs::is_symlink(path));
    EXPECT_EQ(ReadBytes(path), Fixture());
}

} // namespace
} // namespace ploq

// Symbol batch files, the option list's lines and the canvas legend.

#include "canvas/SymbBatch.h"

#include "platform/RecordingSurface.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace ploq {
namespace {

const std::vector<BatchEntry> kEntries = {
    {"S0", 6, 2}, {"L1", -5, 12}, {"FAULT-123", 16, 16}, {"", 1, 0}, {"\xe9t\xe9", -16, 9}};

std::string Bytes(std::span<const BatchEntry> entries)
{
    std::ostringstream out;
    EXPECT_TRUE(WriteBatchStream(out, entries));
    return out.str();
}

BatchTable Read(const std::string& bytes, std::size_t max = kMaxBatch)
{
    std::istringstream in(bytes);
    return ReadBatchStream(in, max);
}

// A record with any bytes in its fields, as a damaged or foreign file holds them.
std::string RawRecord(unsigned char length, std::string_view code, int sy, int co)
{
    BatchBytes b{};
    b[0] = length;
    std::copy(code.begin(), code.begin() + std::min<std::size_t>(code.size(), 10), b.begin() + 1);
    b[11] = static_cast<unsigned char>(sy);
    b[12] = static_cast<unsigned char>(co);
    return std::string(b.begin(), b.end());
}

TEST(BatchFile, RecordLayout)
{
    const BatchBytes b = EncodeBatch({"L1", -5, 12});
    const BatchBytes expected = {2, 'L', '1', 0, 0, 0, 0, 0, 0, 0, 0, 0xFB, 12};
    EXPECT_EQ(b, expected);
}

TEST(BatchFile, RoundTrip)
{
    const std::string bytes = Bytes(kEntries);
    EXPECT_EQ(bytes.size(), kEntries.size() * kBatchRecordSize);
    const BatchTable table = Read(bytes);
    EXPECT_EQ(table.TabBatch, kEntries);
    EXPECT_EQ(table.NbBatch(), 5);
    EXPECT_TRUE(table.skipped.empty());
    EXPECT_FALSE(table.error);
}

TEST(BatchFile, ReaderTakesTheFirstFifty)
{
    std::vector<BatchEntry> many;
    for (int i = 0; i < 60; ++i)
        many.push_back({"C" + std::to_string(i), 1 + i % 16, i % 17});
    const BatchTable table = Read(Bytes(many));
    ASSERT_EQ(table.NbBatch(), 50);
    EXPECT_EQ(table.TabBatch.back(), many[49]);
    EXPECT_EQ(Read(Bytes(many), 1000).NbBatch(), 60) << "the options dialog lists them all";
}

TEST(BatchFile, EmptyFileGivesAnEmptyTable)
{
    const BatchTable table = Read("");
    EXPECT_EQ(table.NbBatch(), 0);
    EXPECT_TRUE(table.skipped.empty());
}

TEST(BatchFile, RecordsThatCannotBeUsedAreSkippedAndTold)
{
    struct Case {
        std::string record;
        std::string told;
    };
    const Case bad[] = {
        {RawRecord(10, "ABCDEFGHIJ", 3, 1), "code of 10 characters"},
        {RawRecord(255, "ABC", 3, 1), "code of 255 characters"},
        {RawRecord(2, "S0", 0, 1), "symbol 0"},
        {RawRecord(2, "S0", 17, 1), "symbol 17"},
        {RawRecord(2, "S0", -17, 1), "symbol -17"},
        {RawRecord(2, "S0", 101, 1), "symbol 101"},
        {RawRecord(2, "S0", 3, 17), "colour 17"},
        {RawRecord(2, "S0", 3, 255), "colour 255"},
    };
    std::string bytes = RawRecord(2, "OK", 4, 3);
    for (const Case& k : bad)
        bytes += k.record;
    bytes += RawRecord(9, "LASTCODE9", -16, 16);
    bytes += "\x02S0";
    const BatchTable table = Read(bytes);
    ASSERT_EQ(table.NbBatch(), 2);
    EXPECT_EQ(table.TabBatch[0], (BatchEntry{"OK", 4, 3}));
    EXPECT_EQ(table.TabBatch[1], (BatchEntry{"LASTCODE9", -16, 16}));
    ASSERT_EQ(table.skipped.size(), std::size(bad) + 1);
    for (std::size_t i = 0; i < std::size(bad); ++i) {
        EXPECT_NE(table.skipped[i].find("record " + std::to_string(i + 2)), std::string::npos);
        EXPECT_NE(table.skipped[i].find(bad[i].told), std::string::npos) << table.skipped[i];
    }
    EXPECT_NE(table.skipped.back().find("only 3 of its 13 bytes"), std::string::npos);
}

TEST(BatchFile, FileNotFound)
{
    for (const std::string path : {"", "undefined", "/no/such/folder/x.pqb"}) {
        const BatchTable table = LireBatchFile(path);
        ASSERT_TRUE(table.error) << path;
        EXPECT_EQ(table.error->text, kMsgBatchNotFound);
    }
}

TEST(BatchFile, SaveAndReadBackInAFolderWithADot)
{
    test::TempDir dir;
    const auto folder = dir.path() / "site.2024";
    std::filesystem::create_directory(folder);
    const std::string path = BatchSavePath((folder / "legend").string());
    EXPECT_EQ(path, (folder / "legend.pqb").string());
    EXPECT_FALSE(SaveBatchFile(path, kEntries));
    const BatchTable table = LireBatchFile(path);
    EXPECT_EQ(table.TabBatch, kEntries);
    EXPECT_EQ(table.title, "legend");
}

TEST(BatchFile, FailedSaveIsTold)
{
    test::TempDir dir;
    // A folder where the file should go cannot be replaced; nor can a file in a missing folder.
    const auto occupied = dir.path() / "legend.pqb";
    std::filesystem::create_directory(occupied);
    std::ofstream(occupied / "inside") << "kept";
    for (const auto& path : {occupied, dir.path() / "missing" / "legend.pqb"}) {
        const auto failed = SaveBatchFile(path.string(), kEntries);
        ASSERT_TRUE(failed) << path;
        EXPECT_EQ(failed->kind, MsgKind::Error);
        EXPECT_NE(failed->text.find("legend.pqb"), std::string::npos);
    }
    EXPECT_TRUE(std::filesystem::exists(occupied / "inside"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1)
        << "no temporary file left behind";
}

TEST(BatchFile, NamesLoseOnlyTheirFinalExtension)
{
    struct Case {
        std::string path, saved, title;
    };
    const Case cases[] = {
        {"/data/a.b/legend", "/data/a.b/legend.pqb", "legend"},
        {"/data/a.b/legend.pqb", "/data/a.b/legend.pqb", "legend"},
        {"/data/x/my.faults.txt", "/data/x/my.faults.pqb", "my.faults"},
        {"/data/x/symbolsforthewholeregion.backup", "/data/x/symbolsforthewholeregion.pqb",
         "symbolsforthewholeregion"},
        {"plain", "plain.pqb", "plain"},
    };
    for (const Case& k : cases) {
        EXPECT_EQ(BatchSavePath(k.path), k.saved);
        EXPECT_EQ(BatchTitle(k.path), k.title);
    }
}

TEST(BatchLines, WrittenAndReadBack)
{
    EXPECT_EQ(BatchLine({"S0", 6, 2}), "S0 (2 +6)");
    EXPECT_EQ(BatchLine({"L1", -5, 12}), "L1 (12 -5)");
    EXPECT_EQ(BatchDialogLine("S2", 3, true, 7), "S2 (3  -7)");
    EXPECT_EQ(BatchDialogLine("S2", 3, false, 7), "S2 (3  +7)");
    for (const BatchEntry& e : kEntries) {
        const BatchLineRead read = ParseBatchLine(BatchLine(e));
        ASSERT_TRUE(read.entry) << BatchLine(e);
        EXPECT_EQ(*read.entry, e);
    }
}

TEST(BatchLines, ColoursAboveNineReadWhole)
{
    for (int co : {10, 12, 16}) {
        const BatchLineRead read = ParseBatchLine(BatchDialogLine("S", co, false, 4));
        ASSERT_TRUE(read.entry);
        EXPECT_EQ(read.entry->co, co);
        EXPECT_EQ(read.entry->sy, 4);
    }
}

TEST(BatchLines, CodeIsTheNonBlankCharactersCutToNine)
{
    const BatchLineRead read = ParseBatchLine("bedding plane (1 +3)");
    ASSERT_TRUE(read.entry);
    EXPECT_EQ(read.entry->code, "beddingpl");
    const BatchLineRead bracket = ParseBatchLine("a(b) (4 -2)");
    ASSERT_TRUE(bracket.entry);
    EXPECT_EQ(*bracket.entry, (BatchEntry{"a(b)", -2, 4}));
}

TEST(BatchLines, ListModeSkipsWhatCannotBeUsed)
{
    const std::vector<std::string> lines = {
        "S0 (2 +6)",  "no bracket", "S1 (x +3)",           "S2 (3 7)",    "S3 (3 +)", "S4 (17 +1)",
        "S5 (2 +17)", "S6 (2 +0)",  "S7 (99999999999 +1)", "S8 (16  -16)"};
    const BatchTable table = LireBatchLines(lines);
    ASSERT_EQ(table.NbBatch(), 2);
    EXPECT_EQ(table.TabBatch[1], (BatchEntry{"S8", -16, 16}));
    ASSERT_EQ(table.skipped.size(), 8u);
    EXPECT_NE(table.skipped[0].find("line 2"), std::string::npos);
    EXPECT_NE(table.skipped[0].find("cannot be read"), std::string::npos);
    EXPECT_NE(table.skipped[4].find("colour 17"), std::string::npos);
    EXPECT_NE(table.skipped[5].find("symbol 17"), std::string::npos);
}

TEST(BatchLines, ListModeKeepsFifty)
{
    std::vector<std::string> lines(55, "S0 (1 +1)");
    const BatchTable table = LireBatchLines(lines);
    EXPECT_EQ(table.NbBatch(), 50);
    ASSERT_EQ(table.skipped.size(), 1u);
    EXPECT_NE(table.skipped[0].find("first 50"), std::string::npos);
}

TEST(BatchLegend, EntriesOfACanvas)
{
    EXPECT_EQ(LegendEntry(-5, 12, "S0"), "-5.12.S0");
    const std::vector<std::string> lsy = {"-5.12.S0", "6.2.no selection", "3.1.a.b", "bad",
                                          "3..x",     "20.1.mark",        "4.-1.neg"};
    const BatchTable table = LireBatchLegend(lsy);
    ASSERT_EQ(table.NbBatch(), 3);
    EXPECT_EQ(table.TabBatch[0], (BatchEntry{"S0", -5, 12}));
    EXPECT_EQ(table.TabBatch[1], (BatchEntry{"no select", 6, 2}));
    EXPECT_EQ(table.TabBatch[2], (BatchEntry{"a.b", 3, 1}));
    EXPECT_EQ(table.skipped.size(), 4u);
}

TEST(BatchLegend, OneRowOfTwentyPixelsPerEntry)
{
    EXPECT_EQ(LegendeSize(0), (Size{kLegendWidth, 9})) << "an empty legend";
    VarGlob settings;
    RecordingImage image(LegendeSize(2));
    DessinerLegende(image, settings.Tco, kEntries);
    std::vector<Point> codes;
    std::vector<Box> symbols;
    for (const Primitive& p : image.recording().primitives()) {
        if (p.shape == Shape::Text) {
            codes.push_back(p.points[0]);
            EXPECT_EQ(p.brush.style, BrushStyle::Solid);
        } else if (p.shape == Shape::Rectangle) {
            symbols.push_back(p.box);
        }
    }
    EXPECT_EQ(codes, (std::vector<Point>{{30, 10}, {30, 30}, {30, 50}, {30, 70}, {30, 90}}));
    EXPECT_EQ(symbols.front(), (Box{6, 13, 13, 20})) << "symbol 6 at (10, 17)";
}

} // namespace
} // namespace ploq

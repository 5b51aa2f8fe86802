// The symbol file group of the Options dialog's General page as plain values: the lines of its
// list, "add" and "modify", and the file read and saved, compared byte for byte with records
// written out here by hand.

#include "app/Options.h"
#include "support/BatchRecords.h"
#include "support/FaultyFileCalls.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

namespace ploq {
namespace {

namespace fs = std::filesystem;
using Step = test::FaultyFileCalls::Step;

std::string Record(const std::string& code, int symbol, int colour)
{
    return test::BatchRecord(code, symbol, colour);
}

TEST(OptionsSymbolList, ALineAddedAndALineReadFromAFileGiveTheSameEntry)
{
    struct Case {
        std::string code;
        int colour, symbol;
        bool tadpole;
        std::string fileLine, dialogLine;
    };
    const Case cases[] = {
        {"S0", 3, 9, true, "S0 (3 -9)", "S0 (3  -9)"},
        {"L1", 0, 16, false, "L1 (0 +16)", "L1 (0  +16)"},
        {"F(n)", 7, 1, false, "F(n) (7 +1)", "F(n) (7  +1)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        test::TempDir dir;
        const fs::path file = dir.path() / "one.pqb";
        test::WriteFileBytes(file, Record(c.code, c.tadpole ? -c.symbol : c.symbol, c.colour));
        SymbolList list;
        EXPECT_TRUE(ReadSymbolList(list, file.string()).empty());
        ASSERT_EQ(list.lines, std::vector<std::string>{c.fileLine});

        const SymbolLineMade made = MakeSymbolLine(c.code, c.colour, c.tadpole, c.symbol);
        EXPECT_EQ(made.line, c.dialogLine);
        ASSERT_TRUE(made.entry);
        const BatchLineRead fromFile = ParseBatchLine(list.lines[0]);
        ASSERT_TRUE(fromFile.entry);
        EXPECT_EQ(*made.entry, *fromFile.entry);
        EXPECT_EQ(made.entry->sy, c.tadpole ? -c.symbol : c.symbol);
    }
}

TEST(OptionsSymbolList, LineTakesTheSizeOfTheSymbolAndCutsTheCodeToNine)
{
    // The current symbol may be a tadpole: the box alone says so.
    const SymbolLineMade made = MakeSymbolLine("ABCDEFGHIJKL", 2, false, -6);
    EXPECT_EQ(made.line, "ABCDEFGHIJKL (2  +6)");
    ASSERT_TRUE(made.entry);
    EXPECT_EQ(made.entry->code.str(), "ABCDEFGHI");
    EXPECT_EQ(made.entry->sy, 6);
}

TEST(OptionsSymbolList, ALineThatCannotBeAnEntryIsRefusedWithItsReason)
{
    for (const auto& [symbol, colour] : {std::pair{0, 2}, std::pair{17, 2}, std::pair{3, 17}}) {
        const SymbolLineMade made = MakeSymbolLine("S0", colour, false, symbol);
        EXPECT_FALSE(made.entry) << made.line;
        EXPECT_NE(made.problem.find("skipped"), std::string::npos) << made.problem;
    }
}

TEST(OptionsSymbolList, AddReplacesTheSameCodeAndModifyTheSelectedLine)
{
    SymbolList list;
    list.lines = {"S0 (1 +6)", "L1 (2 -9)", "F (3 +4)"};
    EXPECT_EQ(LineOfCode(list, St9("L1")), 1);
    EXPECT_EQ(LineOfCode(list, St9("L")), -1);
    // Blanks are no part of a code.
    EXPECT_EQ(LineOfCode(list, MakeSymbolLine(" L 1", 0, false, 1).entry->code), 1);

    AddSymbolLine(list, "L1 (5  +2)", 1);
    EXPECT_EQ(list.lines, (std::vector<std::string>{"S0 (1 +6)", "F (3 +4)", "L1 (5  +2)"}));
    EXPECT_FALSE(list.batchSaved);
    AddSymbolLine(list, "P (4  +1)", -1);
    EXPECT_EQ(list.lines.size(), 4u);

    list.batchSaved = true;
    list.selected = -1;
    EXPECT_FALSE(ModifySymbolLine(list, "X (1  +1)"));
    EXPECT_TRUE(list.batchSaved);
    list.selected = 0;
    EXPECT_TRUE(ModifySymbolLine(list, "S1 (1  +1)"));
    EXPECT_EQ(list.lines[0], "S1 (1  +1)");
    EXPECT_FALSE(list.batchSaved);
}

TEST(OptionsSymbolList, SavedListReadsBackAndItsRecordsAreTheFormatsBytes)
{
    test::TempDir dir;
    SymbolList list;
    NewSymbolFile(list);
    EXPECT_EQ(list.label, "new file");
    EXPECT_EQ(list.butBatch, 1);
    for (const SymbolLineMade& made :
         {MakeSymbolLine("S0", 1, false, 6), MakeSymbolLine("L1", 3, true, 9),
          MakeSymbolLine("Fault", 7, false, 16)})
        AddSymbolLine(list, made.line, -1);

    VarGlob settings;
    const fs::path path = dir.path() / "three.pqb";
    ASSERT_FALSE(SaveSymbolList(list, path.string(), settings));
    EXPECT_EQ(test::FileBytes(path),
              Record("S0", 6, 1) + Record("L1", -9, 3) + Record("Fault", 16, 7));
    EXPECT_EQ(settings.NomFBatch, path.string());
    EXPECT_EQ(list.label, "new : three.pqb");
    EXPECT_TRUE(list.batchSaved);

    SymbolList again;
    EXPECT_TRUE(ReadSymbolList(again, settings.NomFBatch).empty());
    EXPECT_EQ(again.label, "current selection : three.pqb");
    ASSERT_EQ(again.lines.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_EQ(ParseBatchLine(again.lines[i]).entry, ParseBatchLine(list.lines[i]).entry) << i;
}

TEST(OptionsSymbolList, SaveGoesIntoADottedFolderUnderTheChosenName)
{
    test::TempDir dir;
    const fs::path folder = dir.path() / "j.smith" / "maps";
    fs::create_directories(folder);
    struct Case {
        const char* chosen;
        const char* saved;
    };
    for (const Case& c : {Case{"symbols.pqb", "symbols.pqb"}, Case{"symbols", "symbols.pqb"},
                          Case{"my.codes.txt", "my.codes.pqb"}}) {
        SymbolList list;
        list.lines = {"S0 (1 +6)"};
        VarGlob settings;
        const std::string path = BatchSavePath((folder / c.chosen).string());
        ASSERT_FALSE(SaveSymbolList(list, path, settings)) << c.chosen;
        EXPECT_EQ(settings.NomFBatch, (folder / c.saved).string());
        EXPECT_EQ(test::FileBytes(folder / c.saved), Record("S0", 6, 1));
    }
    // Nothing went anywhere but the chosen folder.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), 1);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), {}), 2); // symbols.pqb, my.codes.pqb
}

// A folder that refuses the new file: the tests run as root, whom permissions do not stop, so
// the refusal is made at the file calls; the old file must stay whole and still be the one named.
TEST(OptionsSymbolList, FailedSaveKeepsTheOldFileTheNameAndTheLabel)
{
    test::TempDir dir;
    const fs::path old = dir.path() / "old.pqb";
    const std::string oldBytes = Record("S0", 6, 1) + Record("L1", -9, 3);
    for (const auto& [step, error] :
         {std::pair{Step::Write, ENOSPC}, std::pair{Step::Rename, EROFS},
          std::pair{Step::Rename, EACCES}}) {
        test::WriteFileBytes(old, oldBytes);
        VarGlob settings;
        settings.NomFBatch = old.string();
        SymbolList list;
        ReadSymbolList(list, old.string());
        AddSymbolLine(list, MakeSymbolLine("New", 2, false, 3).line, -1);
        const SymbolList before = list;
        test::FaultyFileCalls calls;
        if (step == Step::Write)
            calls.failWriteAfter(5, error);
        else
            calls.failAt(step, error);
        std::optional<Message> failed;
        {
            const ScopedFileCalls seam(calls);
            failed = SaveSymbolList(list, old.string(), settings);
        }
        EXPECT_TRUE(calls.tripped());
        ASSERT_TRUE(failed);
        EXPECT_EQ(failed->kind, MsgKind::Error);
        EXPECT_NE(failed->text.find("old.pqb"), std::string::npos);
        EXPECT_EQ(test::FileBytes(old), oldBytes);
        EXPECT_EQ(settings.NomFBatch, old.string());
        EXPECT_EQ(list.label, before.label);
        EXPECT_FALSE(list.batchSaved);
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), 1) << "no temporary left";
    }
}

TEST(OptionsSymbolList, ALineTheParserRefusesStopsTheSaveAndWritesNothing)
{
    test::TempDir dir;
    const fs::path path = dir.path() / "kept.pqb";
    test::WriteFileBytes(path, Record("S0", 6, 1));
    SymbolList list;
    list.lines = {"S0 (1 +6)", "L1 without brackets"};
    VarGlob settings;
    const std::optional<Message> failed = SaveSymbolList(list, path.string(), settings);
    ASSERT_TRUE(failed);
    EXPECT_NE(failed->text.find("line 2"), std::string::npos) << failed->text;
    EXPECT_EQ(test::FileBytes(path), Record("S0", 6, 1));
    EXPECT_EQ(settings.NomFBatch, "");
}

TEST(OptionsSymbolList, EveryRecordOfTheFileIsListedBeyondFifty)
{
    test::TempDir dir;
    std::string bytes;
    for (int i = 0; i < 60; ++i)
        bytes += Record("C" + std::to_string(i), 1 + i % 16, i % 8);
    const fs::path path = dir.path() / "sixty.pqb";
    test::WriteFileBytes(path, bytes);
    SymbolList list;
    EXPECT_TRUE(ReadSymbolList(list, path.string()).empty());
    ASSERT_EQ(list.lines.size(), 60u);
    EXPECT_EQ(list.lines[59], "C59 (3 +12)");
    // Saved again, all sixty go back.
    VarGlob settings;
    ASSERT_FALSE(SaveSymbolList(list, path.string(), settings));
    EXPECT_EQ(test::FileBytes(path), bytes);
}

TEST(OptionsSymbolList, AFileThatCannotBeOpenedGivesAnEmptyListAndNoMessage)
{
    test::TempDir dir;
    for (const fs::path& path : {dir.path() / "missing.pqb", dir.path()}) {
        SymbolList list;
        list.lines = {"S0 (1 +6)"};
        list.selected = 0;
        EXPECT_TRUE(ReadSymbolList(list, path.string()).empty()) << path;
        EXPECT_TRUE(list.lines.empty());
        EXPECT_EQ(list.selected, -1);
    }
    // No file named: the list is to be saved under a new name.
    for (const char* none : {"", "undefined"}) {
        SymbolList list;
        ReadSymbolList(list, none);
        EXPECT_TRUE(list.lines.empty());
        EXPECT_EQ(list.butBatch, 1);
    }
}

TEST(OptionsSymbolList, RecordsThatCannotBeUsedAreToldAndLeftOut)
{
    test::TempDir dir;
    const fs::path path = dir.path() / "bad.pqb";
    test::WriteFileBytes(path, Record("S0", 6, 1) + Record("X", 40, 1) + Record("L1", 2, 2));
    SymbolList list;
    const std::vector<std::string> problems = ReadSymbolList(list, path.string());
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].find("record 2"), std::string::npos) << problems[0];
    EXPECT_EQ(list.lines, (std::vector<std::string>{"S0 (1 +6)", "L1 (2 +2)"}));
}

} // namespace
} // namespace ploq

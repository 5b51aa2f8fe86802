// The Datasheet utilities that work on whole sheets, run from the main window's menu with
// scripted prompts: rounding, the Sort submenu in the platform's collation, the codes and files
// listings in their text windows, and merging, with their questions, refusals and the windows
// they make. The pictures are kept (pictures/utilities_*.png).

#include "canvas/PicturesUi.h"
#include "datasheet/DataU.h"
#include "datasheet/SheetUtilities.h"
#include "datasheet/TWText.h"
#include "platform/QtText.h"
#include "support/SheetUi.h"

#include <QTableView>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>

#include <cmath>

namespace ploq {
namespace {

using test::RowTexts;

struct UtilitiesUi : test::SheetUi {
    // A sheet of these rows in the notations, made current.
    TWFichier* sheetOf(const std::vector<RowTexts>& rows, Notation notation = {0, 0})
    {
        DataSheet sheet = NewDataSheet(t.app.settings());
        sheet.lFrtS = notation.frtS;
        sheet.lFrtL = notation.frtL;
        for (const RowTexts& r : rows)
            test::EnterRow(sheet, r);
        return NewSheet(t.app, &form, std::move(sheet));
    }

    static std::vector<std::string> column(const TWFichier& sheet, Field field)
    {
        std::vector<std::string> texts;
        for (int row = 1; row <= sheet.sheet().rowCount(); ++row)
            texts.push_back(sheet.sheet().field(row, field));
        return texts;
    }

    static std::vector<std::string> lines(const TWText& w)
    {
        std::vector<std::string> result;
        for (const TextParagraph& p : w.document().paragraphs)
            result.push_back(p.plain());
        return result;
    }

    // What the grid shows in a cell.
    static std::string shown(const TWFichier& sheet, int row, int column)
    {
        const QAbstractItemModel* model = sheet.grid()->model();
        return fromQString(model->data(model->index(row - 1, column - 1)).toString());
    }

    TWText* newestText() { return ActiveWT(t.app); }
    int sheets() { return t.app.registry().count(WindowKind::Sheet); }
    int texts() { return t.app.registry().count(WindowKind::Text); }
};

TEST_F(UtilitiesUi, RoundAsksInTheMiddleOfTheScreenAndNoLeavesTheSheet)
{
    TWFichier* sheet = sheetOf({{"S", "120.4 SW 10.6", "1", "", ""}});
    const DataSheet before = sheet->sheet();
    const bool decimals = before.lShowDeci;
    t.prompts.expectMessage(std::string(kMsgRoundData), Button::No);
    form.run(Cmd::UtilRound);
    ASSERT_TRUE(t.prompts.allAnswered());
    EXPECT_TRUE(t.prompts.messages().back().screenCentre);
    EXPECT_EQ(t.prompts.messages().back().buttons, Button::Yes | Button::No);
    test::ExpectSameRows(sheet->sheet(), before);

    t.prompts.expectMessage(std::string(kMsgRoundData), Button::Yes);
    form.run(Cmd::UtilRound);
    EXPECT_EQ(sheet->sheet().field(1, Field::Value), "120 SW 11");
    EXPECT_EQ(shown(*sheet, 1, sheet->sheet().columnOf(Field::Value)), "120 SW 11");
    EXPECT_EQ(sheet->sheet().lShowDeci, decimals);
    EXPECT_TRUE(sheet->sheet().lDirty);
}

TEST_F(UtilitiesUi, RoundShowsTheMessageOfARowThatDoesNotDecodeBesideTheSheet)
{
    TWFichier* sheet = sheetOf({{"S", "120 SW 10", "1", "", ""}, {"L", "45 NE 10.6", "2", "", ""}});
    sheet->GridCellEdited(1, sheet->sheet().columnOf(Field::Value), "120 XY 10");
    ASSERT_EQ(sheet->sheet().lMod[1], kRowToDecode);
    t.prompts.expectMessage(std::string(kMsgRoundData), Button::Yes);
    t.prompts.expectMessage("120 XY 10", Button::Cancel);
    form.run(Cmd::UtilRound);
    ASSERT_TRUE(t.prompts.allAnswered());
    const Message& told = t.prompts.messages().back();
    EXPECT_EQ(told.kind, MsgKind::Error);
    ASSERT_TRUE(told.at);
    EXPECT_EQ(told.at->x, sheet->messagePlace().x);
    EXPECT_EQ(sheet->sheet().field(1, Field::Value), "120 XY 10");
    EXPECT_EQ(sheet->sheet().field(2, Field::Value), "45 NE 11");
}

TEST_F(UtilitiesUi, AnEmptySheetIsAskedAboutButNotTouched)
{
    TWFichier* sheet = newSheet();
    t.prompts.expectMessage(std::string(kMsgRoundData), Button::Yes);
    form.run(Cmd::UtilRound);
    EXPECT_FALSE(sheet->sheet().lDirty);
    form.run(Cmd::SortNature);
    EXPECT_FALSE(sheet->sheet().lDirty);
}

TEST_F(UtilitiesUi, TheCurrentSheetComesToTheFrontFirst)
{
    TWFichier* first = sheetOf({{"S", "120 SW 10", "2", "", ""}, {"S", "120 SW 10", "1", "", ""}});
    TWFichier* second = sheetOf({{"L", "45 NE 30", "1", "", ""}});
    const DataSheet secondBefore = second->sheet();
    first->FormActivate();
    t.app.activateMain();
    ASSERT_EQ(CurrentSheet(t.app), first);
    form.run(Cmd::SortNumbers);
    EXPECT_EQ(t.app.registry().ActiveTag, first->tag());
    EXPECT_EQ(column(*first, Field::Number), (std::vector<std::string>{"1", "2"}));
    test::ExpectSameRows(second->sheet(), secondBefore);
}

TEST_F(UtilitiesUi, SortMenuItemsInThePlatformsCollation)
{
    TWFichier* sheet = sheetOf({{"p", "120 SW 10", "2", "", ""},
                                {"F", "120 SW 10", "10", "", ""},
                                {"f", "120 SW 10", "1a", "", ""},
                                {"P", "120 SW 10", "3", "", ""}});
    form.run(Cmd::SortNumbers);
    EXPECT_EQ(column(*sheet, Field::Number), (std::vector<std::string>{"1a", "2", "3", "10"}));
    form.run(Cmd::SortNumbersAsStrings);
    EXPECT_EQ(column(*sheet, Field::Number), (std::vector<std::string>{"10", "1a", "2", "3"}));
    form.run(Cmd::SortNature);
    // Case ignored: F and f are one key, ordered by number; p and P likewise.
    EXPECT_EQ(column(*sheet, Field::Nature), (std::vector<std::string>{"F", "f", "p", "P"}));
    EXPECT_EQ(shown(*sheet, 1, sheet->sheet().columnOf(Field::Number)), "10");
    EXPECT_EQ(shown(*sheet, 4, sheet->sheet().columnOf(Field::Nature)), "P");
    EXPECT_TRUE(sheet->sheet().lDirty);
}

TEST_F(UtilitiesUi, InfoCodesInARichTextWindow)
{
    TWFichier* sheet = sheetOf({{"S1", "120 SW 10", "123", "Col", ""},
                                {"s1", "120 SW 10", "5", "col", ""},
                                {"L", "45 NE 30", "12", "Pic", "hinge"}});
    form.run(Cmd::UtilInfoCodes);
    TWText* w = newestText();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->title(), "Codes Infos");
    EXPECT_EQ(w->but(), 2);
    EXPECT_EQ(w->size(), QSize(kCodesInfosWidth, kCodesInfosHeight));
    EXPECT_TRUE(w->isVisible());
    EXPECT_FALSE(w->dirty());
    EXPECT_EQ(w->RichEdit1()->textCursor().position(), 0) << "shown from its title";
    const std::vector<std::string> listed = lines(*w);
    const auto& headings = t.app.settings().TNomC;
    ASSERT_GE(listed.size(), 14u);
    EXPECT_EQ(listed[0], "Data sheet " + sheet->title());
    EXPECT_EQ(std::vector(listed.begin() + 1, listed.begin() + 4),
              (std::vector<std::string>{headings[2], "L", "S1"}));
    EXPECT_EQ(std::vector(listed.end() - 5, listed.end()),
              (std::vector<std::string>{headings[3], "   5 ", "  12 ", " 123 ", ""}));
    const QTextCharFormat title =
        w->RichEdit1()->document()->begin().begin().fragment().charFormat();
    EXPECT_EQ(title.foreground().color(), QColor(Qt::red));
    EXPECT_GE(title.fontWeight(), QFont::Bold);
    test::SavePicture(w->grab().toImage(), "utilities_codes_infos.png");
}

TEST_F(UtilitiesUi, ListingsWithoutAFreeTextWindowListNothing)
{
    sheetOf({{"S", "120 SW 10", "1", "", ""}});
    for (int i = 0; i < kMaxWindows; ++i)
        ASSERT_NE(NewTextWindow(t.app), nullptr);
    for (const Cmd cmd : {Cmd::UtilInfoCodes, Cmd::UtilInfoFiles}) {
        t.prompts.expectMessage("");
        form.run(cmd);
        EXPECT_TRUE(t.prompts.allAnswered());
        EXPECT_EQ(texts(), kMaxWindows);
    }
}

TEST_F(UtilitiesUi, InfoFilesMostRecentlyActiveFirstWithTheFilesDates)
{
    TWFichier* saved = savedSheet(path("site.plq"));
    TWFichier* fresh = sheetOf({{"L", "45 NE 30", "1", "", ""}});
    TWFichier* hidden = sheetOf({{"L", "45 NE 30", "1", "", ""}});
    hidden->hide();
    saved->FormActivate();
    form.run(Cmd::UtilInfoFiles);
    TWText* w = newestText();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->title(), "Files Infos");
    EXPECT_EQ(w->size(), QSize(kFilesInfosWidth, kFilesInfosHeight));
    // The fixed clock of the test saved the file.
    const std::string when = "Wednesday, December 9, 2026,   14:05";
    EXPECT_EQ(lines(*w), (std::vector<std::string>{
                             "File \"site.plq\"", "    directory :   " + t.dir_.path().string(),
                             "    creation :  " + when, "    last modification :  " + when,
                             "    2 measurements", "    ", "Tableau \"" + fresh->title() + "\"",
                             "    1 mesures", "    "}));
    test::SavePicture(w->grab().toImage(), "utilities_files_infos.png");
}

TEST_F(UtilitiesUi, MergeAsksAboutFormatsAndWritesTheNewSheetsNotation)
{
    TWFichier* quadrant = sheetOf({{"S", "120 SW 10", "1", "Col", ""}});
    TWFichier* dipFirst = sheetOf({{"L", "30/45", "2", "Pic", ""}}, {1, 1});
    quadrant->FormActivate(); // the settings, and so the new sheet, take its notations
    const std::string titles = quadrant->title() + ",  " + dipFirst->title();
    t.prompts.expectMessage("Heterogeneous data formats", Button::No);
    form.run(Cmd::UtilMerge);
    EXPECT_EQ(sheets(), 2) << "No: nothing made";
    t.prompts.expectMessage("Heterogeneous data formats, will slow down merging - continue ?",
                            Button::Yes);
    t.prompts.expectMessage("Merging the data sheet : " + titles + " - OK ?", Button::Yes);
    form.run(Cmd::UtilMerge);
    ASSERT_TRUE(t.prompts.allAnswered());
    TWFichier* made = CurrentSheet(t.app);
    ASSERT_NE(made, quadrant);
    ASSERT_NE(made, dipFirst);
    EXPECT_EQ(column(*made, Field::Value),
              (std::vector<std::string>{"120.0 SW 10.0", "45.0 NE 30.0"}));
    EXPECT_EQ(column(*made, Field::Location), (std::vector<std::string>{"Col", "Pic"}));
    EXPECT_TRUE(made->sheet().lDirty);
    EXPECT_EQ(shown(*made, 2, made->sheet().columnOf(Field::Value)), "45.0 NE 30.0");
}

TEST_F(UtilitiesUi, MergeFollowsTheNotationsOfTheCurrentEmptySheet)
{
    sheetOf({{"S", "10/210", "1", "", ""}}, {1, 1});
    sheetOf({{"S", "20/300", "2", "", ""}}, {1, 1});
    sheetOf({}, {0, 0}); // current, empty, hence not taken
    t.prompts.expectMessage("Merging the data sheet", Button::Yes);
    form.run(Cmd::UtilMerge);
    ASSERT_TRUE(t.prompts.allAnswered()) << "the taken sheets agree: nothing to ask about";
    TWFichier* made = CurrentSheet(t.app);
    EXPECT_EQ(made->sheet().lFrtS, 0);
    EXPECT_EQ(column(*made, Field::Value),
              (std::vector<std::string>{"30.0 NW 20.0", "120.0 SW 10.0"}))
        << "the most recently active sheet first";
}

TEST_F(UtilitiesUi, MergeRefusalsAndNoMakeNothing)
{
    sheetOf({{"S", "120 SW 10", "1", "", ""}});
    newSheet();
    t.prompts.expectMessage("Only one data sheet, unmeaning merging");
    form.run(Cmd::UtilMerge);
    EXPECT_EQ(sheets(), 2);

    sheetOf({{"L", "45 NE 30", "1", "", ""}});
    t.prompts.expectMessage("Merging the data sheet", Button::No);
    form.run(Cmd::UtilMerge);
    EXPECT_EQ(sheets(), 3);
    ASSERT_TRUE(t.prompts.allAnswered());

    while (sheets() < kMaxWindows)
        newSheet();
    t.prompts.expectMessage("Merging the data sheet", Button::Yes);
    t.prompts.expectMessage(std::string(kMsgTooManySheets));
    form.run(Cmd::UtilMerge);
    ASSERT_TRUE(t.prompts.allAnswered());
    EXPECT_EQ(sheets(), kMaxWindows);
}

TEST_F(UtilitiesUi, MergeBeyondTheCapacityTellsAndKeepsWhatWasMerged)
{
    NewSheet(t.app, &form, test::LineRows(3000));
    NewSheet(t.app, &form, test::LineRows(2500));
    t.prompts.expectMessage("Merging the data sheet", Button::Yes);
    t.prompts.expectMessage("Maximum data sheet  size reached (5000)");
    form.run(Cmd::UtilMerge);
    ASSERT_TRUE(t.prompts.allAnswered());
    EXPECT_EQ(CurrentSheet(t.app)->sheet().rowCount(), kMaxValues);
}

// As a user would: both example sheets opened, merged, the merged sheet sorted by numbers, its
// codes listed and its values rounded.
TEST_F(UtilitiesUi, EndToEndOnTheExamples)
{
    TWFichier* folded = open(std::string(PLOQ_EXAMPLES) + "/folded-area.plq");
    TWFichier* cross = open(std::string(PLOQ_EXAMPLES) + "/cross-bedding.plq");
    ASSERT_TRUE(folded && cross);
    const int rows = folded->sheet().rowCount() + cross->sheet().rowCount();
    auto picture = [](QWidget& w, const char* name) {
        test::SavePicture(w.grab().toImage(), QString("utilities_e2e_%1.png").arg(name));
    };

    t.prompts.expectMessage("Merging the data sheet", Button::Yes);
    form.run(Cmd::UtilMerge);
    TWFichier* merged = CurrentSheet(t.app);
    ASSERT_EQ(merged->sheet().rowCount(), rows);
    merged->resize(560, 520);
    picture(*merged, "1_merged");

    form.run(Cmd::SortNumbers);
    for (int row = 2; row <= rows; ++row)
        EXPECT_LE(SortByNumberKey(merged->sheet().field(row - 1, Field::Number)),
                  SortByNumberKey(merged->sheet().field(row, Field::Number)))
            << row;
    picture(*merged, "2_sorted");

    form.run(Cmd::UtilInfoCodes);
    TWText* codes = newestText();
    ASSERT_NE(codes, nullptr);
    picture(*codes, "3_codes");

    merged->FormActivate();
    if (!merged->sheet().lShowDeci)
        merged->ButtonDeciClick();
    picture(*merged, "4_decimals");
    t.prompts.expectMessage(std::string(kMsgRoundData), Button::Yes);
    form.run(Cmd::UtilRound);
    for (int row = 1; row <= rows; ++row) {
        EXPECT_EQ(merged->sheet().field(row, Field::Value).find('.'), std::string::npos) << row;
        for (const double angle : {merged->sheet().ltAz[static_cast<std::size_t>(row)],
                                   merged->sheet().ltPe[static_cast<std::size_t>(row)]}) {
            const double degrees = angle / kDegToRad;
            EXPECT_NEAR(degrees, std::round(degrees), 1e-9) << row;
        }
    }
    EXPECT_TRUE(merged->sheet().lShowDeci) << "the decimals setting stays";
    picture(*merged, "5_rounded");
    ASSERT_TRUE(t.prompts.allAnswered());
}

} // namespace
} // namespace ploq

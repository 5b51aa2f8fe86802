// Faults > "Export faults datasheet": each layout's text window, beside the sheet, and what it
// saves; the sheet check and the count of text windows stop an export before any window.

#include "app/Main.h"
#include "canvas/PicturesUi.h"
#include "datasheet/TWFichier.h"
#include "datasheet/TWText.h"
#include "faults/FaultExportCommands.h"
#include "support/SheetUi.h"

#include <QApplication>
#include <QScreen>
#include <QTextEdit>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace ploq {
namespace {

struct FaultExportUi : test::SheetUi {
    FaultExportUi()
    {
        // Planes as dip/dip direction, lines as plunge/direction.
        VarGlob& s = t.app.settings();
        s.FrtS = 1;
        s.FrtL = 1;
    }

    // A sheet of the published example pair (a normal fault dipping 60 towards 090, its
    // down-dip striae) and a dextral one with the light striae code.
    TWFichier* faultSheet()
    {
        TWFichier* sheet = newSheet();
        enter(*sheet, {"FN1B", "60/090", "12a", "Col", ""});
        enter(*sheet, {"LN.B", "60/090", "12a", "Col", ""});
        enter(*sheet, {"FDM2", "80/010", "13", "Col", ""});
        enter(*sheet, {"L", "80/010", "13", "Col", ""});
        sheet->setGeometry(10, 100, 120, 400);
        return sheet;
    }

    static std::vector<std::string> lines(const TWText& text)
    {
        std::vector<std::string> result;
        for (const TextParagraph& p : text.document().paragraphs)
            result.push_back(p.plain());
        return result;
    }

    int textWindows() { return t.app.registry().count(WindowKind::Text); }
};

TEST_F(FaultExportUi, EachLayoutOpensItsWindowBesideTheSheet)
{
    struct Case {
        Cmd command;
        int but;
        int width;
        const char* title;
        bool plain;
        const char* firstPairLine;
    };
    const Case cases[] = {
        {Cmd::ExportStress, 4, 620, "(Stress ThV) Data sheet 1 (Th.V)", true,
         "Col      12 C N 1  90.0  60.0    90.0         0     0.0     0.0     0.0"},
        {Cmd::ExportTektonics, 5, 520, "(Tektonic) Data sheet 1.cor", false,
         "21, 90.00,60.00, 90.00,60.00"},
        {Cmd::ExportYamaji, 6, 520, "(Yamaji) Data sheet 1.fdt", false,
         "    90.0   60.0    90.0   60.0   N"},
    };
    TWFichier* sheet = faultSheet();
    ASSERT_EQ(sheet->title(), "Data sheet 1");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        // The menu serves the sheet when it is the window in front.
        t.app.activateWindow(*sheet);
        ASSERT_TRUE(form.action(c.command)->isEnabled());
        form.run(c.command);
        TWText* text = ActiveWT(t.app);
        ASSERT_NE(text, nullptr);
        EXPECT_EQ(text->but(), c.but);
        EXPECT_EQ(text->title(), c.title);
        EXPECT_EQ(text->plainMode(), c.plain);
        EXPECT_EQ(text->RichEdit1()->lineWrapMode() == QTextEdit::NoWrap, c.plain);
        EXPECT_TRUE(text->dirty());
        EXPECT_TRUE(text->isVisible());
        EXPECT_EQ(text->width(), c.width);
        EXPECT_EQ(text->frameGeometry().height(), sheet->frameGeometry().height());
        EXPECT_EQ(text->frameGeometry().top(), sheet->frameGeometry().top());
        EXPECT_EQ(text->frameGeometry().left(), sheet->frameGeometry().right() + 1 + 10);
        // Every text window's font, the fixed pitch Stress ThV's columns need.
        const QFont font = text->RichEdit1()->font();
        EXPECT_EQ(font.family(), "Courier");
        EXPECT_EQ(font.pointSize(), 8);

        const std::vector<std::string> shown = lines(*text);
        const std::size_t header = c.command == Cmd::ExportTektonics ? 10 : 0;
        ASSERT_EQ(shown.size(), header + 2);
        EXPECT_EQ(shown[header], c.firstPairLine);
        EXPECT_FALSE(
            test::SavePicture(text->grab().toImage(), QString("fault_export_%1.png").arg(c.but))
                .isEmpty());
    }
    EXPECT_EQ(textWindows(), 3);
    EXPECT_TRUE(t.prompts.allAnswered());
}

TEST_F(FaultExportUi, NearTheScreensRightEdgeTheWindowMovesLeft)
{
    TWFichier* sheet = faultSheet();
    const QRect screen = sheet->screen()->availableGeometry();
    sheet->setGeometry(screen.right() - 350, 80, 300, 300);
    form.run(Cmd::ExportStress);
    TWText* text = ActiveWT(t.app);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->frameGeometry().right() + 1, screen.right() + 1 - 5);
    EXPECT_EQ(text->frameGeometry().top(), sheet->frameGeometry().top());
    EXPECT_EQ(text->width(), 620);
}

TEST_F(FaultExportUi, SavedAsCorTheLinesEndWithCrLf)
{
    faultSheet();
    form.run(Cmd::ExportTektonics);
    TWText* text = ActiveWT(t.app);
    ASSERT_NE(text, nullptr);
    // The .cor type is the one the save dialog shows first; the name takes its extension.
    const std::string chosen = path("inversion");
    t.prompts.expectSaveFile(chosen);
    ASSERT_TRUE(text->DoSaveText(true));
    EXPECT_FALSE(text->dirty());
    std::ifstream in(chosen + ".cor", std::ios::binary);
    ASSERT_TRUE(in);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    std::string expected;
    for (int i = 0; i < 10; ++i)
        expected += ";\r\n";
    // The dextral fault dips 80 towards 010 and its light striae down the dip: the fault's sense
    // and qualifiers go with it.
    expected += "21, 90.00,60.00, 90.00,60.00\r\n";
    expected += "32, 10.00,80.00, 10.00,80.00\r\n";
    EXPECT_EQ(bytes.str(), expected);
}

TEST_F(FaultExportUi, NoSheetExportsNothing)
{
    form.run(Cmd::ExportYamaji);
    EXPECT_EQ(ExportFaults(t.app, FaultLayout::Yamaji), nullptr);
    EXPECT_EQ(textWindows(), 0);
    EXPECT_TRUE(t.prompts.messages().empty());
}

TEST_F(FaultExportUi, ARefusedSheetIsToldAndOpensNoWindow)
{
    TWFichier* sheet = faultSheet();
    enter(*sheet, {"FN..", "40/120", "14", "", ""});
    t.prompts.expectMessage("Odd number of values in the datasheet");
    form.run(Cmd::ExportStress);
    EXPECT_EQ(textWindows(), 0);

    // The striae of the first pair has lost its value in the editor.
    sheet->sheet().deleteRow(5);
    sheet->sheet().setField(2, Field::Value, "");
    sheet->sheet().lMod[2] = kRowToDecode;
    t.prompts.expectMessage("Error on the data n\xB0"
                            "2 : no valid value");
    form.run(Cmd::ExportTektonics);
    EXPECT_EQ(textWindows(), 0);
    ASSERT_EQ(t.prompts.messages().size(), 2u);
    EXPECT_EQ(t.prompts.messages().back().at, sheet->messagePlace());
    EXPECT_TRUE(t.prompts.allAnswered());
}

TEST_F(FaultExportUi, ASixteenthTextWindowIsRefused)
{
    faultSheet();
    std::vector<TWText*> open;
    for (int i = 0; i < 15; ++i)
        open.push_back(NewTextWindow(t.app));
    ASSERT_EQ(textWindows(), 15);
    t.prompts.expectMessage("too many .txt windows are open");
    form.run(Cmd::ExportYamaji);
    EXPECT_EQ(textWindows(), 15);
    for (TWText* text : open) {
        EXPECT_TRUE(text->RichEdit1()->toPlainText().isEmpty());
        EXPECT_FALSE(text->dirty());
    }
    EXPECT_TRUE(t.prompts.allAnswered());
}

} // namespace
} // namespace ploq

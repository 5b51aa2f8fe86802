// The line-or-plane calculator window driven by its slots: opening and placing it, "go" with
// empty, refused and sound boxes, erase, reset, help, the grid icon, the colour strip, the
// check boxes and the Edit menu in its boxes. The pictures are kept (pictures/valline_*.png) to
// be looked at.

#include "app/Application.h"
#include "app/HelpId.h"
#include "app/Main.h"
#include "canvas/PicturesUi.h"
#include "canvas/TWPlot.h"
#include "model/DlgValLine.h"
#include "platform/QtSurface.h"
#include "platform/QtText.h"
#include "platform/RecordingSurface.h"
#include "support/ScriptedPrompts.h"
#include "support/UiApp.h"
#include "transform/QtClickImage.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <QToolBar>

#include <gtest/gtest.h>

namespace ploq {
namespace {

QStringList reportLines(const TDlgValLine& d)
{
    QStringList lines = d.report()->toPlainText().split('\n');
    return d.report()->toPlainText().isEmpty() ? QStringList{} : lines;
}

const std::vector<Primitive>& netDrawing(const TDlgValLine& d)
{
    return dynamic_cast<RecordingImage&>(*d.netImage()).recording().primitives();
}

// Primitives of the net drawn in that colour.
int inColour(const TDlgValLine& d, TColor colour)
{
    int n = 0;
    for (const Primitive& p : netDrawing(d))
        n += p.pen.colour == colour ? 1 : 0;
    return n;
}

struct Calculator : ::testing::Test {
    Calculator()
    {
        SavePrefsFile(t.app.settings(), t.prefsPath(), 0);
        form = std::make_unique<TForm1>(t.app, ScreenMetrics{});
        VarGlob& s = t.app.settings();
        s.FrtS = 1; // dip/dip direction
        s.FrtL = 1; // plunge/direction
        form->setGeometry(20, 40, 900, 150);
        form->run(Cmd::FileLineOrPlane);
        dialog = qobject_cast<TDlgValLine*>(t.app.dialog(kDlgValLine));
    }
    ~Calculator() override
    {
        if (dialog)
            dialog->close();
        EXPECT_TRUE(t.prompts.allAnswered());
    }
    void type(const char* first, bool plane1, const char* second, bool plane2)
    {
        dialog->data1()->setText(first);
        (plane1 ? dialog->plane1() : dialog->line1())->setChecked(true);
        dialog->data2()->setText(second);
        (plane2 ? dialog->plane2() : dialog->line2())->setChecked(true);
    }
    TColor resultColour() const { return t.app.settings().Tco[dialog->view().colour]; }

    test::UiApp t;
    std::unique_ptr<TForm1> form;
    QPointer<TDlgValLine> dialog;
};

TEST_F(Calculator, OpensOnceBelowTheToolBarWithTheFirstPlane)
{
    ASSERT_TRUE(dialog);
    form->run(Cmd::FileLineOrPlane);
    EXPECT_EQ(t.app.dialog(kDlgValLine), dialog.data()) << "one instance";
    // Left-aligned with the main window, 50 pixels below its client area's top (tool bar shown).
    const int clientTop = form->mapToGlobal(QPoint(0, form->menuBar()->height())).y();
    EXPECT_EQ(dialog->frameGeometry().left(), form->frameGeometry().left());
    EXPECT_EQ(dialog->frameGeometry().top(), clientTop + 50);
    // The plane whose pole is 050/10, dip/dip direction with integers.
    EXPECT_EQ(dialog->data1()->text(), "80 / 230");
    EXPECT_TRUE(dialog->plane1()->isChecked());
    EXPECT_EQ(dialog->data2()->text(), "");
    EXPECT_EQ(dialog->helpButton()->text(), "show help");
    EXPECT_EQ(t.app.registry().ActiveTag, kDlgValLine);
    // Its help page is bundled.
    const HelpTopic& topic = HelpTopicOf(dialog->property("helpTopic").toInt());
    EXPECT_EQ(topic.page, "valline.html");
    EXPECT_TRUE(
        QFile::exists(":/help/" + QString::fromLatin1(topic.page.data(), topic.page.size())));
    // The first tool button is the menu item's action.
    EXPECT_EQ(form->toolBar()->actions().first(), form->action(Cmd::FileLineOrPlane));
}

TEST_F(Calculator, LabelsNameTheNotationsAndTheProjection)
{
    struct Row {
        int frtS, frtL;
        const char* planes;
        const char* lines;
    };
    for (const Row& r : std::vector<Row>{{0, 0, "planes : azimut quadrant dip",
                                          "lines : trend quadrant plunge (or partial value)"},
                                         {1, 1, "planes : dip/dip direction",
                                          "lines : Plunge/plunge direction (or partial value)"},
                                         {3, 2, "Plane, its normal: plunge direction/plunge",
                                          "Line : plunge direction/plunge"}}) {
        t.app.settings().FrtS = r.frtS;
        t.app.settings().FrtL = r.frtL;
        dialog->FormActivate();
        EXPECT_EQ(dialog->planeLabel()->text(), r.planes);
        EXPECT_EQ(dialog->lineLabel()->text(), r.lines);
    }
    t.app.settings().StyleCnvs = 1 << kStyleLowerHemisphere;
    dialog->FormActivate();
    EXPECT_EQ(dialog->projectionLabel()->text(), "Schmidt/inf ");
    // A canvas's own style wins while it is the current canvas.
    TWPlot* canvas = NewWP(t.app, kWPOrdinary);
    ASSERT_TRUE(canvas);
    canvas->model().lStyleCnvs = 1 << kStyleWulff;
    dialog->FormActivate();
    EXPECT_EQ(dialog->projectionLabel()->text(), "Wulff/sup ");
}

TEST_F(Calculator, GoWithAnEmptyBoxDoesNothing)
{
    for (const auto& [a, b] : std::vector<std::pair<const char*, const char*>>{
             {"30/090", ""}, {"", "30/090"}, {"", ""}}) {
        type(a, true, b, true);
        dialog->Go();
        EXPECT_TRUE(reportLines(*dialog).isEmpty());
        EXPECT_EQ(dialog->result().status, ValLineStatus::Nothing);
        EXPECT_EQ(dialog->data1()->text(), a);
    }
}

TEST_F(Calculator, RefusedTextShowsItsMessageAndComputesNothing)
{
    type("30/090", true, "30/180", true);
    dialog->Go();
    const QStringList before = reportLines(*dialog);
    const int drawnBefore = inColour(*dialog, resultColour());
    for (const auto& [first, second, message] :
         std::vector<std::tuple<const char*, const char*, const char*>>{
             {"95/10", "30/090", "95/10 : dip or plunge must range from 0 to 90"},
             {"30/090", "10/400", "10/400 : strike cannot exceed 360"},
             {"30/090", "95/141", nullptr}}) {
        type(first, true, second, !message ? false : true);
        if (message)
            t.prompts.expectMessage(message, Button::Cancel);
        dialog->Go();
        if (!message) {
            // An unreadable partial value is a report, not a message.
            EXPECT_EQ(reportLines(*dialog).mid(before.size()),
                      (QStringList{"line95/141: error of format or value", ""}));
            continue;
        }
        EXPECT_EQ(t.prompts.messages().back().kind, MsgKind::Error);
        EXPECT_TRUE(t.prompts.messages().back().buttons.has(Button::Cancel));
        EXPECT_EQ(reportLines(*dialog), before);
        EXPECT_EQ(dialog->data1()->text(), first) << "nothing rewritten";
        EXPECT_EQ(inColour(*dialog, resultColour()), drawnBefore) << "the last results stay";
    }
}

TEST_F(Calculator, TwoPlanesRewriteTheBoxesReportAndDraw)
{
    dialog->decimalsBox()->setChecked(true);
    type("30/090", true, "30/180", true);
    dialog->Go();
    EXPECT_EQ(dialog->data1()->text(), "30.0 / 90.0");
    EXPECT_EQ(dialog->data2()->text(), "30.0 / 180.0");
    EXPECT_EQ(reportLines(*dialog),
              (QStringList{"Intersection of the 2 planes : 22.2 / 135.0", "their angle :  41.4",
                           "pitch of intersection on 30.0 / 90.0 : S 49.1 ",
                           "pitch of intersection on 30.0 / 180.0 : E 49.1 ", ""}));
    EXPECT_TRUE(t.app.settings().ShowDeci);
    EXPECT_TRUE(TestBit(t.app.settings().OptVal, kOptValShowDeci));
    EXPECT_EQ(dialog->result().mode, ValLineMode::TwoPlanes);
    EXPECT_GT(inColour(*dialog, resultColour()), 0);

    // Integers again; the report keeps growing.
    dialog->decimalsBox()->setChecked(false);
    dialog->Go();
    EXPECT_FALSE(t.app.settings().ShowDeci);
    EXPECT_EQ(dialog->data1()->text(), "30 / 90");
    EXPECT_EQ(reportLines(*dialog).size(), 10);
}

TEST_F(Calculator, PlaneAndPlungeQuery)
{
    t.app.settings().FrtL = 0;
    dialog->FormActivate();
    dialog->decimalsBox()->setChecked(true);
    type("30/090", true, "?N20", false);
    dialog->Go();
    EXPECT_EQ(
        reportLines(*dialog),
        (QStringList{"plunge 20 in plane 30.0 / 90.0 :", "lines 39.1 NE 20.0 and 140.9 SE 20.0",
                     "pitch of those lines : N 43.2 and S 43.2", ""}));
    EXPECT_EQ(dialog->data2()->text(), "?N20");
    EXPECT_EQ(dialog->result().mode, ValLineMode::PlaneAndTwoLines);
}

TEST_F(Calculator, EraseAndReset)
{
    type("30/090", true, "30/180", true);
    dialog->Go();
    ASSERT_GT(inColour(*dialog, resultColour()), 0);
    dialog->eraseButton()->click();
    EXPECT_EQ(inColour(*dialog, resultColour()), 0) << "the empty net";
    EXPECT_FALSE(reportLines(*dialog).isEmpty()) << "erase keeps the report";
    EXPECT_EQ(dialog->data1()->text(), "30 / 90");

    dialog->Go();
    dialog->resetButton()->click();
    EXPECT_EQ(inColour(*dialog, resultColour()), 0);
    EXPECT_TRUE(reportLines(*dialog).isEmpty());
    EXPECT_EQ(dialog->data1()->text(), "");
    EXPECT_EQ(dialog->data2()->text(), "");
}

TEST_F(Calculator, HelpTogglesBetweenTwoHeights)
{
    dialog->adjustSize();
    const int shortHeight = dialog->sizeHint().height();
    dialog->ToggleHelp();
    EXPECT_EQ(dialog->helpButton()->text(), "hide help");
    EXPECT_FALSE(dialog->helpText()->isHidden());
    EXPECT_GT(dialog->sizeHint().height(), shortHeight + 40);
    dialog->helpButton()->click();
    EXPECT_EQ(dialog->helpButton()->text(), "show help");
    EXPECT_TRUE(dialog->helpText()->isHidden());
    EXPECT_EQ(dialog->sizeHint().height(), shortHeight);
}

TEST_F(Calculator, GridIconCyclesAndTheBoxesRedraw)
{
    const TColor gridColour = t.app.settings().Tco[t.app.settings().GridCol];
    type("30/090", true, "30/180", true);
    dialog->Go();
    const QImage first = dialog->gridIcon()->picture();
    std::vector<int> grids;
    for (int i = 0; i < 5; ++i) {
        dialog->GridIconClick();
        grids.push_back(dialog->view().grid);
    }
    EXPECT_EQ(grids, (std::vector<int>{2, 3, 4, 5, 1}));
    EXPECT_EQ(dialog->gridIcon()->picture(), first);
    EXPECT_EQ(inColour(*dialog, gridColour), 0) << "no grid until asked for";

    dialog->gridBox()->setChecked(true);
    EXPECT_GT(inColour(*dialog, gridColour), 0);
    const std::size_t standard = netDrawing(*dialog).size();
    dialog->GridIconClick(); // the net turned to the first plane's strike
    dialog->GridIconClick();
    dialog->GridIconClick();
    dialog->GridIconClick(); // polar
    EXPECT_NE(netDrawing(*dialog).size(), standard) << "each click redraws with the grid shown";
    dialog->gridBox()->setChecked(false);
    EXPECT_EQ(inColour(*dialog, gridColour), 0);

    // Poles: symbol 1 at each plane's pole.
    const auto strokes = [&] {
        int n = 0;
        for (const Primitive& p : netDrawing(*dialog))
            n += p.shape == Shape::Line && p.pen.colour == resultColour() ? 1 : 0;
        return n;
    };
    const int without = strokes();
    dialog->polesBox()->setChecked(true);
    EXPECT_EQ(strokes(), without + 4) << "two crosses of two strokes";
}

// A click in the standing strip takes the cell under it: always a colour 0..7, even on the
// strip's border above the first cell or below the eighth.
TEST_F(Calculator, ColourStripChoosesOneOfItsEightColours)
{
    type("30/090", true, "30/180", true);
    dialog->Go();
    struct Row {
        int y;
        int colour;
    };
    for (const Row& r : std::vector<Row>{{0, 0},
                                         {2, 0},
                                         {3, 0},
                                         {14, 0},
                                         {15, 1},
                                         {50, 3},
                                         {86, 6},
                                         {87, 7},
                                         {99, 7},
                                         {150, 7}}) {
        dialog->StripReleased(r.y);
        EXPECT_EQ(dialog->view().colour, r.colour) << "y " << r.y;
        EXPECT_EQ(t.app.settings().Couleur, r.colour);
        EXPECT_GT(inColour(*dialog, t.app.settings().Tco[r.colour]), 0);
    }
    EXPECT_EQ(dialog->colourStrip()->picture().height(), 8 * 12 + 4);
}

TEST_F(Calculator, EditMenuWorksInTheFocusedBox)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    dialog->data1()->setText("10 / 210");
    dialog->data1()->setFocus();
    dialog->data1()->setSelection(0, 2);
    dialog->FormActivate();
    form->run(Cmd::EditCopy);
    EXPECT_EQ(clipboard->text(), "10");

    clipboard->setText("45 / 90");
    dialog->data2()->setFocus();
    form->run(Cmd::EditPaste);
    EXPECT_EQ(dialog->data2()->text(), "45 / 90");
    form->run(Cmd::EditUndo);
    EXPECT_EQ(dialog->data2()->text(), "");

    dialog->data1()->setFocus();
    dialog->data1()->selectAll();
    form->run(Cmd::EditCut);
    EXPECT_EQ(dialog->data1()->text(), "");
    EXPECT_EQ(clipboard->text(), "10 / 210");

    // Once the information panel is clicked, the Edit menu works there again.
    dialog->data2()->setText("kept");
    dialog->data2()->selectAll();
    t.app.activateMain();
    form->RichEdit1()->setPlainText("panel");
    form->RichEdit1()->selectAll();
    form->run(Cmd::EditCopy);
    EXPECT_EQ(clipboard->text(), "panel");
}

TEST_F(Calculator, ClosingGivesTheEditMenuBack)
{
    ASSERT_EQ(t.app.registry().ActiveTag, kDlgValLine);
    dialog->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(t.app.dialog(kDlgValLine), nullptr);
    EXPECT_EQ(t.app.registry().ActiveTag, kTagMain);
    form->run(Cmd::FileLineOrPlane);
    dialog = qobject_cast<TDlgValLine*>(t.app.dialog(kDlgValLine));
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->data1()->text(), "80 / 230") << "a new window starts afresh";
}

// With real pixels: the window after two planes and after a plunge query, and the grid icons.
TEST(CalculatorPictures, WindowAndNet)
{
    test::PixelApp t;
    VarGlob& s = t.app.settings();
    TForm1 form(t.app, ScreenMetrics{});
    s.FrtS = 1;
    s.FrtL = 0;
    s.StyleCnvs = (1 << kStyleLowerHemisphere);
    s.Couleur = 2;
    TDlgValLine* dialog = OpenValLine(form, t.app);
    dialog->decimalsBox()->setChecked(true);
    dialog->data1()->setText("30/090");
    dialog->plane2()->setChecked(true);
    dialog->data2()->setText("30/180");
    dialog->Go();
    dialog->polesBox()->setChecked(true);
    const QImage net = dynamic_cast<QtImage&>(*dialog->netImage()).image();
    // The intersection 135/22.2 in the chosen colour, at its equal-area place.
    const Point at =
        DirToPixel({135 * kDegToRad, 22.2077 * kDegToRad}, ValLineNet({200, 200}, s.StyleCnvs));
    EXPECT_EQ(net.pixel(at.x, at.y), toQColor(s.Tco[2]).rgb());
    EXPECT_EQ(net.pixel(2, 2), qRgb(255, 255, 255));
    test::SavePicture(dialog->grab().toImage(), "valline_two_planes.png");

    dialog->line2()->setChecked(true);
    dialog->data2()->setText("?N20");
    dialog->gridBox()->setChecked(true);
    dialog->Go();
    dialog->ToggleHelp();
    dialog->adjustSize();
    test::SavePicture(dialog->grab().toImage(), "valline_plunge_help.png");
    for (int grid = 1; grid <= kValLineGridCount; ++grid) {
        test::SavePicture(dynamic_cast<QtImage&>(*dialog->netImage()).image(),
                          QString("valline_grid%1.png").arg(dialog->view().grid));
        test::SavePicture(dialog->gridIcon()->picture(),
                          QString("valline_icon%1.png").arg(dialog->view().grid));
        dialog->GridIconClick();
    }
    dialog->close();
}

} // namespace
} // namespace ploq

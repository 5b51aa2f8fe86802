// "Contouring" from the menu: the dialog opened after the choice of the sets, every control
// through StyleCont and TcoCont, its labels and notes, what it refuses, and "Contour" making a
// contour canvas with its panel text (fixed clock). End to end on the folded-area example with
// real pixels: pictures/contouring_*.png, and the whole screen under Xvfb (QT_QPA_PLATFORM=xcb).

#include "app/Application.h"
#include "app/HelpId.h"
#include "app/Main.h"
#include "canvas/PicturesUi.h"
#include "canvas/TWPlot.h"
#include "canvas/UtilPlot.h"
#include "platform/QtSurface.h"
#include "platform/QtText.h"
#include "stats3d/DlgContours.h"
#include "support/Draws.h"
#include "support/PlotUi.h"
#include "support/ScreenUi.h"
#include "support/UiApp.h"
#include "transform/DlgUseSymb.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QToolButton>

#include <gtest/gtest.h>

#include <cmath>

namespace ploq {
namespace {

double Rad(double degrees)
{
    return degrees * kDegToRad;
}

void FlushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

std::vector<std::string> Levels(const TDlgContours& d)
{
    return test::ListLines(d.levelList());
}

std::string Text(const QWidget* w)
{
    if (auto* edit = qobject_cast<const QLineEdit*>(w))
        return fromQString(edit->text());
    if (auto* label = qobject_cast<const QLabel*>(w))
        return fromQString(label->text());
    return {};
}

struct ContouringDialog : ::testing::Test {
    ContouringDialog()
    {
        SavePrefsFile(t.app.settings(), t.prefsPath(), 0);
        form = std::make_unique<TForm1>(t.app, ScreenMetrics{});
        RunChooser() = [](TDlgUseSymb&) { return int(QDialog::Accepted); }; // every set
    }
    ~ContouringDialog() override
    {
        if (QWidget* d = t.app.dialog(kDlgContours))
            delete d;
        RunChooser() = [](TDlgUseSymb& d) { return d.exec(); };
    }

    // A data canvas of n vertical lines: the grid's maximum is n, U = (1 - cos 20) n.
    TWPlot* verticalLines(int n)
    {
        TWPlot* canvas = NewWP(t.app, kWPOrdinary);
        for (int i = 0; i < n; ++i) {
            InfoVal v;
            v.na = "L";
            v.pen = Rad(90);
            AjoutVal(canvas->model(), v, 1, 0);
        }
        canvas->NettoyerWP();
        form->RefreshMenus();
        return canvas;
    }
    TDlgContours* open()
    {
        form->run(Cmd::Contouring);
        return qobject_cast<TDlgContours*>(t.app.dialog(kDlgContours));
    }
    void closeDialog(TDlgContours* d)
    {
        d->close();
        FlushDeletes();
    }
    int canvases() { return t.app.registry().count(WindowKind::Canvas); }

    test::UiApp t;
    std::unique_ptr<TForm1> form;
};

TEST_F(ContouringDialog, EveryControlRoundTripsThroughTheOptionWord)
{
    VarGlob& s = t.app.settings();
    s.StyleCont = 0x90000 | 0x80; // grid step 9, a bit the dialog does not own
    verticalLines(40);
    TDlgContours* d = open();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->windowTitle(), "Contouring");
    EXPECT_EQ(HelpTopicOf(d->property("helpTopic").toInt()).page, "contouring.html");
    EXPECT_EQ(Text(d->gridStepEdit()), "9");
    EXPECT_EQ(Text(d->coneEdit()), "20.0");
    EXPECT_TRUE(d->rawButton()->isChecked());
    EXPECT_TRUE(d->drawingButton(ContourDrawingChoice::Segments)->isChecked());
    EXPECT_TRUE(d->contoursOnlyButton()->isChecked());
    EXPECT_TRUE(d->asFillingButton()->isChecked());
    EXPECT_TRUE(d->colourButton()->isChecked());
    EXPECT_EQ(Levels(*d), (std::vector<std::string>{"  1.5"}));
    EXPECT_EQ(Text(d->levelEdit()), "1.0");
    EXPECT_EQ(Text(d->greyEdit()), "22.5");
    EXPECT_FALSE(d->optionsPanel()->isHidden());

    // Every control turned the other way; "N x  uniformity" applies the default parameters
    // (step 6), so the step is typed after it.
    d->uniformityButton()->click();
    d->gridStepEdit()->setText("12");
    d->gridStepEdited();
    d->drawingButton(ContourDrawingChoice::Polygons)->click();
    d->filledButton()->click();
    d->blackButton()->click();
    d->greyButton()->click();
    d->optionsButton()->click();
    EXPECT_TRUE(d->optionsPanel()->isHidden());
    closeDialog(d);
    EXPECT_EQ(t.app.dialog(kDlgContours), nullptr);
    EXPECT_EQ(s.StyleCont, 0xC0000 | 0x80 | 0x3F);
    EXPECT_EQ(s.TcoCont, kDefaultTcoCont) << "grey scale keeps the standard colours";

    d = open();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(Text(d->gridStepEdit()), "12");
    EXPECT_TRUE(d->uniformityButton()->isChecked());
    EXPECT_TRUE(d->drawingButton(ContourDrawingChoice::Polygons)->isChecked());
    EXPECT_TRUE(d->filledButton()->isChecked());
    EXPECT_TRUE(d->blackButton()->isChecked());
    EXPECT_TRUE(d->greyButton()->isChecked());
    EXPECT_TRUE(d->optionsPanel()->isHidden());
    EXPECT_EQ(d->state().levels.at(0).cz, rgb(204, 204, 204)) << "1.5 in the grey of 15 %";

    // Back to colour, Bezier curves, a level added in a chosen colour: TcoCont follows.
    d->colourButton()->click();
    d->drawingButton(ContourDrawingChoice::BezierCurves)->click();
    d->contoursOnlyButton()->click();
    d->asFillingButton()->click();
    d->rawButton()->click();
    d->optionsButton()->click();
    t.prompts.expectColour(rgb(1, 2, 3));
    d->colourBox()->click();
    d->levelList()->setCurrentRow(-1);
    d->levelEdit()->setText(".5");
    d->addButton()->click();
    ASSERT_EQ(d->state().levels.at(0).z, 0.5);
    closeDialog(d);
    EXPECT_EQ(s.StyleCont, 0x60000 | 0x80 | 0x40);
    EXPECT_EQ(s.TcoCont[0], rgb(1, 2, 3));
    EXPECT_EQ(s.TcoCont[1], kDefaultTcoCont[0]) << "the next colours moved down one place";
    EXPECT_TRUE(t.prompts.allAnswered());
}

// 40 vertical lines: max 40, U = (1 - cos 20) 40 = 2.412, max / U = 16.58.
TEST_F(ContouringDialog, LabelsAndNotesAsWritten)
{
    t.app.settings().StyleCont = 0x60000 | 0x8; // uniformity multiples
    verticalLines(40);
    TDlgContours* d = open();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(fromQString(d->levelsGroup()->title()), " uniformity multiples (1*u = 2.4) ");
    EXPECT_EQ(Text(d->maxLabel()), " max = 40 (uniformity * 16.6)");
    d->rawButton()->click();
    EXPECT_EQ(fromQString(d->levelsGroup()->title()), " raw values (max = 40 values)");
    EXPECT_EQ(Levels(*d),
              (std::vector<std::string>{"  1.0", "  2.0", "  4.0", "  8.0", " 16.0", " 32.0"}));

    struct Note {
        ContourDrawingChoice drawing;
        bool filled;
        const char* note;
    };
    const Note notes[] = {
        {ContourDrawingChoice::Segments, false, "(segments) "},
        {ContourDrawingChoice::Polygons, false, "(polygones) "},
        {ContourDrawingChoice::BezierCurves, false, "(Bezier smoothing) "},
        {ContourDrawingChoice::BezierCurves, true, "(no smoothing when filled !) "},
    };
    for (const Note& n : notes) {
        (n.filled ? d->filledButton() : d->contoursOnlyButton())->click();
        d->drawingButton(n.drawing)->click();
        EXPECT_EQ(Text(d->drawingNote()), n.note);
    }
    EXPECT_EQ(ModeCOf(d->state()), kContourPolylines);
    EXPECT_EQ(Text(d->bezierNote()), "(no smoothing) ");
    d->bezierBox()->click();
    EXPECT_EQ(Text(d->bezierNote()), "(Bezier smoothing) ");

    // Selecting a level shows it without a leading 0, and its colour.
    d->levelEdit()->setText("0.5");
    d->addButton()->click();
    d->levelList()->setCurrentRow(1);
    d->levelList()->setCurrentRow(0);
    EXPECT_EQ(Text(d->levelEdit()), ".5");
    EXPECT_EQ(d->state().colour, d->state().levels.at(0).cz);
}

TEST_F(ContouringDialog, ContourMakesACanvasWithItsPanelText)
{
    t.app.settings().StyleCont = 0x60000 | 0x9; // uniformity multiples, filled
    TWPlot* source = verticalLines(40);
    TDlgContours* d = open();
    ASSERT_NE(d, nullptr);
    d->defaultButton()->click();
    const int before = canvases();
    d->contourButton()->click();
    ASSERT_EQ(canvases(), before + 1);
    TWPlot* plot = ActiveCanvas(t.app);
    ASSERT_NE(plot, source);
    const CanvasModel& m = plot->model();
    EXPECT_EQ(m.natWP, kWPContouring);
    EXPECT_EQ(m.i0, 1);
    EXPECT_EQ(m.lNT, 40);
    EXPECT_EQ(m.tContour.nz, 5);
    EXPECT_TRUE(m.tContour.filled);
    // Whole levels are raised by 0.01 before drawing: 4.01 U = 9.67 is written 9.7.
    EXPECT_EQ(test::PanelLines(*plot),
              (std::vector<std::string>{"14:05 - Contouring",
                                        "Isocontours values (N * uniformity), max = 16.6 :",
                                        "   curves : 1.0/ 2.0/ 4.0/ 8.0/ 16.0/",
                                        "   (raw values : 2.4/ 4.8/ 9.7/ 19.3/ 38.6/)",
                                        "Counting cone aperture : 20.0\xB0"}));
    EXPECT_EQ(t.app.settings().StyleCont, 0x60000 | 0x9);

    // Again from the contour canvas, in raw data: a copy of its directions.
    d->rawButton()->click();
    d->contourButton()->click();
    TWPlot* second = ActiveCanvas(t.app);
    ASSERT_NE(second, plot);
    EXPECT_EQ(second->model().lNT, 40);
    EXPECT_EQ(
        test::PanelLines(*second),
        (std::vector<std::string>{"14:05 - Contouring", "Isocontours values (raw data), max = 40 :",
                                  "   curves : 1.0/ 2.0/ 4.0/ 8.0/ 16.0/ 32.0/",
                                  "Counting cone aperture : 20.0\xB0"}));
}

TEST_F(ContouringDialog, TheChecksRewriteTheFields)
{
    verticalLines(10);
    TDlgContours* d = open();
    ASSERT_NE(d, nullptr);
    d->coneEdit()->setText("10");
    d->coneEdited();
    EXPECT_EQ(Text(d->gridStepEdit()), "6");
    d->contourButton()->click();
    EXPECT_EQ(Text(d->coneEdit()), "12.0");
    EXPECT_DOUBLE_EQ(ActiveCanvas(t.app)->model().tContour.cone, 12);
}

TEST_F(ContouringDialog, BadInputIsRefusedAndTheFieldRestored)
{
    verticalLines(10);
    TDlgContours* d = open();
    ASSERT_NE(d, nullptr);
    struct Bad {
        QLineEdit* field;
        const char* text;
        void (TDlgContours::*handler)();
        std::string_view message;
        const char* restored;
    };
    const Bad rows[] = {
        {d->gridStepEdit(), "4", &TDlgContours::gridStepEdited, kMsgBadGridStep, "6"},
        {d->gridStepEdit(), "31", &TDlgContours::gridStepEdited, kMsgBadGridStep, "6"},
        {d->gridStepEdit(), "7.5", &TDlgContours::gridStepEdited, kMsgBadGridStep, "6"},
        {d->coneEdit(), "0", &TDlgContours::coneEdited, kMsgBadCone, "20.0"},
        {d->coneEdit(), "90", &TDlgContours::coneEdited, kMsgBadCone, "20.0"},
        {d->coneEdit(), "wide", &TDlgContours::coneEdited, kMsgBadCone, "20.0"},
        {d->greyEdit(), "-10", &TDlgContours::greyEdited, kMsgBadGrey, "22.5"},
        {d->greyEdit(), "100.5", &TDlgContours::greyEdited, kMsgBadGrey, "22.5"},
        {d->levelEdit(), "0", &TDlgContours::addClick, kMsgBadLevel, "1.0"},
        {d->levelEdit(), "-2", &TDlgContours::addClick, kMsgBadLevel, "1.0"},
        {d->levelEdit(), "x", &TDlgContours::modifyClick, kMsgBadLevel, "1.0"},
        {d->levelEdit(), "1.5", &TDlgContours::addClick, kMsgSameLevel, "1.0"},
    };
    d->levelList()->setCurrentRow(0);
    d->levelEdit()->setText("1.0");
    const std::int32_t word = StyleContOf(d->state(), 0);
    for (const Bad& r : rows) {
        SCOPED_TRACE(r.text);
        t.prompts.expectMessage(std::string(r.message));
        d->levelList()->setCurrentRow(0);
        d->state().levelField = "1.0";
        r.field->setText(QString::fromLatin1(r.text));
        (d->*r.handler)();
        EXPECT_TRUE(t.prompts.allAnswered());
        EXPECT_EQ(t.prompts.messages().back().kind, MsgKind::Error);
        EXPECT_EQ(Text(r.field), r.restored);
        EXPECT_EQ(StyleContOf(d->state(), 0), word);
        EXPECT_DOUBLE_EQ(d->state().cone, 20);
        EXPECT_EQ(Levels(*d), (std::vector<std::string>{"  1.5"}));
    }
    // An empty cone means 20.
    d->coneEdit()->setText("");
    d->coneEdited();
    EXPECT_EQ(Text(d->coneEdit()), "20.0");
}

TEST_F(ContouringDialog, TheEleventhLevelAndAContourWithoutLevels)
{
    verticalLines(10);
    TDlgContours* d = open();
    ASSERT_NE(d, nullptr);
    for (int z = 2; z <= 10; ++z) {
        d->levelEdit()->setText(QString::number(z));
        d->addClick();
    }
    ASSERT_EQ(d->state().levels.count(), 10);
    t.prompts.expectMessage("Number of contours can't exceed 10");
    d->levelEdit()->setText("11");
    d->addClick();
    EXPECT_TRUE(t.prompts.allAnswered());
    EXPECT_EQ(t.prompts.messages().back().kind, MsgKind::Information);
    EXPECT_EQ(d->state().levels.count(), 10);

    // "modify" puts 1.5 past 10: the list stays in increasing order.
    d->levelList()->setCurrentRow(0);
    d->levelEdit()->setText("12");
    d->modifyClick();
    EXPECT_EQ(Levels(*d).front(), "  2.0");
    EXPECT_EQ(Levels(*d).back(), " 12.0");
    EXPECT_EQ(d->levelList()->currentRow(), 9);

    while (d->state().levels.count() > 0) {
        d->levelList()->setCurrentRow(0);
        d->deleteClick();
    }
    const int before = canvases();
    t.prompts.expectMessage(std::string(kMsgNoLevel));
    d->contourClick();
    EXPECT_TRUE(t.prompts.allAnswered());
    EXPECT_EQ(canvases(), before);
}

TEST_F(ContouringDialog, TheActiveCanvasDecides)
{
    TWPlot* source = verticalLines(10);
    TDlgContours* d = open();
    ASSERT_NE(d, nullptr);

    // A sixteenth canvas is refused: nothing else happens.
    for (int i = canvases(); i < 15; ++i)
        NewWP(t.app, kWPOrdinary);
    t.app.registry().activate(*source);
    t.prompts.expectMessage("Maximum number of canvas reached");
    EXPECT_EQ(ContourCommand(t.app, *d), nullptr);
    EXPECT_TRUE(t.prompts.allAnswered());
    EXPECT_EQ(canvases(), 15);
    for (DataWindow* w : t.app.registry().windows(WindowKind::Canvas))
        if (w != source)
            w->closeWithoutAsking();
    FlushDeletes();

    // Another kind: nothing.
    TWPlot* counting = NewWP(t.app, kWPCounting);
    ASSERT_NE(counting, nullptr);
    EXPECT_EQ(ContourCommand(t.app, *d), nullptr);
    EXPECT_EQ(canvases(), 2);
    EXPECT_NE(t.app.dialog(kDlgContours), nullptr);

    // No canvas: the dialog closes.
    counting->close();
    source->close();
    FlushDeletes();
    EXPECT_EQ(ContourCommand(t.app, *d), nullptr);
    FlushDeletes();
    EXPECT_EQ(t.app.dialog(kDlgContours), nullptr);
}

QImage ImageOf(TWPlot& canvas)
{
    return dynamic_cast<QtImage&>(*canvas.model().image()).image();
}

const Direction kFoldAxis{Rad(62), Rad(14)}; // the axis the example was made with

// How many of the points of the girdle normal to the fold axis, every 15 degrees, plunging more
// than 30 degrees (within some 60 degrees of the hinge's pole, where the limbs' poles lie), are
// not white.
int OnGirdle(const QImage& image, const Net& net, int* points)
{
    int coloured = 0;
    *points = 0;
    for (double toward = 0; toward < 360; toward += 15) {
        const Direction d = test::Deviated(kFoldAxis, Rad(90), Rad(toward));
        if (d.plunge < Rad(30))
            continue;
        ++*points;
        const Point p = DirToPixel(d, net);
        coloured += image.pixel(p.x, p.y) != qRgb(255, 255, 255);
    }
    return coloured;
}

TEST(ContouringEndToEnd, FoldedAreaBeddingPoles)
{
    test::PixelApp t;
    auto form = std::make_unique<TForm1>(t.app, ScreenMetrics{});
    form->setGeometry(20, 40, 1100, 200);
    form->show();
    RunChooser() = [](TDlgUseSymb&) { return int(QDialog::Accepted); };
    SetBit(t.app.settings().StyleCnvs, kStyleWulff, false); // Schmidt nets, Wulff at the end
    t.prompts.expectOpenFile(std::string(PLOQ_EXAMPLES) + "/folded-area.plq");
    form->run(Cmd::FileOpen);
    TWPlot* canvas = test::PlotThroughDialog(*form, t.app, "S0", 1, 0, true, KeyField::Nature, 200);
    ASSERT_NE(canvas, nullptr);
    canvas->DoPUMenuStyleCnvs(3); // planes as their poles
    canvas->move(20, 260);
    ASSERT_EQ(canvas->model().lNT, 60);
    form->RefreshMenus();

    form->run(Cmd::Contouring);
    auto* d = qobject_cast<TDlgContours*>(t.app.dialog(kDlgContours));
    ASSERT_NE(d, nullptr);
    d->move(480, 40);
    d->uniformityButton()->click();
    d->defaultButton()->click();
    d->filledButton()->click();
    d->colourButton()->click();
    ASSERT_GE(d->state().levels.count(), 2);
    test::SavePicture(d->grab().toImage(), "contouring_dialog.png");
    d->contourButton()->click();
    TWPlot* filled = ActiveCanvas(t.app);
    ASSERT_NE(filled, canvas);
    filled->move(480, 300);
    const QImage colour = ImageOf(*filled);
    test::SavePicture(colour, "contouring_filled_colour.png");
    test::SaveScreen("contouring_screen_filled.png");
    int points = 0;
    EXPECT_GE(OnGirdle(colour, filled->model().net(), &points), points - 1)
        << "the densest band follows the girdle";
    const Point axis = DirToPixel(kFoldAxis, filled->model().net());
    EXPECT_EQ(colour.pixel(axis.x, axis.y), qRgb(255, 255, 255)) << "no pole near the fold axis";

    // Grey scale, lines only, Bezier curves: from the contour canvas, a copy of its poles.
    d->greyButton()->click();
    d->contoursOnlyButton()->click();
    d->drawingButton(ContourDrawingChoice::BezierCurves)->click();
    EXPECT_EQ(ModeCOf(d->state()), kContourBezier);
    d->contourButton()->click();
    TWPlot* lines = ActiveCanvas(t.app);
    ASSERT_NE(lines, filled);
    EXPECT_EQ(lines->model().lNT, 60);
    test::SavePicture(ImageOf(*lines), "contouring_grey_bezier_lines.png");

    // Enlarged and switched to Wulff: the contours are drawn again from what the canvas keeps.
    const int radius = lines->model().lRc;
    lines->SpeedButton1Click();
    EXPECT_GT(lines->model().lRc, radius);
    ASSERT_FALSE(lines->model().net().equalAngle);
    lines->DoPUMenuStyleCnvs(0);
    EXPECT_TRUE(lines->model().net().equalAngle);
    const QImage wulff = ImageOf(*lines);
    test::SavePicture(wulff, "contouring_grey_bezier_wulff_enlarged.png");
    test::SaveScreen("contouring_screen_wulff.png");
    const TColor top = lines->model().tContour.tz[0].cz;
    int grey = 0;
    for (int y = 0; y < wulff.height(); ++y)
        for (int x = 0; x < wulff.width(); ++x)
            grey += wulff.pixel(x, y) == toQColor(top).rgb();
    EXPECT_GT(grey, 50) << "the lowest level's grey lines are there";
    delete d;
    RunChooser() = [](TDlgUseSymb& dialog) { return dialog.exec(); };
}

} // namespace
} // namespace ploq

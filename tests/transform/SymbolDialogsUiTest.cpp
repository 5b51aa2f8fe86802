// The symbol set chooser and "Change symbols" over a canvas holding two symbol sets, drawn
// through Qt: the working set the chooser leaves, the sets the change dialog rewrites and the
// redraw that shows them. The pictures are kept (pictures/choose_symbols.png,
// pictures/change_symbols.png) to be looked at.

#include "app/Application.h"
#include "app/Main.h"
#include "canvas/PicturesUi.h"
#include "canvas/QtSymbolImages.h"
#include "canvas/TWPlot.h"
#include "canvas/UtilPlot.h"
#include "platform/Clock.h"
#include "platform/QtSurface.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"
#include "support/UiApp.h"
#include "transform/DlgChangeSy.h"
#include "transform/DlgUseSymb.h"
#include "transform/QtClickImage.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPushButton>

#include <gtest/gtest.h>

#include <cmath>

namespace ploq {
namespace {

QRgb ToQRgb(TColor c)
{
    return qRgb(redOf(c), greenOf(c), blueOf(c));
}

// Whether a pixel of that colour lies within 3 pixels of `at`.
bool Holds(const QImage& image, QPoint at, TColor colour)
{
    for (int y = at.y() - 3; y <= at.y() + 3; ++y)
        for (int x = at.x() - 3; x <= at.x() + 3; ++x)
            if (image.pixel(x, y) == ToQRgb(colour))
                return true;
    return false;
}

struct Set {
    int sy;
    int colour;
    const char* code;
};

// A canvas of kind 0 with the sets plotted as the plotting dialog would: each set a ring of
// lines at its own plunge, with its legend entry.
struct SymbolDialogs : ::testing::Test {
    SymbolDialogs()
    {
        form = std::make_unique<TForm1>(t.app, ScreenMetrics{});
        form->setGeometry(20, 40, 900, 700);
        canvas = NewWP(t.app, kWPOrdinary);
        canvas->SetRayon(140, true);
        sy = t.app.settings().Sy;
    }
    ~SymbolDialogs() override
    {
        RunChooser() = [](TDlgUseSymb& d) { return d.exec(); };
    }

    void plot(const Set& set, int count, double plungeDeg, double startDeg)
    {
        VarGlob& s = t.app.settings();
        s.Sy = set.sy;
        s.Couleur = set.colour;
        for (int i = 0; i < count; ++i) {
            InfoVal v;
            v.azi = (startDeg + 360.0 * i / count) * kDegToRad;
            v.pen = plungeDeg * kDegToRad;
            v.na = "L";
            AjoutVal(canvas->model(), v, s);
        }
        AddLegend(canvas->model(), set.sy, set.colour, set.code);
        s.Sy = sy;
        canvas->NettoyerWP();
    }

    const InfoVal& record(int i) const { return canvas->model().lVal[static_cast<std::size_t>(i)]; }

    QImage canvasImage() const { return dynamic_cast<QtImage&>(*canvas->model().image()).image(); }

    bool drawnIn(const QImage& image, const InfoVal& v, TColor colour) const
    {
        return Holds(image, {v.p, v.q}, colour);
    }

    test::PixelApp t;
    std::unique_ptr<TForm1> form;
    TWPlot* canvas = nullptr;
    int sy = 0;
};

const Set kSquares{3, 0, "S0"};
const Set kRedSquares{3, 2, "S2"};
const Set kTadpoles{-5, 0, "T0"};

// Two symbols, one in two colours: squares 1..6 (record 6 hidden), red squares 7..12 and
// tadpoles 13..20.
struct TwoSymbolSets : SymbolDialogs {
    TwoSymbolSets()
    {
        plot(kSquares, 6, 30, 0);
        plot(kRedSquares, 6, 55, 30);
        plot(kTadpoles, 8, 70, 10);
        SetBit(canvas->model().lVal[6].inf, kInfPresent, false);
        canvas->NettoyerWP();
    }
};

// Where a click lands on cell `colour` of row `row` of a chooser image.
QPoint ChooserCell(int colour, int row)
{
    return {12 * colour + 31, 28 * row - 15};
}

TEST_F(TwoSymbolSets, WorkingSetIsExactlyTheTickedPairs)
{
    int shown = 0;
    RunChooser() = [&](TDlgUseSymb& d) {
        ++shown;
        EXPECT_EQ(d.windowTitle(), "Selection of the data");
        EXPECT_EQ(d.label()->text(), "data to keep in the calculation");
        EXPECT_EQ(d.okButton()->text(), "OK");
        const QRect beside = canvas->frameGeometry();
        EXPECT_EQ(d.frameGeometry().right() + 1 + 1, beside.left()) << "on its left, 1 pixel off";
        EXPECT_EQ(d.frameGeometry().top(), beside.top());
        const QImage simple = d.image(false)->picture();
        EXPECT_EQ(simple.pixel(ChooserCell(0, 1)), ToQRgb(t.app.settings().Tco[0]));
        EXPECT_EQ(simple.pixel(ChooserCell(2, 1)), ToQRgb(t.app.settings().Tco[2]));
        EXPECT_EQ(simple.pixel(ChooserCell(1, 1)), qRgb(255, 255, 255));
        EXPECT_EQ(d.image(true)->picture().pixel(ChooserCell(0, 1)),
                  ToQRgb(t.app.settings().Tco[0]))
            << "symbol -5 in the tadpole image";
        d.imageReleased(false, ChooserCell(2, 1).x(), ChooserCell(2, 1).y());
        d.imageReleased(true, ChooserCell(0, 1).x(), ChooserCell(0, 1).y());
        t.app.settings().Sy = 11;
        return int(QDialog::Accepted);
    };
    EXPECT_EQ(ChoixSymboles(t.app, kChoixStatistics), 3);
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(t.app.settings().Sy, sy) << "Sy comes back whatever happened";
    const CanvasModel& m = canvas->model();
    for (int i = 1; i <= m.lNT; ++i) {
        const InfoVal& v = record(i);
        const bool ticked = (v.sy == 3 && v.nco == 2) || v.sy == -5;
        EXPECT_EQ(t.app.Tsy().shows(v), ticked) << "record " << i;
    }
}

TEST_F(TwoSymbolSets, OkWithoutTickingAndCancelKeepEveryPair)
{
    for (const int answer : {int(QDialog::Accepted), int(QDialog::Rejected)}) {
        RunChooser() = [answer](TDlgUseSymb&) { return answer; };
        EXPECT_EQ(ChoixSymboles(t.app, kChoixErase), answer == QDialog::Accepted ? 3 : 0);
        for (int i = 1; i <= canvas->model().lNT; ++i)
            EXPECT_TRUE(t.app.Tsy().shows(record(i))) << "record " << i;
    }
}

TEST_F(TwoSymbolSets, CaptionsByMode)
{
    for (int mode : {kChoixStatistics, kChoixErase, kChoixKeep, kChoixRotate, kChoixStats2D}) {
        RunChooser() = [mode](TDlgUseSymb& d) {
            const ChoixTexts texts = ChoixSymbolesTexts(mode);
            EXPECT_EQ(d.windowTitle().toStdString(), texts.caption);
            EXPECT_EQ(d.label()->text().toStdString(), texts.label);
            EXPECT_EQ(d.okButton()->text().toStdString(), texts.button);
            return int(QDialog::Rejected);
        };
        ChoixSymboles(t.app, mode);
    }
}

TEST_F(TwoSymbolSets, TheRowMarkChoosesAndLeavesTheWholeRow)
{
    RunChooser() = [](TDlgUseSymb& d) {
        const QPoint rowMark{9, 24};
        d.imageReleased(false, ChooserCell(0, 1).x(), ChooserCell(0, 1).y());
        EXPECT_EQ(d.image(false)->picture().pixel(rowMark), qRgb(192, 192, 192));
        d.imageReleased(false, ChooserCell(2, 1).x(), ChooserCell(2, 1).y());
        EXPECT_EQ(d.image(false)->picture().pixel(rowMark), qRgb(0, 0, 0)) << "both chosen";
        EXPECT_EQ(d.image(false)->picture().pixel(33, 24), qRgb(0, 0, 0));
        d.imageReleased(false, 9, 14);
        EXPECT_EQ(d.chooser().chosen(3), 0);
        EXPECT_EQ(d.image(false)->picture().pixel(33, 24), qRgb(192, 192, 192));
        return int(QDialog::Accepted);
    };
    EXPECT_EQ(ChoixSymboles(t.app, kChoixStatistics), 3);
    EXPECT_TRUE(t.app.Tsy().test(-5, 0)) << "nothing chosen: every pair";
}

TEST_F(SymbolDialogs, NoChooserForOnePairOrNone)
{
    RunChooser() = [](TDlgUseSymb&) {
        ADD_FAILURE() << "no chooser expected";
        return int(QDialog::Rejected);
    };
    EXPECT_EQ(ChoixSymboles(t.app, kChoixStatistics), 0);
    plot(kSquares, 3, 40, 0);
    plot({3, 9, "grey"}, 3, 60, 0);
    EXPECT_EQ(ChoixSymboles(t.app, kChoixStatistics), 1) << "colour 9 is never offered";
    EXPECT_TRUE(t.app.Tsy().test(3, 9)) << "but kept in the selection";
    canvas->close();
    EXPECT_EQ(ChoixSymboles(t.app, kChoixStatistics), 0);
}

TDlgChangeSy* OpenedChangeDialog(TForm1& form, Application& app)
{
    form.run(Cmd::ModifyChangeSymbols);
    return qobject_cast<TDlgChangeSy*>(app.dialog(kDlgChangeSy));
}

// Where a click lands on cell (row, colour) of the source table.
QPoint SourceCell(int row, int colour)
{
    return {12 * colour + 30, 22 * row - 8};
}

TEST_F(TwoSymbolSets, ChangeSymbolsRewritesTheSetAndTheRedrawShowsIt)
{
    TDlgChangeSy* dialog = OpenedChangeDialog(*form, t.app);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), "Change symbols");
    ASSERT_EQ(dialog->change().rows().size(), 2u);
    const InfoVal square = record(1);
    const QImage before = canvasImage();
    ASSERT_TRUE(drawnIn(before, square, t.app.settings().Tco[0]));

    dialog->sourceReleased(SourceCell(2, 0).x(), SourceCell(2, 0).y()); // symbol 3, colour 0
    EXPECT_EQ(t.app.settings().Sy, 3);
    EXPECT_FALSE(dialog->tadpoleBox()->isChecked());
    form->symbolMenu()->actions()[6]->trigger(); // "07"
    dialog->stripReleased(3 + 4 * 12 + 6);
    EXPECT_EQ(t.app.settings().Couleur, 4);
    dialog->confirmButton()->click();
    EXPECT_EQ(dialog->change().replacement(2, 0), (Replacement{7, 4}));
    EXPECT_TRUE(Holds(dialog->replacementImage()->picture(), {20, 44 - 8}, t.app.settings().Tco[4]))
        << "the new symbol in the replacement table";

    dialog->okButton()->click();
    EXPECT_FALSE(dialog->isVisible());
    const CanvasModel& m = canvas->model();
    for (int i = 1; i <= 6; ++i) {
        EXPECT_EQ(record(i).sy, 7) << i;
        EXPECT_EQ(record(i).nco, 4) << i;
    }
    EXPECT_FALSE(TestBit(record(6).inf, kInfPresent)) << "changed, and still hidden";
    EXPECT_EQ(record(7).sy, 3) << "the red squares keep their symbol";
    EXPECT_EQ(record(7).nco, 2);
    EXPECT_EQ(record(13).sy, -5);
    EXPECT_EQ(m.lsy, (std::vector<std::string>{"-5.0.T0", "3.2.S2", "7.4.S0"}));
    const QImage after = canvasImage();
    EXPECT_TRUE(drawnIn(after, square, t.app.settings().Tco[4]));
    EXPECT_FALSE(drawnIn(after, square, t.app.settings().Tco[0]));
}

TEST_F(TwoSymbolSets, TheTadpoleBoxGivesTheTadpole)
{
    TDlgChangeSy* dialog = OpenedChangeDialog(*form, t.app);
    dialog->sourceReleased(SourceCell(1, 0).x(), SourceCell(1, 0).y());
    EXPECT_TRUE(dialog->tadpoleBox()->isChecked()) << "row 1 holds the tadpoles";
    dialog->sourceReleased(SourceCell(2, 2).x(), SourceCell(2, 2).y());
    EXPECT_FALSE(dialog->tadpoleBox()->isChecked());
    dialog->tadpoleBox()->setChecked(true);
    EXPECT_EQ(t.app.settings().Sy, -3);
    dialog->confirmClick();
    dialog->okClick();
    for (int i = 7; i <= 12; ++i)
        EXPECT_EQ(record(i).sy, -3) << i;
    EXPECT_EQ(record(1).sy, 3);
}

TEST_F(TwoSymbolSets, CancelChangesNothing)
{
    TDlgChangeSy* dialog = OpenedChangeDialog(*form, t.app);
    dialog->sourceReleased(SourceCell(1, 0).x(), SourceCell(1, 0).y());
    dialog->symbolChosen(9);
    dialog->confirmClick();
    dialog->cancelButton()->click();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(record(13).sy, -5);
    EXPECT_EQ(canvas->model().lsy.front(), "-5.0.T0");
}

TEST_F(TwoSymbolSets, EachOpeningStartsFromTheSetsThenDisplayed)
{
    TDlgChangeSy* first = OpenedChangeDialog(*form, t.app);
    first->sourceReleased(SourceCell(1, 0).x(), SourceCell(1, 0).y());
    first->symbolChosen(16);
    first->confirmClick();
    first->okClick();
    TDlgChangeSy* second = OpenedChangeDialog(*form, t.app);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->change().rows().front().sy, -16) << "still a tadpole: the box was ticked";
    EXPECT_EQ(second->change().replacement(1, 0).co, kNoReplacement);
    EXPECT_TRUE(second->isVisible());
}

TEST_F(TwoSymbolSets, TheNewSymbolOpensTheSymbolMenuAndClosingTheCanvasClosesTheDialog)
{
    TDlgChangeSy* dialog = OpenedChangeDialog(*form, t.app);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(dialog->newSymbolImage(), &release);
    EXPECT_TRUE(form->symbolMenu()->isVisible());
    form->symbolMenu()->hide();
    QPointer<TDlgChangeSy> watched(dialog);
    canvas->close();
    EXPECT_FALSE(watched && watched->isVisible());
}

TEST_F(TwoSymbolSets, TheDialogChangesTheCanvasItWasOpenedForAndClosesWithIt)
{
    TDlgChangeSy* dialog = OpenedChangeDialog(*form, t.app);
    TWPlot* other = NewWP(t.app, kWPOrdinary);
    ASSERT_EQ(ActiveCanvas(t.app), other);
    dialog->sourceReleased(SourceCell(2, 0).x(), SourceCell(2, 0).y());
    dialog->symbolChosen(9);
    dialog->confirmClick();
    dialog->okClick();
    EXPECT_EQ(record(1).sy, 9) << "not the canvas made since";

    QPointer<TDlgChangeSy> again(OpenedChangeDialog(*form, t.app));
    ASSERT_TRUE(again);
    EXPECT_EQ(again->canvas(), other);
    other->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(again && again->isVisible()) << "its canvas is gone, another is left";
    EXPECT_NE(ActiveCanvas(t.app), nullptr);
}

// The canvas on the left of the picture, the dialog beside it where it would open.
QImage BesideEachOther(const QImage& left, const QImage& right)
{
    const int gap = 12;
    QImage picture(left.width() + right.width() + 3 * gap,
                   std::max(left.height(), right.height()) + 2 * gap, QImage::Format_RGB32);
    picture.fill(qRgb(160, 170, 180));
    QPainter painter(&picture);
    painter.drawImage(gap, gap, left);
    painter.drawImage(left.width() + 2 * gap, gap, right);
    return picture;
}

TEST_F(TwoSymbolSets, PicturesOfBothDialogs)
{
    canvas->show();
    const QImage canvasPicture = canvas->grab().toImage();
    RunChooser() = [&](TDlgUseSymb& d) {
        d.imageReleased(false, ChooserCell(2, 1).x(), ChooserCell(2, 1).y());
        d.imageReleased(true, 9, 18);
        const QString path = test::SavePicture(BesideEachOther(d.grab().toImage(), canvasPicture),
                                               "choose_symbols.png");
        EXPECT_FALSE(path.isEmpty());
        return int(QDialog::Rejected);
    };
    ChoixSymboles(t.app, kChoixStatistics);

    TDlgChangeSy* dialog = OpenedChangeDialog(*form, t.app);
    dialog->sourceReleased(SourceCell(2, 2).x(), SourceCell(2, 2).y());
    dialog->symbolChosen(10);
    dialog->stripReleased(3 + 5 * 12 + 6);
    dialog->confirmClick();
    dialog->sourceReleased(SourceCell(1, 0).x(), SourceCell(1, 0).y());
    dialog->symbolChosen(14);
    dialog->stripReleased(3 + 3 * 12 + 6);
    dialog->confirmClick();
    dialog->sourceReleased(SourceCell(2, 0).x(), SourceCell(2, 0).y());
    test::SavePicture(BesideEachOther(canvasPicture, dialog->grab().toImage()),
                      "change_symbols.png");
    dialog->okClick();
    test::SavePicture(canvas->grab().toImage(), "changed_canvas.png");
}

} // namespace
} // namespace ploq

// The display dialog driven through its slots, the add-to-data dialog in its four modes and the
// keep dialog of a hand-fitted circle, with the questions they ask scripted; and the dialog
// kept open while canvases close and other commands append values. Pictures of each dialog
// are kept (pictures/display_add_*.png, add_to_data_*.png, keep_cm_*.png).

#include "app/Application.h"
#include "app/Main.h"
#include "canvas/PicturesUi.h"
#include "canvas/TWPlot.h"
#include "canvas/UtilPlot.h"
#include "platform/QtSurface.h"
#include "platform/QtText.h"
#include "stats3d/DlgAddToData.h"
#include "stats3d/DlgDisplayAdd.h"
#include "stats3d/DlgKeepCM.h"
#include "stats3d/DlgPlotGcPC.h"
#include "stats3d/Stats3Dadd.h"
#include "support/PlotUi.h"
#include "support/UiApp.h"
#include "transform/DlgUseSymb.h"
#include "transform/QtClickImage.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTextEdit>
#include <QToolBar>

#include <gtest/gtest.h>

namespace ploq {
namespace {

using test::ListLines;
using test::PanelLines;

double Rad(double degrees)
{
    return degrees * kDegToRad;
}

std::vector<int> Numbers(const TWPlot& canvas)
{
    std::vector<int> out;
    for (const InfoAdd& e : AddInUse(canvas.model()))
        out.push_back(e.rang);
    return out;
}

std::vector<bool> Visible(const TWPlot& canvas)
{
    std::vector<bool> out;
    for (const InfoAdd& e : AddInUse(canvas.model()))
        out.push_back(e.vis);
    return out;
}

void FlushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Where a click lands on colour c (0..7) of a colour strip of 12-pixel cells.
int StripCell(int c)
{
    return 12 * c + 7;
}

struct DisplayAddDialog : ::testing::Test {
    DisplayAddDialog()
    {
        VarGlob& s = t.app.settings();
        s.FrtL = 1; // plunge/direction
        s.FrtS = 1; // dip/dip direction
        SavePrefsFile(s, t.prefsPath(), 0);
        form = std::make_unique<TForm1>(t.app, ScreenMetrics{});
        form->setGeometry(20, 40, 900, 600);
        first = newCanvas();
    }
    ~DisplayAddDialog() override
    {
        if (QWidget* d = t.app.dialog(kDlgDisplayAdd))
            delete d;
        RunAddToData() = [](TDlgAddToData& d) { return d.exec(); };
        RunKeepCM() = [](TDlgKeepCM& d) { return d.exec(); };
        RunPlotGCPC() = [](TDlgPlotGCPC& d) { return d.exec(); };
        RunChooser() = [](TDlgUseSymb& d) { return d.exec(); };
        EXPECT_TRUE(t.prompts.allAnswered());
    }

    TWPlot* newCanvas(int natWP = kWPOrdinary, int records = 3)
    {
        TWPlot* canvas = NewWP(t.app, natWP);
        canvas->SetRayon(120, true);
        for (int i = 0; i < records && HoldsRecords(natWP); ++i) {
            InfoVal v;
            v.na = "L";
            v.azi = Rad(60 + 5 * i);
            v.pen = Rad(20 + 3 * i);
            AjoutVal(canvas->model(), v, 1, 0);
        }
        canvas->NettoyerWP();
        return canvas;
    }
    // Entries of the kinds, numbered on from the canvas's last; `hidden` positions hidden.
    static void keep(TWPlot& canvas, std::initializer_list<int> kinds,
                     std::initializer_list<int> hidden = {}, int colour = 4)
    {
        std::vector<InfoAdd> entries;
        double trend = 100;
        for (int nat : kinds) {
            InfoAdd e;
            e.nat = nat;
            e.nco = colour;
            e.nsy = 104;
            e.x[0] = Rad(trend += 20);
            e.y[0] = Rad(35);
            e.x[1] = Rad(9);
            e.a[1] = 1;
            e.vis = e.initVis = true;
            entries.push_back(e);
        }
        for (int i : hidden)
            entries[static_cast<std::size_t>(i)].vis = false;
        ASSERT_TRUE(AppendAdd(canvas.model(), entries));
        canvas.NettoyerWP();
    }
    TDlgDisplayAdd* open()
    {
        form->RefreshMenus();
        EXPECT_TRUE(form->action(Cmd::DisplayBestFits)->isEnabled());
        form->run(Cmd::DisplayBestFits);
        return qobject_cast<TDlgDisplayAdd*>(t.app.dialog(kDlgDisplayAdd));
    }
    int indexOf(TDlgDisplayAdd& d, TWPlot* canvas)
    {
        const std::vector<TWPlot*> all = d.canvases();
        return static_cast<int>(std::find(all.begin(), all.end(), canvas) - all.begin());
    }

    test::UiApp t;
    std::unique_ptr<TForm1> form;
    TWPlot* first = nullptr;
};

TEST_F(DisplayAddDialog, OpensOnTheCanvasesThatKeepValues)
{
    keep(*first, {kAddBestAxis, kAddNormalToBA, kAddCone95BA, kAddCone99BA}, {2, 3});
    TWPlot* contours = newCanvas(kWPContouring);
    TWPlot* counting = newCanvas(kWPCounting);
    TWPlot* pt = newCanvas(kWPPTAxes);
    TWPlot* dihedra = newCanvas(kWPDihedra);
    InfoVal other;
    other.na = "L";
    AjoutVal(first->model(), other, 2, 5); // a second set: still no chooser
    first->activateWindow();
    t.app.activateWindow(*first);
    int chooser = 0;
    RunChooser() = [&](TDlgUseSymb&) { return ++chooser, int(QDialog::Accepted); };
    TDlgDisplayAdd* d = open();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(chooser, 0);
    EXPECT_TRUE(d->isVisible()) << "modeless";
    EXPECT_FALSE(d->isModal());
    EXPECT_EQ(fromQString(d->windowTitle()), " Additional values to keep");
    EXPECT_EQ(fromQString(d->sourceLabel()->text()), " Available values :");
    EXPECT_EQ(fromQString(d->targetLabel()->text()), "Values to keep in :");
    EXPECT_EQ(fromQString(d->okButton()->text()), "Keep");
    EXPECT_EQ(d->canvases(), (std::vector<TWPlot*>{first, counting, pt}))
        << "kinds 4 and 7 own no list to show";
    ASSERT_EQ(d->sourceBox()->count(), 3);
    EXPECT_EQ(fromQString(d->sourceBox()->itemText(0)), first->title());
    EXPECT_EQ(d->targetBox()->count(), 3);
    EXPECT_EQ(d->source(), first);
    EXPECT_EQ(d->target(), first);
    EXPECT_EQ(ListLines(d->leftList()),
              (std::vector<std::string>{"03  Conf. cone 95%, BA", "04  Conf. cone  99%, BA"}));
    EXPECT_EQ(ListLines(d->rightList()),
              (std::vector<std::string>{"01  Best axis", "02  Plane normal to BA"}));
    test::SavePicture(d->grab().toImage(), "display_add_keep.png");
    EXPECT_EQ(DisplayBestFits(t.app), d) << "one instance, brought forward";
    QAction* item = form->action(Cmd::DisplayBestFits);
    EXPECT_EQ(item->shortcut(), QKeySequence("Ctrl+D"));
    EXPECT_TRUE(form->toolBar()->actions().contains(item)) << "the tool button mirrors the item";
    (void)contours;
    (void)dihedra;
}

TEST_F(DisplayAddDialog, ChoosingTheCanvasesSetsTextsAndLists)
{
    keep(*first, {kAddBestPlane, kAddPoleBP, kAddCone95BP}, {1});
    TWPlot* second = newCanvas();
    keep(*second, {kAddPoleBGC});
    TDlgDisplayAdd* d = open();
    ASSERT_NE(d, nullptr);
    struct Row {
        int source, target;
        const char* label;
        const char* button;
        std::vector<std::string> left, right;
    };
    const Row rows[] = {
        {0,
         1,
         "Values to add in",
         "add",
         {"01  Best plane", "02  Pole of best plane", "03  Conf. cone 95%, BP"},
         {}},
        {0,
         0,
         "Values to plot in",
         "OK",
         {"02  Pole of best plane"},
         {"01  Best plane", "03  Conf. cone 95%, BP"}},
        {1, 0, "Values to add in", "add", {"01  Pole of best GC"}, {}},
        {1, 1, "Values to plot in", "OK", {}, {"01  Pole of best GC"}},
    };
    for (const Row& r : rows) {
        d->sourceChosen(r.source);
        d->targetChosen(r.target);
        EXPECT_EQ(d->sourceBox()->currentIndex(), r.source);
        EXPECT_EQ(d->targetBox()->currentIndex(), r.target);
        EXPECT_EQ(fromQString(d->targetLabel()->text()), r.label);
        EXPECT_EQ(fromQString(d->okButton()->text()), r.button);
        EXPECT_EQ(ListLines(d->leftList()), r.left);
        EXPECT_EQ(ListLines(d->rightList()), r.right);
    }
}

TEST_F(DisplayAddDialog, HideWithTheArrowsThenOk)
{
    keep(*first, {kAddBestAxis, kAddNormalToBA, kAddCone95BA, kAddCone99BA});
    auto& image = dynamic_cast<RecordingImage&>(*first->model().image()).recording();
    const std::size_t before = image.primitives().size();
    TDlgDisplayAdd* d = open();
    ASSERT_NE(d, nullptr);
    QPointer<TDlgDisplayAdd> alive = d;
    d->sourceChosen(0);
    d->targetChosen(0);
    d->rightSelected(3);
    d->moveLeft();
    d->rightSelected(2);
    d->moveLeft();
    EXPECT_EQ(ListLines(d->leftList()),
              (std::vector<std::string>{"03  Conf. cone 95%, BA", "04  Conf. cone  99%, BA"}));
    EXPECT_EQ(Visible(*first), (std::vector<bool>{true, true, true, true})) << "not before OK";
    d->leftSelected(0);
    d->moveRight();
    d->rightSelected(0);
    d->moveLeft();
    EXPECT_EQ(ListLines(d->rightList()),
              (std::vector<std::string>{"02  Plane normal to BA", "03  Conf. cone 95%, BA"}));
    test::SavePicture(d->grab().toImage(), "display_add_plot.png");
    image.clear();
    d->okClick();
    FlushDeletes();
    EXPECT_EQ(Visible(*first), (std::vector<bool>{false, true, true, false}));
    EXPECT_EQ(Numbers(*first), (std::vector<int>{1, 2, 3, 4})) << "hidden ones keep their place";
    EXPECT_GT(image.primitives().size(), 0u) << "redrawn";
    EXPECT_LT(image.primitives().size(), before) << "with two values fewer";
    EXPECT_TRUE(alive.isNull()) << "OK closes the dialog";
}

TEST_F(DisplayAddDialog, TheValueInItsColour)
{
    keep(*first, {kAddBestAxis, kAddCone95BA}, {}, 6);
    TDlgDisplayAdd* d = open();
    ASSERT_NE(d, nullptr);
    d->rightSelected(0);
    const VarGlob& s = t.app.settings();
    const InfoAdd& axis = first->model().lAdd[0];
    EXPECT_EQ(fromQString(d->rightValue()->text()),
              DirToText(false, false, axis.y[0], axis.x[0], {s.FrtS, s.FrtL}));
    EXPECT_EQ(d->rightValue()->palette().color(QPalette::Text), toQColor(s.Tco[6]));
    d->rightSelected(1);
    EXPECT_EQ(fromQString(d->rightValue()->text()), "conf.95% 9.0\xB0");
    d->rightSelected(-1);
    EXPECT_TRUE(d->rightValue()->text().isEmpty());
    EXPECT_TRUE(d->leftValue()->text().isEmpty());
}

TEST_F(DisplayAddDialog, DeleteAsksAndErasesTheSelectedValues)
{
    struct Row {
        const char* name;
        int left, right; // rows selected, -1 none
        Button answer;   // Button::None: no question
        std::vector<int> remaining;
    };
    // Entries 1, 2 shown (right), 3, 4 hidden (left).
    const Row rows[] = {
        {"a left line, OK", 0, -1, Button::Ok, {1, 2, 4}},
        {"a left line, Cancel", 0, -1, Button::Cancel, {1, 2, 3, 4}},
        {"a right line alone", -1, 1, Button::Ok, {1, 3, 4}},
        {"one line of each", 1, 0, Button::Ok, {2, 3}},
        {"no line", -1, -1, Button::None, {1, 2, 3, 4}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        first->model().lNAdd = 0;
        keep(*first, {kAddBestGC, kAddPoleBGC, kAddCone95BGC, kAddCone99BGC}, {2, 3});
        first->model().lUndoPlot = {0, 4, 0, 1, kAddBestGC, true};
        TDlgDisplayAdd* d = open();
        ASSERT_NE(d, nullptr);
        d->leftSelected(r.left);
        d->rightSelected(r.right);
        if (r.answer != Button::None)
            t.prompts.expectMessage("This data will be definively erased", r.answer);
        d->deleteClick();
        EXPECT_TRUE(t.prompts.allAnswered());
        if (r.answer != Button::None) {
            const Message& asked = t.prompts.messages().back();
            EXPECT_EQ(asked.kind, MsgKind::Warning);
            EXPECT_EQ(asked.buttons, Button::Ok | Button::Cancel);
        }
        EXPECT_EQ(Numbers(*first), r.remaining);
        const bool erased = r.remaining.size() < 4;
        EXPECT_EQ(first->model().lUndoPlot.actif, !erased) << "the undo would take others";
        std::vector<std::string> shown = ListLines(d->leftList());
        for (const std::string& line : ListLines(d->rightList()))
            shown.push_back(line);
        EXPECT_EQ(shown.size(), r.remaining.size()) << "the lists rebuilt";
        d->okClick();
        FlushDeletes();
    }
}

TEST_F(DisplayAddDialog, CopyToAnotherCanvasKeepsTheSource)
{
    keep(*first, {kAddBestAxis, kAddNormalToBA, kAddCone95BA}, {2}, 5);
    TWPlot* second = newCanvas();
    keep(*second, {kAddPoleBGC, kAddBestGC}, {}, 2);
    second->model().lUndoPlot = {0, 2, 0, 1, kAddBestGC, true};
    TDlgDisplayAdd* d = open();
    ASSERT_NE(d, nullptr);
    d->targetChosen(indexOf(*d, second));
    EXPECT_EQ(ListLines(d->leftList()).size(), 3u);
    EXPECT_TRUE(ListLines(d->rightList()).empty());
    EXPECT_EQ(Visible(*first), (std::vector<bool>{true, true, false})) << "the source as it was";

    // A right line names a value to copy: Delete only takes it off the list, and the value of
    // the other canvas that has the same number stays.
    d->leftSelected(1);
    d->moveRight();
    d->rightSelected(0);
    d->deleteClick();
    EXPECT_EQ(Numbers(*second), (std::vector<int>{1, 2}));
    EXPECT_EQ(Numbers(*first), (std::vector<int>{1, 2, 3}));
    EXPECT_TRUE(ListLines(d->rightList()).empty());

    d->leftSelected(2);
    d->moveRight();
    d->leftSelected(0);
    d->moveRight();
    EXPECT_EQ(ListLines(d->rightList()),
              (std::vector<std::string>{"01  Best axis", "03  Conf. cone 95%, BA"}));
    test::SavePicture(d->grab().toImage(), "display_add_copy.png");
    d->okClick();
    FlushDeletes();
    EXPECT_EQ(Numbers(*second), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(Visible(*second), (std::vector<bool>{true, true, true, true}));
    const InfoAdd& copied = second->model().lAdd[3];
    const InfoAdd& original = first->model().lAdd[2];
    EXPECT_EQ(copied.nat, kAddCone95BA);
    EXPECT_EQ(copied.nco, 5);
    EXPECT_EQ(copied.nsy, original.nsy);
    EXPECT_EQ(copied.x, original.x);
    EXPECT_EQ(copied.y, original.y);
    EXPECT_EQ(Visible(*first), (std::vector<bool>{true, true, false}))
        << "the source's values are not hidden by the copy";
    EXPECT_FALSE(second->model().lUndoPlot.actif);
}

TEST_F(DisplayAddDialog, ACopyIntoAFullCanvasIsRefused)
{
    keep(*first, {kAddBestAxis, kAddNormalToBA});
    TWPlot* second = newCanvas();
    InfoAdd filler;
    filler.nat = kAddPoleBGC;
    ASSERT_TRUE(AppendAdd(second->model(), std::vector<InfoAdd>(99, filler)));
    TDlgDisplayAdd* d = open();
    ASSERT_NE(d, nullptr);
    QPointer<TDlgDisplayAdd> alive = d;
    d->targetChosen(indexOf(*d, second));
    d->leftSelected(0);
    d->moveRight();
    d->leftSelected(0);
    d->moveRight();
    t.prompts.expectMessage(std::string(kMsgAddListFull));
    d->okClick();
    FlushDeletes();
    EXPECT_EQ(second->model().lNAdd, 99) << "nothing copied";
    EXPECT_FALSE(alive.isNull()) << "the dialog stays for another choice";
}

TEST_F(DisplayAddDialog, AddToDataOfferedByKindListAndCanvas)
{
    keep(*first, {kAddBestAxis, kAddCone95BA, kAddCone99BA, kAddCone95BGC, kAddCone99BGC,
                  kAddBestSmallCircle, kAddManualSC, kAddBestGC, kAddPoleBP});
    struct Row {
        int position;
        bool left, right;
    };
    const Row rows[] = {{0, true, true},   {1, false, false}, {2, false, false},
                        {3, false, false}, {4, false, false}, {5, true, false},
                        {6, true, false},  {7, true, true},   {8, true, true}};
    TDlgDisplayAdd* d = open();
    ASSERT_NE(d, nullptr);
    EXPECT_FALSE(d->leftAddButton()->isEnabled()) << "nothing selected";
    EXPECT_FALSE(d->rightAddButton()->isEnabled());
    for (const Row& r : rows) {
        SCOPED_TRACE(r.position);
        // Shown on the right first, then moved to the left.
        d->rightSelected(0);
        for (int row = 0; row < d->rightList()->count(); ++row)
            if (d->rightList()->item(row)->data(Qt::UserRole).toInt() == r.position + 1)
                d->rightSelected(row);
        EXPECT_EQ(d->rightAddButton()->isEnabled(), r.right);
        d->moveLeft();
        for (int row = 0; row < d->leftList()->count(); ++row)
            if (d->leftList()->item(row)->data(Qt::UserRole).toInt() == r.position + 1)
                d->leftSelected(row);
        EXPECT_EQ(d->leftAddButton()->isEnabled(), r.left);
        d->moveRight();
    }

    // A counting canvas holds no records: nothing of its list can become one.
    TWPlot* counting = newCanvas(kWPCounting);
    keep(*counting, {kAddBestAxis});
    d->sourceChosen(indexOf(*d, counting));
    d->targetChosen(indexOf(*d, counting));
    d->rightSelected(0);
    EXPECT_EQ(ListLines(d->rightList()), (std::vector<std::string>{"01  Best axis"}));
    EXPECT_FALSE(d->rightAddButton()->isEnabled());
    int shown = 0;
    RunAddToData() = [&](TDlgAddToData&) { return ++shown, int(QDialog::Rejected); };
    d->addToDataRight();
    EXPECT_EQ(shown, 0);
}

TEST_F(DisplayAddDialog, AddToDataAppendsAMeasurement)
{
    keep(*first, {kAddBestGC, kAddPoleBGC}, {}, 3);
    TDlgDisplayAdd* d = open();
    ASSERT_NE(d, nullptr);
    ASSERT_EQ(first->model().lNT, 3);
    int shown = 0;
    RunAddToData() = [&](TDlgAddToData& a) {
        ++shown;
        EXPECT_EQ(fromQString(a.windowTitle()), "Pole of best GC");
        EXPECT_EQ(fromQString(a.codeField(0)->text()), "L");
        EXPECT_TRUE(a.codeField(1)->text().isEmpty());
        EXPECT_TRUE(a.codeField(2)->text().isEmpty());
        EXPECT_EQ(fromQString(a.codeField(3)->text()), "add.v 2");
        EXPECT_EQ(a.codeField(0)->maxLength(), 9);
        EXPECT_FALSE(a.recordBox(0)->isVisibleTo(&a));
        const InfoAdd& pole = first->model().lAdd[1];
        const VarGlob& s = t.app.settings();
        EXPECT_EQ(fromQString(a.directionField()->text()),
                  DirToText(false, false, pole.y[0], pole.x[0], {s.FrtS, s.FrtL}));
        EXPECT_EQ(a.choices().symbol, 9);
        EXPECT_EQ(a.choices().colour, 3);
        test::SavePicture(a.grab().toImage(), "add_to_data_value.png");
        a.codeField(0)->setText("Lpole");
        a.codeField(2)->setText("Bed C");
        a.stripReleased(StripCell(6));
        form->symbolMenu()->actions()[4]->trigger();
        a.tailedBox()->setChecked(true);
        a.okClick();
        EXPECT_EQ(a.result().refusal, AddToDataRefusal::None);
        return a.result().refusal == AddToDataRefusal::None ? int(QDialog::Accepted)
                                                            : int(QDialog::Rejected);
    };
    d->rightSelected(1);
    ASSERT_TRUE(d->rightAddButton()->isEnabled());
    d->addToDataRight();
    EXPECT_EQ(shown, 1);
    const CanvasModel& m = first->model();
    ASSERT_EQ(m.lNT, 4);
    const InfoVal& v = m.lVal[4];
    EXPECT_EQ(v.na, "Lpole");
    EXPECT_EQ(v.lo, "Bed C");
    EXPECT_EQ(v.co, "add.v 2");
    EXPECT_EQ(v.sy, -5);
    EXPECT_EQ(v.nco, 6);
    EXPECT_FALSE(TestBit(v.inf, kInfPlane));
    EXPECT_EQ(fromQString(first->Label1()->text()), "N = 4");
    EXPECT_EQ(PanelLines(*first).back(), "(added to data list, number : 4)");
    EXPECT_EQ(m.lNAdd, 2) << "the value stays";

    // Typing a plane's nature over a line is refused; nothing is added until Cancel.
    RunAddToData() = [&](TDlgAddToData& a) {
        a.codeField(0)->setText("S0");
        t.prompts.expectMessage("You can't change the type of the value (axis or plane)");
        a.okClick();
        EXPECT_EQ(a.result().refusal, AddToDataRefusal::TypeChanged);
        EXPECT_EQ(t.prompts.messages().back().kind, MsgKind::Warning);
        return int(QDialog::Rejected);
    };
    d->addToDataRight();
    EXPECT_EQ(m.lNT, 4);
    EXPECT_TRUE(t.prompts.allAnswered());
}

TEST_F(DisplayAddDialog, AFullCanvasRefusesAddToData)
{
    keep(*first, {kAddBestAxis});
    CanvasModel& m = first->model();
    for (int i = m.lNT; i < kMaxValues; ++i) {
        InfoVal v;
        v.na = "L";
        AjoutVal(m, v, 1, 0);
    }
    ASSERT_EQ(m.lNT, kMaxValues);
    TDlgDisplayAdd* d = open();
    ASSERT_NE(d, nullptr);
    int shown = 0;
    RunAddToData() = [&](TDlgAddToData&) { return ++shown, int(QDialog::Accepted); };
    d->rightSelected(0);
    t.prompts.expectMessage(std::string(kMsgCanvasFull));
    d->addToDataRight();
    EXPECT_EQ(shown, 0);
    EXPECT_EQ(m.lNT, kMaxValues);
}

TEST_F(DisplayAddDialog, ACanvasClosedUnderTheDialog)
{
    keep(*first, {kAddBestAxis});
    TWPlot* second = newCanvas();
    keep(*second, {kAddPoleBGC, kAddBestGC});
    TDlgDisplayAdd* d = open();
    ASSERT_NE(d, nullptr);
    QPointer<TDlgDisplayAdd> alive = d;
    d->sourceChosen(1);
    d->targetChosen(1);
    EXPECT_EQ(d->source(), second);
    second->close();
    FlushDeletes();
    ASSERT_FALSE(alive.isNull()) << "one canvas is left";
    EXPECT_EQ(d->canvases(), (std::vector<TWPlot*>{first}));
    EXPECT_EQ(d->sourceBox()->count(), 1);
    EXPECT_EQ(d->targetBox()->count(), 1);
    EXPECT_EQ(d->source(), first);
    EXPECT_EQ(d->target(), first);
    EXPECT_EQ(ListLines(d->rightList()), (std::vector<std::string>{"01  Best axis"}));

    // A canvas opened meanwhile joins both boxes.
    TWPlot* third = newCanvas();
    form->RefreshMenus();
    EXPECT_EQ(d->canvases(), (std::vector<TWPlot*>{first, third}));
    EXPECT_EQ(d->sourceBox()->count(), 2);
    third->setTitle(" Canvas 7");
    EXPECT_EQ(d->targetBox()->itemText(1), " Canvas 7") << "a new title follows";

    third->close();
    first->close();
    FlushDeletes();
    EXPECT_TRUE(alive.isNull()) << "the dialog closes with the last canvas";
    EXPECT_EQ(t.app.dialog(kDlgDisplayAdd), nullptr);
}

// "Best pôle" while the dialog is open: its values appear in the lists, and Cancel takes back
// only the deletion made in the dialog.
TEST_F(DisplayAddDialog, CancelAfterABestPoleRunKeepsTheNewValues)
{
    keep(*first, {kAddBestGC, kAddPoleBGC, kAddCone95BGC});
    TDlgDisplayAdd* d = open();
    ASSERT_NE(d, nullptr);
    QPointer<TDlgDisplayAdd> alive = d;
    d->rightSelected(1);
    t.prompts.expectMessage("This data will be definively erased", Button::Ok);
    d->deleteClick();
    ASSERT_EQ(Numbers(*first), (std::vector<int>{1, 3}));
    d->rightSelected(1);

    RunPlotGCPC() = [](TDlgPlotGCPC& p) {
        p.poleBox()->setChecked(true);
        p.circleBox()->setChecked(false);
        p.cone95Box()->setChecked(true);
        p.cone99Box()->setChecked(true);
        return int(QDialog::Accepted);
    };
    form->run(Cmd::BestPole);
    ASSERT_EQ(Numbers(*first), (std::vector<int>{1, 3, 4, 5, 6, 7}));
    EXPECT_EQ(ListLines(d->rightList()),
              (std::vector<std::string>{"01  Best great circle", "03  Conf. cone 95%, best GC",
                                        "04  Best axis", "06  Conf. cone 95%, BA",
                                        "07  Conf. cone  99%, BA"}));
    EXPECT_EQ(ListLines(d->leftList()), (std::vector<std::string>{"05  Plane normal to BA"}));
    ASSERT_NE(d->rightList()->currentItem(), nullptr);
    EXPECT_EQ(fromQString(d->rightList()->currentItem()->text()), "03  Conf. cone 95%, best GC")
        << "the selection stays";

    d->cancelButton()->click();
    FlushDeletes();
    EXPECT_TRUE(alive.isNull());
    EXPECT_EQ(Numbers(*first), (std::vector<int>{1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(first->model().lAdd[1].nat, kAddPoleBGC) << "the deleted value back in its place";
}

InfoVal NewRecord(const char* nature, double trendDeg, double plungeDeg, const char* comment)
{
    InfoVal v;
    v.na = nature;
    v.azi = Rad(trendDeg);
    v.pen = Rad(plungeDeg);
    v.sy = 9;
    v.co = comment;
    return v;
}

// The two-record modes of the constructions: one box per record, the bisectors' message when
// none is ticked, the lines written.
TEST_F(DisplayAddDialog, AddToDataOfTwoRecords)
{
    struct Row {
        const char* name;
        int mode;
        const char* nature;
        std::vector<bool> ticks; // one try per pair
        std::vector<const char*> messages;
        const char* line; // the last panel line; nullptr: none written
        int added;
    };
    const Row rows[] = {
        {"bisector planes, both",
         kAddToDataBisectorPlanes,
         "S",
         {true, true},
         {},
         "(biss. 1 and 2 added to data list, number : 4 and 5)",
         2},
        {"bisector lines, none then the second",
         kAddToDataBisectorLines,
         "L",
         {false, false, false, true},
         {"No bissector selected"},
         "(biss. 2 added to data list, number : 4)",
         1},
        {"intersections, the first", kAddToDataIntersections, "L", {true, false}, {}, nullptr, 1},
        {"intersections, none", kAddToDataIntersections, "L", {false, false}, {}, nullptr, 0},
    };
    const VarGlob& s = t.app.settings();
    const Notation notation{s.FrtS, s.FrtL};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        first->model().lNT = 3;
        first->RichEdit1()->clear();
        const AddToDataRequest request{
            r.mode,
            "Add bissectors to data",
            {NewRecord(r.nature, 30, 40, "biss. 2S"), NewRecord(r.nature, 210, 10, "biss. 2S")}};
        for (const char* m : r.messages)
            t.prompts.expectMessage(m);
        RunAddToData() = [&](TDlgAddToData& a) {
            EXPECT_EQ(fromQString(a.windowTitle()), "Add bissectors to data");
            EXPECT_FALSE(a.directionField()->isVisibleTo(&a));
            for (int i = 0; i < 2; ++i) {
                EXPECT_TRUE(a.recordBox(i)->isVisibleTo(&a));
                EXPECT_EQ(fromQString(a.recordBox(i)->text()),
                          AddToDataBox(request, i, notation, false));
                EXPECT_TRUE(a.recordBox(i)->isChecked());
            }
            EXPECT_EQ(fromQString(a.codeField(3)->text()), "biss. 2S");
            if (r.mode == kAddToDataBisectorPlanes)
                test::SavePicture(a.grab().toImage(), "add_to_data_bisectors.png");
            for (std::size_t k = 0; k + 1 < r.ticks.size(); k += 2) {
                a.recordBox(0)->setChecked(r.ticks[k]);
                a.recordBox(1)->setChecked(r.ticks[k + 1]);
                a.okClick();
            }
            return a.result().numbers.empty() ? int(QDialog::Rejected) : int(QDialog::Accepted);
        };
        EXPECT_EQ(AddRecordsToData(t.app, *first, request), r.added > 0);
        EXPECT_EQ(first->model().lNT, 3 + r.added);
        const std::vector<std::string> lines = PanelLines(*first);
        if (r.line) {
            ASSERT_FALSE(lines.empty());
            EXPECT_EQ(lines.back(), r.line);
        } else {
            EXPECT_TRUE(lines.empty());
        }
        if (r.added == 1 && r.mode == kAddToDataBisectorLines) {
            EXPECT_EQ(first->model().lVal[4].azi, Rad(210)) << "the second bisector";
        }
        EXPECT_TRUE(t.prompts.allAnswered());
    }

    const AddToDataRequest one{kAddToDataOne, "New cyclo trace", {NewRecord("S", 30, 40, "")}};
    RunAddToData() = [&](TDlgAddToData& a) {
        EXPECT_TRUE(a.directionField()->isVisibleTo(&a));
        EXPECT_EQ(fromQString(a.directionField()->text()), "50 / 210") << "written as a plane";
        EXPECT_FALSE(a.recordBox(0)->isVisibleTo(&a));
        return int(QDialog::Rejected);
    };
    EXPECT_FALSE(AddRecordsToData(t.app, *first, one));
    EXPECT_EQ(first->model().lNT, 3) << "Cancel adds nothing";
}

TEST_F(DisplayAddDialog, KeepAHandFittedCircle)
{
    struct Row {
        char type;
        const char* caption;
        bool aperture;
        const char* poleLine;
    };
    const Row rows[] = {
        {'+', "Great circle", false, "pole : 50 / 100"},
        {'-', "Small circle", true, "pole of the center : 50 / 100 aperture : 33"},
        {'/', "Great circle by 2 points", false, "pole : 50 / 100"},
    };
    VarGlob& s = t.app.settings();
    for (const Row& r : rows) {
        SCOPED_TRACE(r.caption);
        CanvasModel& m = first->model();
        m.lNAdd = 0;
        m.ar1 = Rad(100);
        m.ar2 = Rad(50);
        m.ar5 = Rad(33.25);
        first->RichEdit1()->clear();
        RunKeepCM() = [&](TDlgKeepCM& k) {
            EXPECT_EQ(fromQString(k.windowTitle()), r.caption);
            EXPECT_EQ(fromQString(k.poleField()->text()), "50 / 100");
            EXPECT_EQ(k.apertureField()->isVisibleTo(&k), r.aperture);
            EXPECT_EQ(fromQString(k.apertureLabel()->text()), "aperture : ");
            EXPECT_EQ(k.apertureField()->text(), r.aperture ? "33" : "90");
            k.decimalsBox()->setChecked(true);
            EXPECT_EQ(fromQString(k.poleField()->text()), "50.0 / 100.0");
            EXPECT_EQ(k.apertureField()->text(), r.aperture ? "33.2" : "90.0");
            k.decimalsBox()->setChecked(false);
            EXPECT_TRUE(k.plotPoleBox()->isChecked());
            EXPECT_FALSE(k.listBox()->isChecked());
            EXPECT_TRUE(k.underlineBox()->isChecked());
            std::vector<int> offsets;
            for (int i = 0; i < k.offsetBox()->count(); ++i)
                offsets.push_back(k.offsetBox()->itemText(i).toInt());
            EXPECT_EQ(offsets, (std::vector<int>{2, 4, 6, 8, 10, 15, 20}));
            EXPECT_EQ(k.offsetBox()->currentText(), "4");
            test::SavePicture(k.grab().toImage(), QString("keep_cm_%1.png").arg(int(r.type)));
            k.offsetBox()->setCurrentIndex(4);
            k.listBox()->setChecked(true);
            k.underlineBox()->setChecked(false);
            k.stripReleased(StripCell(2));
            form->addSymbolMenu()->actions()[6]->trigger();
            return int(QDialog::Accepted);
        };
        const std::optional<ClosestValues> closest = KeepManualCircle(t.app, r.type);
        ASSERT_TRUE(closest.has_value());
        EXPECT_EQ(*closest, (ClosestValues{10, true, false}));
        ASSERT_EQ(m.lNAdd, 2);
        EXPECT_EQ(m.lAdd[0].nat, r.type);
        EXPECT_EQ(m.lAdd[1].nat, r.type + 1);
        EXPECT_EQ(m.lAdd[0].nco, 2);
        EXPECT_EQ(m.lAdd[1].nsy, 107);
        EXPECT_EQ(m.lAdd[1].b[1], 10);
        EXPECT_EQ(m.lUndoPlot.bfit, r.type);
        EXPECT_EQ(m.lUndoPlot.v2, 2);
        EXPECT_EQ(PanelLines(*first), (std::vector<std::string>{
                                          r.type == '-' ? "14:05 - Small circle (manually fitted)"
                                                        : "14:05 - Great circle (manually fitted)",
                                          r.poleLine}));
        const std::size_t symbolSlot = r.type == '/' ? 47 : static_cast<std::size_t>(r.type + 1);
        EXPECT_EQ(s.TcoAdd[static_cast<std::size_t>(r.type)], 2);
        EXPECT_EQ(s.SyAdd[symbolSlot], 107);
    }

    RunKeepCM() = [](TDlgKeepCM& k) {
        k.stripReleased(StripCell(5));
        return int(QDialog::Rejected);
    };
    first->model().lNAdd = 0;
    EXPECT_FALSE(KeepManualCircle(t.app, '+').has_value());
    EXPECT_EQ(first->model().lNAdd, 0) << "Cancel keeps nothing";
    EXPECT_EQ(s.TcoAdd[43], 5) << "but remembers the colour";
    EXPECT_FALSE(KeepManualCircle(t.app, 'x').has_value());
}

} // namespace
} // namespace ploq

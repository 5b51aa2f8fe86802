#include "app/Main.h"
#include "app/PlaceDialog.h"
#include "canvas/PicturesUi.h"
#include "canvas/TWPlot.h"
#include "datasheet/TWFichier.h"
#include "faults/DlgEnterFaults.h"
#include "faults/FaultCommands.h"
#include "support/SheetUi.h"

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

namespace ploq {
namespace {

struct FaultsDialog : test::SheetUi {
    FaultsDialog()
    {
        // Planes as dip/dip direction, lines as plunge/direction, whole degrees.
        VarGlob& s = t.app.settings();
        s.FrtS = 1;
        s.FrtL = 1;
        s.ShowDeci = false;
    }

    TDlgEnterFaults* openDialog()
    {
        form.run(Cmd::FaultsSheet);
        return qobject_cast<TDlgEnterFaults*>(t.app.dialog(kDlgEnterFaults));
    }

    static void press(QWidget* widget, int key)
    {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(widget, &event);
    }

    static void type(QWidget* widget, const char* text)
    {
        for (const char* c = text; *c; ++c) {
            QKeyEvent event(QEvent::KeyPress, 0, Qt::NoModifier, QString(QChar::fromLatin1(*c)));
            QApplication::sendEvent(widget, &event);
        }
    }

    // Types the pair into the dialog and presses Enter in the fault text.
    static void enterPair(TDlgEnterFaults& d, const char* fault, const char* striae, Sense sense)
    {
        d.faultBox()->setText(fault);
        d.striaeBox()->setText(striae);
        d.senseButton(sense)->setChecked(true);
        press(d.faultBox(), Qt::Key_Return);
    }

    static std::vector<std::string> column(const DataSheet& sheet, Field field)
    {
        std::vector<std::string> texts;
        for (int row = 1; row <= sheet.rowCount(); ++row)
            texts.push_back(sheet.field(row, field));
        return texts;
    }
};

using Texts = std::vector<std::string>;

TEST_F(FaultsDialog, OpensUnderTheMainWindowsToolBarWithAnEmptySheet)
{
    ASSERT_EQ(CurrentSheet(t.app), nullptr);
    form.show();
    TDlgEnterFaults* d = openDialog();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->windowTitle(), "Faults");
    TWFichier* sheet = CurrentSheet(t.app);
    ASSERT_NE(sheet, nullptr);
    EXPECT_TRUE(sheet->sheet().isEmpty());
    EXPECT_EQ(d->numberBox()->text(), "1");
    EXPECT_TRUE(d->senseButton(Sense::Normal)->isChecked());
    EXPECT_EQ(d->addToCodeBox()->text(), "add to code \"nat\"");
    EXPECT_EQ(d->lightCodeBox()->text(), "striae : light \"nat\" code (= L)");
    EXPECT_EQ(d->maxFSBox()->value(), 4);
    EXPECT_EQ(d->letterBox(0)->text() + d->letterBox(1)->text() + d->letterBox(2)->text(), "FMB");
    EXPECT_FALSE(d->tall());

    Placement p;
    const QRect main = form.frameGeometry();
    p.mainWindow = {main.left(), main.top(), main.width(), main.height()};
    p.mainClientTop = form.geometry().top() + form.menuBar()->height();
    const Point place = PlaceDialog(p);
    EXPECT_EQ(d->frameGeometry().topLeft(), QPoint(place.x, place.y));

    // Opened again: the same dialog, on the same sheet, numbering from 1 again.
    d->numberBox()->setText("12");
    EXPECT_EQ(openDialog(), d);
    EXPECT_EQ(CurrentSheet(t.app), sheet);
    EXPECT_EQ(d->numberBox()->text(), "1");
}

TEST_F(FaultsDialog, EnterAddsThePairAndAutoNumbersTheNext)
{
    TDlgEnterFaults* d = openDialog();
    d->autoNumberBox()->setChecked(true);
    d->locationBox()->setText("Quarry");
    d->faultCommentBox()->setText("polished");
    d->striaeCommentBox()->setText("calcite");
    enterPair(*d, "60/090", "30N", Sense::Normal);
    EXPECT_EQ(d->numberBox()->text(), "2");
    EXPECT_EQ(d->faultBox()->text(), "60 / 90");
    EXPECT_EQ(d->striaeBox()->text(), "26 / 16");
    EXPECT_EQ(d->fsLabel()->text(), "F-S angle : 0\u00b0");
    EXPECT_EQ(d->focusWidget(), d->faultBox());

    // The next pair as a plunge with "?", Enter in the striae text; then a whole line.
    d->faultBox()->setText("50/200");
    d->striaeBox()->setText("?/30");
    d->senseButton(Sense::Reverse)->setChecked(true);
    press(d->striaeBox(), Qt::Key_Enter);
    d->addToCodeBox()->setChecked(true);
    d->confidenceButton(Confidence::High)->setChecked(true);
    d->chronologyBox()->setValue(2);
    // 0.5 degrees off the plane: sin(0.52) = sin(3) sin(10).
    enterPair(*d, "80/090", "3/000", Sense::Dextral);
    EXPECT_EQ(d->fsLabel()->text(), "F-S angle : 0.5\u00b0");

    const DataSheet& sheet = CurrentSheet(t.app)->sheet();
    EXPECT_EQ(column(sheet, Field::Nature),
              (Texts{"FN..", "LN..", "FR..", "LR..", "FDB2", "LDB2"}));
    EXPECT_EQ(column(sheet, Field::Number), (Texts{"1", "1", "2", "2", "3", "3"}));
    EXPECT_EQ(column(sheet, Field::Location), Texts(6, "Quarry"));
    EXPECT_EQ(column(sheet, Field::Comment),
              (Texts{"polished", "calcite", "polished", "calcite", "polished", "calcite"}));
    EXPECT_EQ(sheet.field(1, Field::Value), "60 / 90");
    EXPECT_EQ(sheet.field(2, Field::Value), "26 / 16");
    EXPECT_EQ(sheet.field(6, Field::Value), "3 / 0");
    EXPECT_EQ(sheet.cell(6, 0), "006");
    EXPECT_TRUE(sheet.lDirty);
    for (int row = 1; row <= 6; row += 2)
        EXPECT_LT(std::fabs(Dot(DirToVec({sheet.ltAz[row], sheet.ltPe[row]}),
                                DirToVec({sheet.ltAz[row + 1], sheet.ltPe[row + 1]}))),
                  row == 5 ? 0.011 : 1e-9);
    EXPECT_EQ(d->numberBox()->text(), "4");
    test::SavePicture(d->grab().toImage(), "faults-dialog.png");
    test::SavePicture(CurrentSheet(t.app)->grab().toImage(), "faults-sheet.png");
}

TEST_F(FaultsDialog, TheKeysMoveBetweenNumberFaultAndStriae)
{
    TDlgEnterFaults* d = openDialog();
    const std::tuple<QWidget*, int, QWidget*> moves[] = {
        {d->numberBox(), Qt::Key_Down, d->faultBox()},
        {d->faultBox(), Qt::Key_Down, d->striaeBox()},
        {d->striaeBox(), Qt::Key_Down, d->faultBox()},
        {d->faultBox(), Qt::Key_Up, d->numberBox()},
        {d->striaeBox(), Qt::Key_Up, d->faultBox()}};
    for (const auto& [from, key, to] : moves) {
        from->setFocus();
        press(from, key);
        EXPECT_EQ(d->focusWidget(), to);
    }
}

TEST_F(FaultsDialog, APairIsTypedWithTheKeyboardAlone)
{
    // The fault, Tab to its sense, an arrow to the next sense, Tab to the striae, Enter.
    TDlgEnterFaults* d = openDialog();
    // The arrows move between the senses of the active window only.
    d->activateWindow();
    QCoreApplication::processEvents();
    ASSERT_EQ(QApplication::focusWidget(), d->faultBox());
    type(d->faultBox(), "50/200");
    press(d->faultBox(), Qt::Key_Tab);
    EXPECT_EQ(d->focusWidget(), d->senseButton(Sense::Normal));
    press(d->senseButton(Sense::Normal), Qt::Key_Right);
    EXPECT_TRUE(d->senseButton(Sense::Reverse)->isChecked());
    press(d->focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(d->focusWidget(), d->striaeBox());
    type(d->striaeBox(), "?/30");
    press(d->striaeBox(), Qt::Key_Return);

    const DataSheet& sheet = CurrentSheet(t.app)->sheet();
    EXPECT_EQ(column(sheet, Field::Nature), (Texts{"FR..", "LR.."}));
    EXPECT_EQ(column(sheet, Field::Value), (Texts{"50 / 200", "30 / 261"}));
    EXPECT_EQ(d->focusWidget(), d->faultBox());
    // Shift+Tab goes back up the same way.
    press(d->faultBox(), Qt::Key_Backtab);
    EXPECT_EQ(d->focusWidget(), d->autoNumberBox());
}

TEST_F(FaultsDialog, TheNumberCountsUpOrDownAndStartsWithADigit)
{
    TDlgEnterFaults* d = openDialog();
    d->numberBox()->setText("12a");
    d->plusButton()->click();
    EXPECT_EQ(d->numberBox()->text(), "13a");
    d->toggleButton()->click();
    EXPECT_EQ(d->plusButton()->text(), "-1");
    d->plusButton()->click();
    d->plusButton()->click();
    EXPECT_EQ(d->numberBox()->text(), "11a");
    d->toggleButton()->click();
    EXPECT_EQ(d->plusButton()->text(), "+1");

    t.prompts.expectMessage("Fault number must be a positive number");
    d->numberBox()->setText("-4");
    EXPECT_EQ(d->numberBox()->text(), "1");
    t.prompts.expectMessage("First digit of the fault number must be a number (1 to 9)");
    d->numberBox()->setText("b7");
    EXPECT_EQ(d->numberBox()->text(), "1");
    EXPECT_TRUE(t.prompts.allAnswered());

    // Counting down with "auto".
    d->autoNumberBox()->setChecked(true);
    d->toggleButton()->click();
    d->numberBox()->setText("5");
    enterPair(*d, "60/090", "30N", Sense::Normal);
    EXPECT_EQ(d->numberBox()->text(), "4");
}

TEST_F(FaultsDialog, EachRefusalLeavesTheSheetAsItWas)
{
    TDlgEnterFaults* d = openDialog();
    enterPair(*d, "60/090", "30N", Sense::Normal);
    TWFichier* window = CurrentSheet(t.app);
    window->sheet().lDirty = false;
    const SavedRow before = window->sheet().savedRow(2);

    struct Case {
        const char* number;
        const char* fault;
        const char* striae;
        Sense sense;
        const char* message; // empty: the question answered No
        QWidget* focus;
    };
    const Case cases[] = {
        {"", "60/090", "30N", Sense::Normal, "fault number is mandatory !", d->numberBox()},
        {"2", "60/400", "30N", Sense::Normal, "60/400 : strike cannot exceed 360", d->faultBox()},
        {"2", "90/090", "30N", Sense::Normal, "a reverse or normal fault can't dip at 90",
         d->faultBox()},
        {"2", "60/090", "95N", Sense::Normal, "striae 95N: error of format", d->striaeBox()},
        {"2", "60/090", "70/090", Sense::Normal, "F-S angle = 10.0", d->striaeBox()},
        {"2", "0/090", "30N", Sense::Normal, "", d->faultBox()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault + std::string(" ") + c.striae);
        d->numberBox()->setText(c.number);
        if (*c.message)
            t.prompts.expectMessage(c.message);
        else
            t.prompts.expectMessage("Dip of the fault is zero value", Button::No);
        enterPair(*d, c.fault, c.striae, c.sense);
        EXPECT_TRUE(t.prompts.allAnswered());
        EXPECT_EQ(window->sheet().rowCount(), 2);
        EXPECT_EQ(window->sheet().savedRow(2), before);
        EXPECT_FALSE(window->sheet().lDirty);
        EXPECT_EQ(d->focusWidget(), c.focus);
    }
    // A bad striae keeps the fault for correction, written in the notation.
    d->numberBox()->setText("2");
    t.prompts.expectMessage("error of format");
    enterPair(*d, "60.0/090", "thirty", Sense::Normal);
    EXPECT_EQ(d->faultBox()->text(), "60.0 / 90.0");
    EXPECT_EQ(d->striaeBox()->text(), "thirty");
}

TEST_F(FaultsDialog, ASheetWithRoomForOneRowTakesNoPair)
{
    TDlgEnterFaults* d = openDialog();
    TWFichier* window = CurrentSheet(t.app);
    DataSheet& sheet = window->sheet();
    sheet.setField(1, Field::Nature, "S0");
    sheet.setRowCount(kMaxValues - 1);
    sheet.Numeroter();
    window->sheetChanged();
    t.prompts.expectMessage("Maximum data sheet  size reached (5000)");
    enterPair(*d, "60/090", "30N", Sense::Normal);
    EXPECT_TRUE(t.prompts.allAnswered());
    EXPECT_EQ(sheet.rowCount(), kMaxValues - 1);
    EXPECT_EQ(sheet.field(kMaxValues - 1, Field::Nature), "");
}

TEST_F(FaultsDialog, APairGoesToTheCurrentSheetOrANewOne)
{
    TDlgEnterFaults* d = openDialog();
    TWFichier* first = CurrentSheet(t.app);
    close(first);
    ASSERT_EQ(CurrentSheet(t.app), nullptr);
    enterPair(*d, "60/090", "30N", Sense::Sinistral);
    TWFichier* made = CurrentSheet(t.app);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(column(made->sheet(), Field::Nature), (Texts{"FS..", "LS.."}));

    TWFichier* other = newSheet();
    enterPair(*d, "60/090", "30N", Sense::Dextral);
    EXPECT_EQ(column(other->sheet(), Field::Nature), (Texts{"FD..", "LD.."}));
    EXPECT_EQ(made->sheet().rowCount(), 2);
}

TEST_F(FaultsDialog, WithAllSheetsOpenThePairGoesToTheCurrentOne)
{
    std::vector<TWFichier*> sheets;
    for (int i = 0; i < kMaxWindows; ++i)
        sheets.push_back(newSheet());
    t.app.activateWindow(*sheets[3]);
    TDlgEnterFaults* d = openDialog();
    EXPECT_EQ(t.app.registry().count(WindowKind::Sheet), kMaxWindows);
    enterPair(*d, "60/090", "30N", Sense::Dextral);
    EXPECT_TRUE(t.prompts.messages().empty()) << t.prompts.messages().front().text;
    EXPECT_EQ(column(sheets[3]->sheet(), Field::Nature), (Texts{"FD..", "LD.."}));
    for (TWFichier* other : {sheets[0], sheets[14]})
        EXPECT_TRUE(other->sheet().isEmpty());
}

TEST_F(FaultsDialog, RemembersItsChoicesThroughThePreferenceFile)
{
    VarGlob& s = t.app.settings();
    s.OptFltCodes = "XYZ61";
    s.MaxFS = 7;
    for (int bit : {kFltTall, kFltAutoNumber, kFltAutoComment, kFltChronoCode, kFltStriaeL})
        SetBit(s.StyleFlt, bit, true);
    TDlgEnterFaults* d = openDialog();
    EXPECT_EQ(d->letterBox(0)->text() + d->letterBox(1)->text() + d->letterBox(2)->text(), "XYZ");
    EXPECT_TRUE(d->confidenceButton(Confidence::Normal)->isChecked());
    EXPECT_EQ(d->maxFSBox()->value(), 7);
    for (QCheckBox* box :
         {d->autoNumberBox(), d->autoCommentBox(), d->addToCodeBox(), d->lightCodeBox()})
        EXPECT_TRUE(box->isChecked()) << box->text().toStdString();
    EXPECT_TRUE(d->tall());
    test::SavePicture(d->grab().toImage(), "faults-dialog-tall.png");

    // With "auto", the striae comment follows the fault comment as it is typed.
    d->faultCommentBox()->setText("p");
    d->faultCommentBox()->textEdited("p");
    EXPECT_EQ(d->striaeCommentBox()->text(), "p");

    d->letterBox(0)->setText("a");
    d->letterBox(1)->setText("b");
    d->letterBox(2)->clear();
    d->confidenceButton(Confidence::Low)->setChecked(true);
    d->maxFSBox()->setValue(12);
    d->autoNumberBox()->setChecked(false);
    d->lightCodeBox()->setChecked(false);
    d->optionsArrow()->click();
    EXPECT_FALSE(d->tall());
    d->close();
    flush();
    EXPECT_EQ(t.app.dialog(kDlgEnterFaults), nullptr);
    EXPECT_EQ(s.OptFltCodes, "abB50");
    EXPECT_EQ(s.MaxFS, 12);
    EXPECT_FALSE(TestBit(s.StyleFlt, kFltTall));
    EXPECT_FALSE(TestBit(s.StyleFlt, kFltAutoNumber));
    EXPECT_TRUE(TestBit(s.StyleFlt, kFltAutoComment));
    EXPECT_TRUE(TestBit(s.StyleFlt, kFltChronoCode));
    EXPECT_FALSE(TestBit(s.StyleFlt, kFltStriaeL));

    std::stringstream file;
    SavePrefs(s, file, 0);
    VarGlob loaded;
    ASSERT_TRUE(LoadPrefs(loaded, file, {}).empty());
    s = loaded;
    d = openDialog();
    EXPECT_EQ(d->letterBox(0)->text() + d->letterBox(1)->text() + d->letterBox(2)->text(), "abB");
    EXPECT_TRUE(d->confidenceButton(Confidence::Low)->isChecked());
    EXPECT_EQ(d->maxFSBox()->value(), 12);
    EXPECT_FALSE(d->autoNumberBox()->isChecked());
    EXPECT_TRUE(d->addToCodeBox()->isChecked());
    EXPECT_FALSE(d->tall());
}

InfoVal record(const char* nature, const char* number)
{
    InfoVal v;
    v.na = nature;
    v.nu = number;
    v.inf = 1;
    return v;
}

TEST_F(FaultsDialog, TheCanvasCheckTakesTheLatestStereonetAndBringsItToFront)
{
    EXPECT_EQ(CheckedFaultCanvas(t.app), nullptr);
    TWPlot* faults = NewWP(t.app, kWPOrdinary);
    for (const auto& [nature, number] :
         {std::pair{"FN..", "1"}, {"LN..", "1"}, {"F", "2"}, {"L", "2"}})
        faults->model().AddRecord(record(nature, number));
    TWPlot* odd = NewWP(t.app, kWPOrdinary);
    odd->model().AddRecord(record("FN..", "1"));
    NewWP(t.app, kWPStats2D); // a diagram is no stereonet

    t.prompts.expectMessage("Odd number of values in the canvas");
    EXPECT_EQ(CheckedFaultCanvas(t.app), nullptr);
    EXPECT_EQ(ActiveCanvas(t.app), odd);

    t.app.activateWindow(*faults);
    NewWP(t.app, kWPStats2D);
    t.prompts.expectMessage("unknown sense of movement for 1 fault(s)");
    EXPECT_EQ(CheckedFaultCanvas(t.app), faults);
    EXPECT_EQ(ActiveCanvas(t.app), faults) << "brought to front";
    EXPECT_TRUE(t.prompts.allAnswered());
}

TEST_F(FaultsDialog, TheSheetCheckNamesTheRowAtFault)
{
    EXPECT_EQ(CheckedFaultSheet(t.app), nullptr);
    TWFichier* sheet = newSheet();
    enter(*sheet, {"FN..", "60/090", "1", "", ""});
    enter(*sheet, {"LN..", "26/016", "1", "", ""});
    EXPECT_EQ(CheckedFaultSheet(t.app), sheet);
    enter(*sheet, {"P", "40/120", "2", "", ""});
    enter(*sheet, {"L", "26/016", "2", "", ""});
    t.prompts.expectMessage("Error on the data n\xB0"
                            "3 : may be not a fault ?");
    EXPECT_EQ(CheckedFaultSheet(t.app), nullptr);
    ASSERT_EQ(t.prompts.messages().size(), 1u);
    EXPECT_EQ(t.prompts.messages().back().at, sheet->messagePlace());
}

} // namespace
} // namespace ploq

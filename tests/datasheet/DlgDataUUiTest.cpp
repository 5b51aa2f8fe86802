// The find/change/select dialog driven through its slots with scripted prompts: the three
// layouts, its choices kept in the settings, its warnings and where they open, finding with
// F3, changing and undoing, and the sheets that selections make. The pictures are kept
// (pictures/datau_*.png).

#include "canvas/PicturesUi.h"
#include "datasheet/DlgDataU.h"
#include "platform/QtText.h"
#include "support/SheetUi.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>

namespace ploq {
namespace {

using test::RowTexts;

struct DataUUi : test::SheetUi {
    using test::SheetUi::open;

    // A sheet of these rows, current, titled by its slot.
    TWFichier* sheetOf(const std::vector<RowTexts>& rows)
    {
        DataSheet sheet = NewDataSheet(t.app.settings());
        for (const RowTexts& r : rows)
            test::EnterRow(sheet, r);
        return NewSheet(t.app, &form, std::move(sheet));
    }

    // Rows S, S12, SS, L, s1 of planes and a line, numbered 1..5.
    TWFichier* naturesSheet()
    {
        return sheetOf({{"S", "120 SW 10", "1", "Col", ""},
                        {"S12", "30 E 50", "2", "Col", ""},
                        {"SS", "10 W 80", "3", "Pic", ""},
                        {"L", "45 NE 30", "4", "Pic", ""},
                        {"s1", "170 W 20", "5", "Col", ""}});
    }

    TDlgDataU* open(Cmd cmd)
    {
        form.run(cmd);
        return qobject_cast<TDlgDataU*>(t.app.dialog(kDlgDataU));
    }

    static void search(TDlgDataU& d, Field field, const char* text)
    {
        d.columnButton(static_cast<int>(field))->click();
        d.searchBox()->setEditText(QString::fromLatin1(text));
    }

    static std::vector<std::string> natures(const TWFichier& sheet)
    {
        std::vector<std::string> n;
        for (int row = 1; row <= sheet.sheet().rowCount(); ++row)
            n.push_back(sheet.sheet().field(row, Field::Nature));
        return n;
    }

    static QPoint at(const Point& p) { return {p.x, p.y}; }

    static void pressF3(TDlgDataU& d)
    {
        QApplication::setActiveWindow(&d);
        d.searchBox()->setFocus();
        QTest::keyClick(d.searchBox()->lineEdit(), Qt::Key_F3);
    }
};

TEST_F(DataUUi, ThreeLayouts)
{
    naturesSheet();
    struct Case {
        Cmd cmd;
        int height;
        const char* title;
        const char* button1;
        bool keep, lines, move, caseBox, change, val;
    };
    const Case cases[] = {
        {Cmd::UtilSelect, 263, "Select", "Select", true, true, false, false, false, true},
        {Cmd::UtilFind, 214, "Find", "Find", false, false, true, true, false, true},
        {Cmd::UtilChange, 198, "Change", "Find", false, false, true, true, true, false},
    };
    for (const Case& c : cases) {
        TDlgDataU* d = open(c.cmd);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(t.app.dialog(kDlgDataU), d);
        EXPECT_FALSE(d->isModal());
        EXPECT_EQ(d->height(), c.height) << c.title;
        EXPECT_EQ(d->minimumHeight(), d->maximumHeight()) << "fixed size";
        EXPECT_EQ(d->windowTitle(), c.title);
        EXPECT_EQ(d->searchLabel()->text(), QString(c.title) + " :");
        EXPECT_EQ(d->button1()->text(), c.button1);
        EXPECT_EQ(d->sheetLabel()->text(), toQString(CurrentSheet(t.app)->title()));
        EXPECT_EQ(d->keepGroup()->isVisible(), c.keep) << c.title;
        EXPECT_EQ(d->linesGroup()->isVisible(), c.lines) << c.title;
        EXPECT_EQ(d->moveGroup()->isVisible(), c.move) << c.title;
        EXPECT_EQ(d->caseBox()->isVisible(), c.caseBox) << c.title;
        for (QWidget* w : std::initializer_list<QWidget*>{d->changeLabel(), d->changeBox(),
                                                          d->changeButton(), d->changeAllButton()})
            EXPECT_EQ(w->isVisible(), c.change) << c.title;
        EXPECT_EQ(d->valGroup()->isVisible(), c.val) << c.title;
        EXPECT_EQ(d->onGroup(0)->isVisible(), c.val) << "quadrant notation: Az, Pe, Sens";
        EXPECT_FALSE(d->onGroup(1)->isVisible());
        for (QWidget* w : d->findChildren<QWidget*>()) {
            if (w->isVisible() && w->parentWidget() == d) {
                EXPECT_LE(w->geometry().bottom(), c.height) << c.title;
            }
        }
        if (c.lines) {
            EXPECT_EQ(d->toBox()->text(), "5");
        }
        test::SavePicture(d->grab().toImage(), QString("datau_%1.png").arg(c.title).toLower());
    }
    // Column captions are the headings of the fields.
    const TDlgDataU* d = qobject_cast<TDlgDataU*>(t.app.dialog(kDlgDataU));
    const char* headings[] = {"val", "nat", "num", "loc", "com"};
    for (int f = 0; f < kFieldCount; ++f)
        EXPECT_EQ(d->columnButton(f)->text(), headings[f]);
}

TEST_F(DataUUi, OnGroupFollowsTheNotationOfTheKind)
{
    DataSheet sheet = NewDataSheet(t.app.settings());
    sheet.lFrtS = 1; // planes dip/direction, lines in quadrant notation
    sheet.lFrtL = 0;
    NewSheet(t.app, &form, std::move(sheet));
    TDlgDataU* d = open(Cmd::UtilFind);
    d->valButton(0)->click(); // L
    EXPECT_TRUE(d->onGroup(0)->isVisible());
    EXPECT_FALSE(d->onGroup(1)->isVisible());
    d->valButton(1)->click(); // S
    EXPECT_FALSE(d->onGroup(0)->isVisible());
    EXPECT_TRUE(d->onGroup(1)->isVisible());
    EXPECT_EQ(d->onGroup(1)->x(), d->valGroup()->geometry().right() + 6);
}

TEST_F(DataUUi, ChoicesKeptInTheSettings)
{
    naturesSheet();
    TDlgDataU* d = open(Cmd::UtilSelect);
    d->caseBox()->setChecked(false);
    d->fullWordBox()->setChecked(true);
    d->upButton()->setChecked(true);
    d->keepButton(1)->setChecked(true);
    d->valButton(1)->click();
    d->onButton(0, 2)->setChecked(true); // Sens
    d->columnButton(3)->click();
    d->close();
    flush();
    const std::int32_t o = t.app.settings().OptDataU;
    const std::pair<int, bool> bits[] = {
        {2, false},  {3, true},   {4, false},  {5, false},  {8, false}, {9, false}, {10, true},
        {11, false}, {12, false}, {13, false}, {14, false}, {15, true}, {16, false}};
    for (const auto& [bit, set] : bits)
        EXPECT_EQ(TestBit(o, bit), set) << bit;
    EXPECT_TRUE(TestBit(o, 0) == TestBit(6272, 0)) << "bits of other dialogs left alone";

    d = open(Cmd::UtilFind);
    EXPECT_FALSE(d->caseBox()->isChecked());
    EXPECT_TRUE(d->fullWordBox()->isChecked());
    EXPECT_TRUE(d->upButton()->isChecked());
    EXPECT_TRUE(d->keepButton(1)->isChecked());
    EXPECT_TRUE(d->valButton(1)->isChecked());
    EXPECT_TRUE(d->onButton(0, 2)->isChecked());
    EXPECT_TRUE(d->onButton(1, 0)->isChecked()) << "Sens sets only the first group";
    EXPECT_TRUE(d->columnButton(3)->isChecked());
    d->close();
    flush();

    // Pe sets both groups; no column bit of 12..15 means the comment column.
    t.app.settings().OptDataU = 1 << 9;
    d = open(Cmd::UtilFind);
    EXPECT_TRUE(d->onButton(0, 1)->isChecked());
    EXPECT_TRUE(d->onButton(1, 1)->isChecked());
    EXPECT_TRUE(d->columnButton(4)->isChecked());
    EXPECT_TRUE(d->upButton()->isChecked());
}

TEST_F(DataUUi, WarningsAndWhereTheyOpen)
{
    naturesSheet();
    TDlgDataU* d = open(Cmd::UtilFind);
    const QPoint box = d->searchBox()->mapToGlobal(QPoint(0, 0));
    struct Case {
        Field field;
        const char* text;
        const char* warning;
    };
    const Case cases[] = {
        {Field::Nature, "", "No value has been given..."},
        {Field::Location, "Zermatt1234", "String 'Zermatt12' not found"},
        {Field::Value, ">170", "No azimut fitting the given criteria (>170)"},
    };
    for (const Case& c : cases) {
        search(*d, c.field, c.text);
        if (c.field == Field::Value)
            d->valButton(1)->click();
        t.prompts.expectMessage(c.warning);
        d->Button1Click();
        ASSERT_TRUE(t.prompts.allAnswered()) << c.warning;
        const Message& m = t.prompts.messages().back();
        EXPECT_EQ(m.text, c.warning);
        EXPECT_EQ(m.kind, MsgKind::Warning);
        ASSERT_TRUE(m.at);
        EXPECT_EQ(at(*m.at), box + QPoint(30, 50));
    }

    // Change mode: the value column cannot be changed; an empty replacement is asked about.
    d = open(Cmd::UtilChange);
    const QPoint change = d->changeBox()->mapToGlobal(QPoint(0, 0));
    search(*d, Field::Value, "S");
    EXPECT_FALSE(d->changeButton()->isEnabled());
    EXPECT_FALSE(d->button1()->isEnabled());
    t.prompts.expectMessage("Not possible to change the value this way...");
    d->ChangeAllClick();
    EXPECT_EQ(at(*t.prompts.messages().back().at), change + QPoint(30, 50));
    search(*d, Field::Nature, "S");
    EXPECT_TRUE(d->changeAllButton()->isEnabled());
    d->changeBox()->clear();
    TWFichier* sheet = CurrentSheet(t.app);
    const std::vector<std::string> before = natures(*sheet);
    t.prompts.expectMessage("Change 'S' for an empty string ?", Button::Cancel);
    d->ChangeAllClick();
    EXPECT_EQ(t.prompts.messages().back().kind, MsgKind::Confirmation);
    EXPECT_EQ(at(*t.prompts.messages().back().at), change + QPoint(30, 50));
    EXPECT_EQ(natures(*sheet), before) << "Cancel changes nothing";
    t.prompts.expectMessage("Change 'S' for an empty string ?", Button::Yes);
    d->fullWordBox()->setChecked(true);
    d->ChangeAllClick();
    EXPECT_EQ(natures(*sheet), (std::vector<std::string>{"", "S12", "SS", "L", "s1"}));
}

TEST_F(DataUUi, FindWithF3TurnsAroundAtTheEnd)
{
    TWFichier* sheet = naturesSheet();
    sheet->gridEditBox()->setChecked(true);
    TDlgDataU* d = open(Cmd::UtilFind);
    search(*d, Field::Location, "pic");
    d->caseBox()->setChecked(false);
    d->downButton()->setChecked(true);
    pressF3(*d);
    EXPECT_FALSE(sheet->gridEditBox()->isChecked()) << "the found cell must show";
    const int location = sheet->sheet().columnOf(Field::Location);
    auto selected = [&] {
        const TWFichier::Selection s = sheet->selection();
        return std::pair{s.top, s.left};
    };
    EXPECT_EQ(selected(), std::pair(3, location));
    EXPECT_TRUE(d->sheetChecked());
    d->Button1Click();
    EXPECT_EQ(selected(), std::pair(4, location));
    d->Button1Click();
    EXPECT_EQ(selected(), std::pair(4, location)) << "nothing below: nothing newly selected";
    EXPECT_TRUE(d->upButton()->isChecked());
    d->Button1Click();
    EXPECT_EQ(selected(), std::pair(3, location));
    EXPECT_TRUE(t.prompts.messages().empty());

    // Only a new text or new rules call for the check again; another column does not.
    d->columnButton(1)->click();
    EXPECT_TRUE(d->sheetChecked());
    d->fullWordBox()->click();
    EXPECT_FALSE(d->sheetChecked());
    t.prompts.expectMessage("String 'pic' not found");
    d->Button1Click();
    d->caseBox()->click();
    EXPECT_FALSE(d->sheetChecked());
    t.prompts.expectMessage("String 'pic' not found");
    d->Button1Click();
    QTest::keyClicks(d->searchBox()->lineEdit(), "x");
    EXPECT_FALSE(d->sheetChecked());
}

TEST_F(DataUUi, FoundRowScrolledIntoView)
{
    std::vector<RowTexts> rows(300, {"L", "45 NE 30", "1", "", ""});
    rows.back().location = "far";
    TWFichier* sheet = sheetOf(rows);
    sheet->resize(500, 400);
    QCoreApplication::processEvents();
    TDlgDataU* d = open(Cmd::UtilFind);
    search(*d, Field::Location, "far");
    d->downButton()->setChecked(true);
    d->Button1Click();
    QTableView* grid = sheet->grid();
    EXPECT_EQ(sheet->selection().top, 300);
    EXPECT_EQ(grid->rowAt(grid->viewport()->height() - 1), 299) << "the last visible row";
    sheet->showFoundCell(2, 1);
    EXPECT_EQ(grid->rowAt(0), 1) << "the first visible row";
    const int top = grid->rowAt(0);
    sheet->showFoundCell(4, 1);
    EXPECT_EQ(grid->rowAt(0), top) << "a visible row does not scroll";
}

TEST_F(DataUUi, ChangeAllThenCancelGivesTheSheetBack)
{
    TWFichier* sheet = naturesSheet();
    const DataSheet before = sheet->sheet();
    TDlgDataU* d = open(Cmd::UtilChange);
    search(*d, Field::Nature, "S");
    d->changeBox()->setText("F");
    d->ChangeAllClick();
    EXPECT_EQ(natures(*sheet), (std::vector<std::string>{"F", "F12", "FS", "L", "F1"}));
    EXPECT_TRUE(sheet->sheet().lDirty);
    EXPECT_TRUE(sheet->isWindowModified());
    const QModelIndex shown =
        sheet->grid()->model()->index(1, sheet->sheet().columnOf(Field::Nature) - 1);
    EXPECT_EQ(shown.data().toString(), "F12");
    d->CancelClick();
    EXPECT_TRUE(d->isVisible()) << "Cancel undoes in Change mode";
    test::ExpectSameRows(sheet->sheet(), before);
    for (int row = 1; row <= before.rowCount(); ++row)
        EXPECT_EQ(sheet->sheet().lMod[static_cast<std::size_t>(row)],
                  before.lMod[static_cast<std::size_t>(row)]);
    EXPECT_EQ(sheet->grid()->model()->index(1, shown.column()).data().toString(), "S12");
}

// "Change" writes the selected row only when it holds the text, and searches on.
TEST_F(DataUUi, ChangeOnlyWhatMatchesThenSearchOn)
{
    TWFichier* sheet = naturesSheet();
    TDlgDataU* d = open(Cmd::UtilChange);
    search(*d, Field::Nature, "S");
    d->fullWordBox()->setChecked(true);
    d->downButton()->setChecked(true);
    d->changeBox()->setText("F");
    sheet->GrilleClick(4, sheet->sheet().columnOf(Field::Nature)); // the user picks the line
    d->ChangeClick();
    EXPECT_EQ(natures(*sheet), (std::vector<std::string>{"S", "S12", "SS", "L", "s1"}));
    EXPECT_EQ(sheet->selection().top, 4) << "searched on from row 4: nothing below";
    EXPECT_TRUE(d->upButton()->isChecked());
    d->Button1Click();
    EXPECT_EQ(sheet->selection().top, 1);
    d->ChangeClick();
    EXPECT_EQ(natures(*sheet), (std::vector<std::string>{"F", "S12", "SS", "L", "s1"}));
    // Case sensitive off: s1 is found and changed as Find found it.
    d->fullWordBox()->setChecked(false);
    d->caseBox()->setChecked(false);
    d->downButton()->setChecked(true);
    sheet->GrilleClick(5, sheet->sheet().columnOf(Field::Nature));
    d->ChangeClick();
    EXPECT_EQ(sheet->sheet().field(5, Field::Nature), "F1");
    d->CancelClick();
    EXPECT_EQ(natures(*sheet), (std::vector<std::string>{"S", "S12", "SS", "L", "s1"}));
}

// Cancel touches only the cells it wrote, in sheets still open, even after the current sheet
// changed.
TEST_F(DataUUi, CancelAfterAnotherSheetBecameCurrent)
{
    TWFichier* first = naturesSheet();
    TDlgDataU* d = open(Cmd::UtilChange);
    search(*d, Field::Nature, "S");
    d->fullWordBox()->setChecked(true);
    d->changeBox()->setText("P");
    d->ChangeAllClick();
    TWFichier* second = naturesSheet();
    d->ChangeAllClick();
    ASSERT_EQ(natures(*second)[0], "P");
    first->sheet().setField(1, Field::Nature, "B"); // typed over since
    second->FormActivate();
    d->CancelClick();
    EXPECT_EQ(natures(*first)[0], "B");
    EXPECT_EQ(natures(*second)[0], "S");
    t.prompts.expectMessage("modified and non saved", Button::No);
    close(second);
    EXPECT_EQ(t.app.dialog(kDlgDataU), nullptr) << "closing a sheet closes the dialog";
}

TEST_F(DataUUi, SelectIntoNewSheets)
{
    TWFichier* source = naturesSheet();
    const std::string title = source->title();
    TDlgDataU* d = open(Cmd::UtilSelect);
    // Planes dipping 40..60 or more.
    search(*d, Field::Value, "40-90");
    d->keepButton(0)->setChecked(true);
    d->valButton(1)->click();
    d->onButton(0, 1)->setChecked(true);
    d->Button1Click();
    TWFichier* made = CurrentSheet(t.app);
    ASSERT_NE(made, source);
    EXPECT_EQ(made->title(), "40-90 (selected in " + title + ")");
    EXPECT_EQ(natures(*made), (std::vector<std::string>{"S12", "SS"}));
    EXPECT_TRUE(made->sheet().lDirty);

    // Other lines of nature S, MatchCode refusing them.
    source->FormActivate();
    search(*d, Field::Nature, "S");
    d->keepButton(1)->setChecked(true);
    d->Button1Click();
    EXPECT_EQ(CurrentSheet(t.app)->title(), title + " (except S)");
    EXPECT_EQ(natures(*CurrentSheet(t.app)), (std::vector<std::string>{"L", "s1"}));

    // A range of lines, and one refused.
    source->FormActivate();
    d->fromBox()->setText("4");
    d->toBox()->setText("2");
    d->SelectLinesClick();
    EXPECT_EQ(natures(*CurrentSheet(t.app)), (std::vector<std::string>{"S12", "SS", "L"}));
    source->FormActivate();
    const std::size_t open = OpenSheets(t.app).size();
    d->fromBox()->setText("x");
    t.prompts.expectMessage("'x' is not an integer (from line)");
    d->SelectLinesClick();
    d->fromBox()->setText("6");
    d->toBox()->setText("9");
    t.prompts.expectMessage("No line from 6 to 9 in the data sheet (lines 1 to 5)");
    d->SelectLinesClick();
    EXPECT_EQ(OpenSheets(t.app).size(), open);
    EXPECT_EQ(CurrentSheet(t.app), source);
}

TEST_F(DataUUi, NoFreeSlotTouchesNothing)
{
    TWFichier* source = naturesSheet();
    for (int i = 1; i < kMaxWindows; ++i)
        newSheet();
    source->FormActivate();
    TDlgDataU* d = open(Cmd::UtilSelect);
    search(*d, Field::Nature, "S");
    t.prompts.expectMessage("maximum number of data sheets");
    d->Button1Click();
    t.prompts.expectMessage("maximum number of data sheets");
    d->SelectLinesClick();
    EXPECT_EQ(CurrentSheet(t.app), source);
    EXPECT_EQ(OpenSheets(t.app).size(), static_cast<std::size_t>(kMaxWindows));
}

TEST_F(DataUUi, NothingWithoutASheet)
{
    form.run(Cmd::UtilFind);
    EXPECT_EQ(t.app.dialog(kDlgDataU), nullptr);
    TWFichier* sheet = naturesSheet();
    TDlgDataU* d = open(Cmd::UtilFind);
    EXPECT_EQ(t.app.registry().ActiveTag, kDlgDataU);
    EXPECT_EQ(CurrentSheet(t.app), sheet);
    d->columnButton(3)->click();
    EXPECT_EQ(d->searchBox()->count(), 2) << "Col, Pic";
    EXPECT_EQ(d->searchBox()->itemText(1), "Pic");
    d->CancelClick();
    flush();
    EXPECT_EQ(t.app.dialog(kDlgDataU), nullptr) << "Cancel closes outside Change mode";
}

} // namespace
} // namespace ploq

namespace ploq {
namespace {

// As a user would: an example sheet opened, a code found with F3, every plane's nature changed
// and the change cancelled, then the planes dipping 30 to 50 degrees selected into a new sheet.
TEST_F(DataUUi, EndToEndOnTheFoldedArea)
{
    TWFichier* sheet = open(std::string(PLOQ_EXAMPLES) + "/folded-area.plq");
    ASSERT_NE(sheet, nullptr);
    sheet->resize(560, 520);
    const DataSheet before = sheet->sheet();
    auto picture = [&](QWidget& w, const char* name) {
        test::SavePicture(w.grab().toImage(), QString("datau_e2e_%1.png").arg(name));
    };

    TDlgDataU* d = open(Cmd::UtilFind);
    search(*d, Field::Nature, "L1");
    d->fullWordBox()->setChecked(true);
    d->downButton()->setChecked(true);
    // A loaded sheet has its last row selected: the user starts from the first.
    sheet->GrilleClick(1, 0);
    pressF3(*d);
    const int found = sheet->selection().top;
    ASSERT_GT(found, 0);
    EXPECT_EQ(sheet->sheet().field(found, Field::Nature), "L1");
    for (int row = 1; row < found; ++row)
        EXPECT_NE(sheet->sheet().field(row, Field::Nature), "L1") << "the first one";
    picture(*sheet, "1_found_sheet");
    picture(*d, "1_found_dialog");

    d = open(Cmd::UtilChange);
    search(*d, Field::Nature, "S0");
    d->changeBox()->setText("S1");
    d->ChangeAllClick();
    int planes = 0;
    for (int row = 1; row <= sheet->sheet().rowCount(); ++row) {
        EXPECT_NE(sheet->sheet().field(row, Field::Nature), "S0");
        planes += before.field(row, Field::Nature) == "S0" ? 1 : 0;
    }
    ASSERT_GT(planes, 0);
    picture(*sheet, "2_changed_sheet");
    picture(*d, "2_changed_dialog");
    d->CancelClick();
    test::ExpectSameRows(sheet->sheet(), before);
    picture(*sheet, "3_cancelled_sheet");

    d = open(Cmd::UtilSelect);
    search(*d, Field::Value, "30-50");
    d->valButton(1)->click();
    d->fullWordBox()->setChecked(false);
    d->keepButton(0)->setChecked(true);
    const int group = sheet->sheet().lFrtS == 0 ? 0 : 1;
    ASSERT_TRUE(d->onGroup(group)->isVisible());
    d->onButton(group, 1)->setChecked(true); // Pe
    picture(*d, "4_select_dialog");
    d->Button1Click();
    TWFichier* made = CurrentSheet(t.app);
    ASSERT_NE(made, sheet);
    // The dip of a plane is the complement of its pole's plunge, written with whole degrees.
    int expected = 0;
    for (int row = 1; row <= before.rowCount(); ++row) {
        if (!IsPlane(before.natureLetter(row)))
            continue;
        const double dip = 90 - before.ltPe[static_cast<std::size_t>(row)] / kDegToRad;
        expected += dip >= 29.95 && dip <= 50.05 ? 1 : 0;
    }
    EXPECT_EQ(made->sheet().rowCount(), expected);
    EXPECT_EQ(made->title(), "30-50 (selected in " + sheet->title() + ")");
    made->resize(560, 520);
    picture(*made, "5_selected_sheet");
}

} // namespace
} // namespace ploq

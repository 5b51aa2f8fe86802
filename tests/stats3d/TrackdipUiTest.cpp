// "Trackdip" on a data sheet: the refusals (nothing made, the sheet untouched), the two text
// windows, the main panel, the canvas with its panel, its popup menu and its summit clicks, the
// sheet of rotation axes, and a picture of the canvas (pictures/trackdip_*.png).

#include "app/Application.h"
#include "app/Main.h"
#include "app/ScreenPlace.h"
#include "canvas/PicturesUi.h"
#include "canvas/TWPlot.h"
#include "datasheet/TWFichier.h"
#include "datasheet/TWText.h"
#include "model/UtilGlob.h"
#include "platform/QtSurface.h"
#include "platform/QtText.h"
#include "stats3d/TrackdipCommands.h"
#include "stats3d/TrackdipDraw.h"
#include "stats3d/UtilTrackDip.h"
#include "support/TrackdipLog.h"
#include "support/UiApp.h"

#include <QAction>
#include <QApplication>
#include <QTextEdit>

#include <gtest/gtest.h>

namespace ploq {
namespace {

// The log as a sheet: planes in dip/dip direction with decimals, the depth in the location.
DataSheet LogSheet(const test::DomainLog& log, const std::string& title)
{
    DataSheet sheet;
    sheet.lFrtS = 1;
    sheet.lFrtL = 1;
    sheet.lShowDeci = true;
    sheet.lTitle = title;
    for (std::size_t i = 0; i < log.z.size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        if (row > 1) {
            EXPECT_TRUE(sheet.appendRow());
        }
        const Direction& pole = log.poles[i];
        sheet.setField(row, Field::Nature, "S0");
        sheet.setField(row, Field::Value,
                       DirToText(true, true, pole.plunge, pole.trend, sheet.notation()));
        sheet.setField(row, Field::Location, FormatFixed(log.z[i], 2));
        sheet.ltAz[row] = pole.trend;
        sheet.ltPe[row] = pole.plunge;
    }
    sheet.Numeroter();
    return sheet;
}

std::vector<std::string> Lines(const QTextEdit* edit)
{
    std::vector<std::string> lines;
    for (const QString& line : edit->toPlainText().split('\n'))
        lines.push_back(fromQString(line));
    return lines;
}

bool Holds(const std::vector<std::string>& lines, const std::string& line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

struct TrackdipOnSheet : ::testing::Test {
    TrackdipOnSheet()
    {
        VarGlob& s = t.app.settings();
        s.FrtS = 1;
        s.FrtL = 1;
        SavePrefsFile(s, t.dir.path() / std::string(kPrefFileName), 0);
        form = std::make_unique<TForm1>(t.app, ScreenMetrics{});
    }

    TWFichier* open(DataSheet sheet) { return NewSheet(t.app, form.get(), std::move(sheet)); }
    int count(WindowKind kind) { return t.app.registry().count(kind); }
    static QImage image(TWPlot& canvas)
    {
        return dynamic_cast<QtImage&>(*canvas.model().image()).image();
    }

    test::PixelApp t;
    std::unique_ptr<TForm1> form;
    const test::DomainLog log = test::ThreeDomainLog(300, 1200, 0.5, 2, 99);
};

TEST_F(TrackdipOnSheet, RefusalsMakeNothingAndLeaveTheSheet)
{
    struct Case {
        const char* name;
        std::function<void(DataSheet&)> spoil;
        std::string message;
    } cases[] = {
        {"rising depth", [](DataSheet& s) { s.setField(7, Field::Location, "1201.00"); },
         "Depth of row 7 is above the depth of row 6: depths must increase down the sheet"},
        {"no depth", [](DataSheet& s) { s.setField(4, Field::Location, "top"); },
         "Row 4: the location code is not a depth"},
        {"one depth",
         [](DataSheet& s) {
             for (int row = 1; row <= s.rowCount(); ++row)
                 s.setField(row, Field::Location, "1200");
         },
         std::string(kMsgTrackdipDepths)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DataSheet sheet = LogSheet(log, "well.plq");
        c.spoil(sheet);
        TWFichier* window = open(sheet);
        ASSERT_TRUE(window);
        const int texts = count(WindowKind::Text), canvases = count(WindowKind::Canvas),
                  sheets = count(WindowKind::Sheet);
        t.prompts.expectMessage(c.message);
        EXPECT_EQ(Trackdip(t.app), nullptr);
        EXPECT_EQ(count(WindowKind::Text), texts);
        EXPECT_EQ(count(WindowKind::Canvas), canvases);
        EXPECT_EQ(count(WindowKind::Sheet), sheets);
        for (int row = 1; row <= sheet.rowCount(); ++row)
            EXPECT_EQ(window->sheet().field(row, Field::Location),
                      sheet.field(row, Field::Location));
        window->closeWithoutAsking();
    }
    open(DataSheet());
    t.prompts.expectMessage(std::string(kMsgTrackdipDepths));
    EXPECT_EQ(Trackdip(t.app), nullptr);
}

TEST_F(TrackdipOnSheet, TextWindowsPanelAndCanvas)
{
    open(LogSheet(log, "well.12.plq"));
    const TrackdipResult expected =
        RunTrackdip(ReadTrackdipRows(LogSheet(log, "")).rows,
                    TrackdipParams::FromSettings(t.app.settings()), {1, 1});
    form->run(Cmd::Trackdip);
    TWPlot* plot = ActiveCanvas(t.app);
    ASSERT_TRUE(plot);
    EXPECT_EQ(plot->model().natWP, kWPTrackdip);
    EXPECT_EQ(plot->model().butPosXY, kModeTrackdipSummit);

    std::vector<TWText*> texts;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* text = dynamic_cast<TWText*>(w); text && text->isVisible())
            texts.push_back(text);
    ASSERT_EQ(texts.size(), 2u);
    std::sort(texts.begin(), texts.end(),
              [](TWText* a, TWText* b) { return a->slot() < b->slot(); });
    EXPECT_EQ(texts[0]->title(), "Trackdip - well");
    EXPECT_EQ(texts[1]->title(), "segments (well.12.plq)");
    EXPECT_EQ(texts[0]->width(), 500);
    EXPECT_EQ(texts[0]->x(), 230);
    EXPECT_EQ(texts[1]->x(), 250);
    EXPECT_TRUE(texts[0]->RichEdit1()->font().fixedPitch());
    const std::vector<std::string> table = Lines(texts[0]->RichEdit1());
    EXPECT_EQ(table, expected.table);
    EXPECT_EQ(Lines(texts[1]->RichEdit1()), expected.segments);

    const std::vector<std::string> panel = Lines(form->RichEdit1());
    EXPECT_TRUE(Holds(panel, "Trackdip :"));
    EXPECT_TRUE(Holds(panel, expected.links.panel.back()));

    const std::vector<std::string> canvasPanel = Lines(plot->RichEdit1());
    EXPECT_TRUE(Holds(canvasPanel, "14:05 - file \"well.12.plq\", Trackdip analysis"));
    EXPECT_TRUE(Holds(canvasPanel, "tilt angle cut-off : 3.5\xB0"));
    EXPECT_TRUE(Holds(canvasPanel, "axis trend cut-off : 30.0\xB0"));
    EXPECT_EQ(plot->model().liTD.size(), TrackdipElements(expected).size());
    EXPECT_EQ(t.app.settings().TDopt, kTDMaxMark);
    // Without bit 7 no sheet of rotation axes.
    EXPECT_EQ(count(WindowKind::Sheet), 1);
    test::SavePicture(image(*plot), "trackdip_plain.png");
}

TEST_F(TrackdipOnSheet, RotationAxesSheetWithBitSeven)
{
    SetBit(t.app.settings().OptS3Dadd, kS3DaddListRotAxes, true);
    open(LogSheet(log, "well.plq"));
    TWPlot* plot = Trackdip(t.app);
    ASSERT_TRUE(plot);
    ASSERT_EQ(count(WindowKind::Sheet), 2);
    TWFichier* axes = CurrentSheet(t.app);
    ASSERT_TRUE(axes);
    EXPECT_EQ(axes->title(), " rotation axis" + plot->title());
    EXPECT_EQ(axes->sheet().field(1, Field::Number).substr(0, 4), "s1  ");
    EXPECT_TRUE(axes->isVisible());
}

TEST_F(TrackdipOnSheet, PopupItemsCaptionsChecksAndBits)
{
    open(LogSheet(log, "well.plq"));
    TWPlot* plot = Trackdip(t.app);
    ASSERT_TRUE(plot);
    std::int32_t& bits = plot->model().lOptS3Dadd;
    bits = 0;
    QMenu* menu = plot->styleButtonMenu();
    auto* td = dynamic_cast<TrackdipMenu*>(menu);
    ASSERT_TRUE(td);
    std::vector<std::string> captions;
    for (QAction* a : td->actions())
        captions.push_back(a->isSeparator() ? "-" : fromQString(a->text()));
    EXPECT_EQ(captions, (std::vector<std::string>{"Show polygones summits", "Show maximum", "-",
                                                  "Max display =>  all maxima",
                                                  "Click on summit => Trackdip symbol",
                                                  "Max symbol => Trackdip symbol", "-",
                                                  "T bar length as sq. root of rotation angle",
                                                  "Symb size follows window size", "-", "Reset"}));

    const auto trigger = [&](int item) {
        td->item(item)->trigger();
        EXPECT_EQ(t.app.settings().OptS3Dadd, bits);
    };
    trigger(TrackdipMenu::kItemSummits);
    EXPECT_TRUE(TestBit(bits, kTDSummits));
    EXPECT_EQ(fromQString(td->item(0)->text()), "Hide polygons summits");
    trigger(TrackdipMenu::kItemSummits);
    EXPECT_FALSE(TestBit(bits, kTDSummits));
    EXPECT_EQ(fromQString(td->item(0)->text()), "Show polygons summits");

    trigger(TrackdipMenu::kItemMaximum);
    EXPECT_TRUE(TestBit(bits, kTDMaximum));
    EXPECT_EQ(fromQString(td->item(1)->text()), "Hide maximum");
    trigger(TrackdipMenu::kItemMaximum);
    EXPECT_EQ(fromQString(td->item(1)->text()), "Show maximum");
    trigger(TrackdipMenu::kItemAllMaxima);
    EXPECT_TRUE(td->item(TrackdipMenu::kItemAllMaxima)->isChecked());
    EXPECT_TRUE(TestBit(bits, kTDAllMaxima));
    EXPECT_EQ(fromQString(td->item(1)->text()), "Show maxima");
    trigger(TrackdipMenu::kItemMaximum);
    EXPECT_EQ(fromQString(td->item(1)->text()), "Hide maxima");

    const std::pair<int, int> checks[] = {{TrackdipMenu::kItemClickSymbol, kTDClickSymbol},
                                          {TrackdipMenu::kItemMaxSymbol, kTDMaxSymbol},
                                          {TrackdipMenu::kItemSqrtTail, kTDSqrtTail},
                                          {TrackdipMenu::kItemSizeFollows, kTDSizeFollows}};
    for (const auto& [item, bit] : checks) {
        SCOPED_TRACE(item);
        trigger(item);
        EXPECT_TRUE(td->item(item)->isChecked());
        EXPECT_TRUE(TestBit(bits, bit));
        trigger(item);
        EXPECT_FALSE(td->item(item)->isChecked());
        EXPECT_FALSE(TestBit(bits, bit));
    }

    trigger(TrackdipMenu::kItemSummits);
    SetBit(bits, kTDSqrtTail, true);
    plot->model().liTD[0].ix = 1;
    trigger(TrackdipMenu::kItemReset);
    for (int bit : {kTDSummits, kTDMaximum, kTDAllMaxima})
        EXPECT_FALSE(TestBit(bits, bit)) << bit;
    EXPECT_TRUE(TestBit(bits, kTDSqrtTail));
    EXPECT_EQ(fromQString(td->item(0)->text()), "Show polygons summits");
    EXPECT_EQ(fromQString(td->item(1)->text()), "Show maximum");
    EXPECT_FALSE(td->item(TrackdipMenu::kItemAllMaxima)->isChecked());
    for (const InfoTD& e : plot->model().liTD)
        EXPECT_EQ(e.ix, 0);

    // The menu follows the canvas's bits when it is opened again.
    SetBit(bits, kTDSummits, true);
    SetBit(bits, kTDMaxSymbol, true);
    plot->styleButtonMenu();
    EXPECT_EQ(fromQString(td->item(0)->text()), "Hide polygons summits");
    EXPECT_TRUE(td->item(TrackdipMenu::kItemMaxSymbol)->isChecked());
    // An ordinary canvas keeps its style menu.
    TWPlot* ordinary = NewWP(t.app, kWPOrdinary);
    ASSERT_TRUE(ordinary);
    EXPECT_EQ(ordinary->styleButtonMenu(), ordinary->MenuStyleCnvs());
}

TEST_F(TrackdipOnSheet, AClickMarksASummit)
{
    open(LogSheet(log, "well.plq"));
    TWPlot* plot = Trackdip(t.app);
    ASSERT_TRUE(plot);
    CanvasModel& m = plot->model();
    m.lOptS3Dadd = 0;
    ASSERT_GT(m.liTD.size(), 2u);
    const TrackdipAxes axes = TrackdipGeometry(m.lTD, m.imageSize());
    const InfoTD& target = m.liTD[1];
    const Point at = axes.at(target.w, target.z);
    int redraws = 0;
    QObject::connect(plot, &TWPlot::redrawn, [&redraws] { ++redraws; });
    plot->imageMouse(0, {at.x + 2, at.y + 2});
    const std::size_t marked = *TrackdipElementAt(m, {at.x + 2, at.y + 2});
    EXPECT_EQ(m.liTD[marked].ix, 1);
    EXPECT_EQ(redraws, 1);
    // A click far from every element marks nothing.
    plot->imageMouse(0, {2, 2});
    EXPECT_EQ(redraws, 1);

    // The summits, the maxima of every polygone, the clicked one as its number.
    SetBit(m.lOptS3Dadd, kTDSummits, true);
    SetBit(m.lOptS3Dadd, kTDMaximum, true);
    SetBit(m.lOptS3Dadd, kTDAllMaxima, true);
    t.app.settings().TDpoly2 = 2;
    plot->NettoyerWP();
    test::SavePicture(image(*plot), "trackdip_marks.png");
    SetBit(m.lOptS3Dadd, kTDClickSymbol, true);
    SetBit(m.lOptS3Dadd, kTDMaxSymbol, true);
    for (InfoTD& e : m.liTD)
        e.ix = e.isEnd() ? 0 : 1;
    plot->NettoyerWP();
    test::SavePicture(image(*plot), "trackdip_symbols.png");
}

} // namespace
} // namespace ploq

#include "app/Options.h"

#include "canvas/Plot.h"
#include "datasheet/ImportExport.h"
#include "platform/RecordingSurface.h"
#include "support/ScriptedPrompts.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>
#include <string>

namespace ploq {
namespace {

const ScreenMetrics kScreen{96, 1920};

// A block whose every setting is away from its default (the preference file of the settings
// tests), so that a control wired to the wrong setting moves something.
VarGlob Custom()
{
    std::ifstream file(std::filesystem::path(PLOQ_TEST_DATA) / "prefs_custom.plp",
                       std::ios::binary);
    VarGlob v;
    EXPECT_TRUE(LoadPrefs(v, file, kScreen).empty());
    return v;
}

// The block as the preference file stores it, plus the derived flag the sheets read.
std::string Stored(const VarGlob& v)
{
    std::ostringstream out;
    SavePrefs(v, out, 0);
    return out.str() + (v.ShowDeci ? "deci" : "int");
}

VarGlob ThroughFile(const VarGlob& v)
{
    std::ostringstream out;
    SavePrefs(v, out, 0);
    std::istringstream in(out.str());
    VarGlob loaded;
    EXPECT_TRUE(LoadPrefs(loaded, in, kScreen).empty());
    return loaded;
}

double Deg(double degrees)
{
    return degrees * kDegToRad;
}

// --- Round trips: settings -> page -> OK gives the same settings, and the page survives the
// preference file.

TEST(OptionsPages, UnchangedPagesGiveTheSameSettings)
{
    const VarGlob custom = Custom();
    VarGlob v = custom;
    ASSERT_FALSE(TakeDataPage(DataPageOf(v), v));
    TakeImportPage(ImportPageOf(v), v);
    TakeStereonetPage(StereonetPageOf(v, v.Rc), v, true);
    EXPECT_EQ(Stored(v), Stored(custom));
}

TEST(OptionsPages, PagesTakenSurviveThePreferenceFile)
{
    VarGlob v = Custom();
    DataPage data = DataPageOf(v);
    data.declination = "-7.5";
    data.planeNotation = 4;
    data.headings[3] = "n\xB0";
    ImportPage import = ImportPageOf(v);
    import.fields[kImportValue] = 5;
    import.rawPlanes = true;
    import.rawFormat = 6;
    StereonetPage net = StereonetPageOf(v, v.Rc);
    net.wulff = !net.wulff;
    net.planesAs = 2;
    net.gridStep = 0;
    ASSERT_FALSE(TakeDataPage(data, v));
    TakeImportPage(import, v);
    TakeStereonetPage(net, v, true);

    const VarGlob loaded = ThroughFile(v);
    EXPECT_EQ(DataPageOf(loaded), data);
    EXPECT_EQ(ImportPageOf(loaded), import);
    EXPECT_EQ(StereonetPageOf(loaded, v.Rc), net);
}

// --- Each control alone changes its own setting and nothing else.

template <class Page> struct ControlCase {
    const char* control;
    std::function<void(Page&)> change;
    std::function<void(VarGlob&)> expected;
};

TEST(OptionsPages, EachDataControlChangesOnlyItsSetting)
{
    const ControlCase<DataPage> cases[] = {
        {"declination", [](DataPage& p) { p.declination = "12.5"; },
         [](VarGlob& v) { v.Decl = Deg(12.5); }},
        {"Add magnetic declination", [](DataPage& p) { p.addDeclination = !p.addDeclination; },
         [](VarGlob& v) { SetBit(v.OptVal, 6, !TestBit(v.OptVal, 6)); }},
        {"Can edit in the grid", [](DataPage& p) { p.editInGrid = !p.editInGrid; },
         [](VarGlob& v) { SetBit(v.OptVal, 3, !TestBit(v.OptVal, 3)); }},
        {"print the grid", [](DataPage& p) { p.printGrid = !p.printGrid; },
         [](VarGlob& v) { SetBit(v.OptVal, 5, !TestBit(v.OptVal, 5)); }},
        {"Display decimal values", [](DataPage& p) { p.showDecimals = !p.showDecimals; },
         [](VarGlob& v) {
             v.ShowDeci = !v.ShowDeci;
             SetBit(v.OptVal, 0, v.ShowDeci);
         }},
        {"planes", [](DataPage& p) { p.planeNotation = 1; }, [](VarGlob& v) { v.FrtS = 1; }},
        {"lines", [](DataPage& p) { p.lineNotation = 0; }, [](VarGlob& v) { v.FrtL = 0; }},
        {"New 1", [](DataPage& p) { p.headings[1] = "dir"; },
         [](VarGlob& v) { v.TNomC[1] = "dir"; }},
        {"New 5", [](DataPage& p) { p.headings[5] = "rem"; },
         [](VarGlob& v) { v.TNomC[5] = "rem"; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.control);
        VarGlob v = Custom();
        VarGlob expected = v;
        DataPage page = DataPageOf(v);
        c.change(page);
        c.expected(expected);
        ASSERT_FALSE(TakeDataPage(page, v));
        EXPECT_EQ(Stored(v), Stored(expected));
    }
}

TEST(OptionsPages, EachImportControlChangesOnlyItsSetting)
{
    const ControlCase<ImportPage> cases[] = {
        {"separator", [](ImportPage& p) { p.separator = 2; }, [](VarGlob& v) { v.IpSep = 2; }},
        {"Ploq format", [](ImportPage& p) { p.ploqFormat = 6; }, [](VarGlob& v) { v.IpFS = 6; }},
        {"nature field", [](ImportPage& p) { p.fields[kImportNature] = 6; },
         [](VarGlob& v) { v.IpNat = 7; }},
        {"number field", [](ImportPage& p) { p.fields[kImportNumber] = 6; },
         [](VarGlob& v) { v.IpNum = 7; }},
        {"location field", [](ImportPage& p) { p.fields[kImportLocation] = 6; },
         [](VarGlob& v) { v.IpLoc = 7; }},
        {"comment field", [](ImportPage& p) { p.fields[kImportComment] = 6; },
         [](VarGlob& v) { v.IpCom = 7; }},
        {"value field", [](ImportPage& p) { p.fields[kImportValue] = 6; },
         [](VarGlob& v) { v.IpVal = 7; }},
        {"raw kind", [](ImportPage& p) { p.rawPlanes = !p.rawPlanes; },
         [](VarGlob& v) { v.IpIsS = v.IpIsS == 1 ? 0 : 1; }},
        {"raw format", [](ImportPage& p) { p.rawFormat = 0; }, [](VarGlob& v) { v.IpFR = 0; }},
        {"add code number", [](ImportPage& p) { p.addNumber = !p.addNumber; },
         [](VarGlob& v) { SetBit(v.StyleGene, 16, !TestBit(v.StyleGene, 16)); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.control);
        VarGlob v = Custom();
        VarGlob expected = v;
        ImportPage page = ImportPageOf(v);
        c.change(page);
        c.expected(expected);
        TakeImportPage(page, v);
        EXPECT_EQ(Stored(v), Stored(expected));
    }
}

TEST(OptionsPages, EachStereonetControlChangesOnlyItsSetting)
{
    const auto flip = [](std::int32_t VarGlob::*word, int bit) {
        return [word, bit](VarGlob& v) { SetBit(v.*word, bit, !TestBit(v.*word, bit)); };
    };
    const ControlCase<StereonetPage> cases[] = {
        {"Projection", [](StereonetPage& p) { p.wulff = !p.wulff; }, flip(&VarGlob::StyleCnvs, 15)},
        {"Hemispher", [](StereonetPage& p) { p.lowerHemisphere = !p.lowerHemisphere; },
         flip(&VarGlob::StyleCnvs, 14)},
        {"Tadpole symbol tail", [](StereonetPage& p) { p.tailInward = !p.tailInward; },
         flip(&VarGlob::StyleCnvs, 4)},
        {"display net center", [](StereonetPage& p) { p.netCentre = !p.netCentre; },
         flip(&VarGlob::StyleCnvs, 1)},
        {"display graduations", [](StereonetPage& p) { p.graduations = !p.graduations; },
         flip(&VarGlob::StyleCnvs, 2)},
        {"draw main diameters", [](StereonetPage& p) { p.diameters = !p.diameters; },
         flip(&VarGlob::StyleCnvs, 3)},
        {"step", [](StereonetPage& p) { p.gridStep = 3; }, [](VarGlob& v) { v.GridStep = 15; }},
        {"Data listed in the Info part", [](StereonetPage& p) { p.listInfo = !p.listInfo; },
         flip(&VarGlob::OptVal, 1)},
        {"same as fault", [](StereonetPage& p) { p.arrowFaultColour = !p.arrowFaultColour; },
         flip(&VarGlob::StyleFlt, 16)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.control);
        VarGlob v = Custom();
        VarGlob expected = v;
        StereonetPage page = StereonetPageOf(v, v.Rc);
        c.change(page);
        c.expected(expected);
        TakeStereonetPage(page, v, true);
        EXPECT_EQ(Stored(v), Stored(expected));
    }
}

TEST(OptionsPages, PlanesAsShowsAndSetsBothPlotBits)
{
    struct Case {
        bool poles, traces;
        int shown;
    };
    for (const Case c :
         {Case{true, false, 0}, Case{false, true, 1}, Case{true, true, 2}, Case{false, false, 0}}) {
        VarGlob v;
        SetBit(v.StylePlot, kInfDrawPole, c.poles);
        SetBit(v.StylePlot, kInfDrawTrace, c.traces);
        EXPECT_EQ(StereonetPageOf(v, v.Rc).planesAs, c.shown);
    }
    for (int item = 0; item < 3; ++item) {
        VarGlob v;
        StereonetPage page = StereonetPageOf(v, v.Rc);
        page.planesAs = item;
        TakeStereonetPage(page, v, true);
        EXPECT_EQ(TestBit(v.StylePlot, kInfDrawPole), item != 1) << item;
        EXPECT_EQ(TestBit(v.StylePlot, kInfDrawTrace), item != 0) << item;
    }
}

// --- Lists without a matching item.

TEST(OptionsPages, ListsWithoutMatchingItemShowNoneAndKeepTheSetting)
{
    VarGlob v;
    v.FrtS = 7;
    v.GridStep = 7;
    v.IpNat = 9;
    const VarGlob before = v;
    EXPECT_EQ(DataPageOf(v).planeNotation, -1);
    EXPECT_EQ(StereonetPageOf(v, v.Rc).gridStep, -1);
    EXPECT_EQ(ImportPageOf(v).fields[kImportNature], -1);
    ASSERT_FALSE(TakeDataPage(DataPageOf(v), v));
    TakeStereonetPage(StereonetPageOf(v, v.Rc), v, true);
    TakeImportPage(ImportPageOf(v), v);
    EXPECT_EQ(Stored(v), Stored(before));
}

TEST(OptionsPages, RawLineFormatIsClampedToTheLastLineFormat)
{
    VarGlob v;
    v.IpIsS = 0;
    v.IpFR = 5;
    EXPECT_EQ(ImportPageOf(v).rawFormat, 3);
    EXPECT_EQ(RawFormatShown(true, 5), 5);
    EXPECT_EQ(RawFormatCount(false), 4);
    EXPECT_EQ(RawFormatCount(true), 7);
}

// --- Cancel tables.

TEST(OptionsCancel, DataReturnsToLastAcceptedNotationsAndOpeningOthers)
{
    VarGlob v = Custom();
    OptionsMemory memory = OpenOptions(v, v.Rc);
    const VarGlob opening = v;

    DataPage first = DataPageOf(v);
    first.planeNotation = 4;
    first.lineNotation = 1;
    first.showDecimals = !first.showDecimals;
    first.declination = "3";
    first.headings[2] = "kind";
    first.printGrid = !first.printGrid;
    ASSERT_FALSE(TakeDataPage(first, v));
    AcceptDataPage(memory, v);
    const VarGlob accepted = v;

    DataPage second = DataPageOf(v);
    second.planeNotation = 2;
    second.lineNotation = 0;
    second.showDecimals = !second.showDecimals;
    ASSERT_FALSE(TakeDataPage(second, v));
    CancelDataPage(memory, v);

    EXPECT_EQ(v.FrtS, accepted.FrtS);
    EXPECT_EQ(v.FrtL, accepted.FrtL);
    EXPECT_EQ(v.ShowDeci, accepted.ShowDeci);
    EXPECT_EQ(TestBit(v.OptVal, kOptValShowDeci), accepted.ShowDeci);
    EXPECT_EQ(v.Decl, opening.Decl);
    EXPECT_EQ(v.TNomC, opening.TNomC);
    EXPECT_EQ(TestBit(v.OptVal, kOptValPrintGrid), TestBit(opening.OptVal, kOptValPrintGrid));
}

TEST(OptionsCancel, ImportPutsBackKindFormatAndTheValueField)
{
    VarGlob v = Custom();
    v.IpIsS = 1;
    v.IpFR = 5;
    v.IpVal = 2;
    v.IpNat = 1;
    const OptionsMemory memory = OpenOptions(v, v.Rc);
    const VarGlob opening = v;

    ImportPage page = ImportPageOf(v);
    page.fields[kImportValue] = 0;  // the value to field 1
    page.fields[kImportNature] = 1; // the nature to field 2
    page.rawPlanes = false;
    page.rawFormat = 2;
    TakeImportPage(page, v);
    CancelImportPage(memory, v);

    EXPECT_EQ(v.IpIsS, 1);
    EXPECT_EQ(v.IpFR, 5);
    EXPECT_EQ(v.IpNat, 1);
    EXPECT_EQ(v.IpVal, 2);
    EXPECT_FALSE(PloqLayoutProblem(PloqLayoutOf(v)));
    EXPECT_EQ(Stored(v), Stored(opening));
}

TEST(OptionsCancel, StereonetPutsBackTheWholeOptVal)
{
    VarGlob v = Custom();
    const OptionsMemory memory = OpenOptions(v, v.Rc);
    const VarGlob opening = v;

    DataPage data = DataPageOf(v);
    data.editInGrid = !data.editInGrid; // accepted on the Data page
    ASSERT_FALSE(TakeDataPage(data, v));
    StereonetPage net = StereonetPageOf(v, v.Rc);
    net.listInfo = !net.listInfo;
    net.lowerHemisphere = !net.lowerHemisphere;
    net.planesAs = 2;
    net.gridStep = 0;
    net.arrowFaultColour = !net.arrowFaultColour;
    TakeStereonetPage(net, v, true);
    v.GridCol = 16;
    v.ColMvtF = 5;
    CancelStereonetPage(memory, v, true);

    EXPECT_EQ(v.OptVal, opening.OptVal);
    EXPECT_EQ(v.StyleCnvs, opening.StyleCnvs);
    EXPECT_EQ(v.StylePlot, opening.StylePlot);
    EXPECT_EQ(v.GridStep, opening.GridStep);
    EXPECT_EQ(v.GridCol, opening.GridCol);
    EXPECT_EQ(v.ColMvtF, opening.ColMvtF);
    EXPECT_EQ(v.StyleFlt, opening.StyleFlt);
}

// --- Opening.

TEST(OptionsOpening, CurrentColourAndIndexedGridAreReset)
{
    VarGlob v;
    v.Couleur = 11;
    SetBit(v.StyleCnvs, 7, true);
    const OptionsMemory memory = OpenOptions(v, 150);
    EXPECT_EQ(v.Couleur, 1);
    EXPECT_FALSE(TestBit(v.StyleCnvs, 7));
    EXPECT_EQ(memory.radius, 150);
    // What was found then is what an unchanged page finds now.
    EXPECT_FALSE(CanvasChangeNeedsQuestion(memory, v, 150, 150));
}

TEST(OptionsOpening, DialogIsCentredFiveBelowTheMainWindow)
{
    const Point at = OptionsDialogPlace({100, 20, 600, 117}, 400);
    EXPECT_EQ(at.x, 200);
    EXPECT_EQ(at.y, 142);
}

// --- The diameter box.

TEST(OptionsDiameter, ShownAndTakenAtNinetySixDotsPerInch)
{
    VarGlob v; // PixMM 96 / 25.3
    v.Rc = 190;
    StereonetPage page = StereonetPageOf(v, 190);
    EXPECT_EQ(page.diameterMM, 100); // round(380 / 3.7945)
    page.diameterMM = 120;
    EXPECT_EQ(TakeStereonetPage(page, v, false), 228); // round(120 * 3.7945 / 2)
    EXPECT_EQ(v.Rc, 228);
}

TEST(OptionsDiameter, BoxIsLimitedToThirtyAndThreeHundredMillimetres)
{
    // A box left at 0 used to give a radius of 0: new canvases fell to the 20-pixel floor and
    // open canvases refused it as "too large".
    VarGlob v;
    StereonetPage page = StereonetPageOf(v, v.Rc);
    page.diameterMM = 0;
    EXPECT_EQ(TakeStereonetPage(page, v, false), RadiusForDiameter(30, v.PixMM));
    EXPECT_GE(v.Rc, kMinRadius);
    page.diameterMM = 1000;
    EXPECT_EQ(TakeStereonetPage(page, v, false), RadiusForDiameter(300, v.PixMM));
}

TEST(OptionsDiameter, CancelShowsTheOpeningRadiusToTheMillimetre)
{
    // Rc 191 at 96 dpi is 100.67 mm: 101, not the even 100 that doubling a rounded radius gave.
    VarGlob v;
    v.Rc = 191;
    const OptionsMemory memory = OpenOptions(v, 191);
    StereonetPage page = StereonetPageOf(v, 191);
    page.diameterMM = 150;
    TakeStereonetPage(page, v, false);
    CancelStereonetPage(memory, v, false);
    EXPECT_EQ(v.Rc, 191);
    EXPECT_EQ(StereonetPageOf(v, memory.radius).diameterMM, 101);
}

// --- The question before the canvases change.

TEST(OptionsCanvasQuestion, AskedForADisplayChangeOrAnotherRadius)
{
    struct Case {
        const char* change;
        std::function<void(VarGlob&)> apply;
        int radius;
        bool asks;
    };
    const Case cases[] = {
        {"nothing", [](VarGlob&) {}, 190, false},
        {"hemisphere", [](VarGlob& v) { SetBit(v.StyleCnvs, 14, !TestBit(v.StyleCnvs, 14)); }, 190,
         true},
        {"plot style", [](VarGlob& v) { SetBit(v.StylePlot, 12, !TestBit(v.StylePlot, 12)); }, 190,
         true},
        {"grid step", [](VarGlob& v) { v.GridStep = 2; }, 190, true},
        {"grid colour", [](VarGlob& v) { v.GridCol = 16; }, 190, true},
        {"palette", [](VarGlob& v) { v.Tco[7] = clRed; }, 190, true},
        {"fixed colour", [](VarGlob& v) { v.Tco[9] = clRed; }, 190, false},
        {"radius", [](VarGlob&) {}, 191, true},
        {"decimals", [](VarGlob& v) { SetBit(v.OptVal, 0, !TestBit(v.OptVal, 0)); }, 190, false},
    };
    for (const Case& c : cases) {
        VarGlob v;
        const OptionsMemory memory = OpenOptions(v, 190);
        c.apply(v);
        EXPECT_EQ(CanvasChangeNeedsQuestion(memory, v, c.radius, 190), c.asks) << c.change;
    }
}

// --- Faults mended.

TEST(OptionsFaults, DeclinationKeepsItsMinus)
{
    VarGlob v;
    DataPage page = DataPageOf(v);
    page.declination = "-5";
    ASSERT_FALSE(TakeDataPage(page, v));
    EXPECT_NEAR(v.Decl, Deg(-5), 1e-12);
    EXPECT_EQ(DataPageOf(v).declination, "-5.0");
}

TEST(OptionsFaults, DeclinationThatDoesNotReadTakesNothing)
{
    VarGlob v = Custom();
    const VarGlob before = v;
    DataPage page = DataPageOf(v);
    page.declination = "1.2.3";
    page.planeNotation = 0;
    page.headings[1] = "other";
    const std::optional<std::string> refusal = TakeDataPage(page, v);
    ASSERT_TRUE(refusal);
    EXPECT_NE(refusal->find("declination"), std::string::npos);
    EXPECT_EQ(Stored(v), Stored(before));
}

// The captions of the Ploq text format list and of the line format beside it say what the
// importer reads: the numbers decoded in the order the caption names them.
TEST(OptionsFaults, PloqFormatCaptionsFollowWhatTheImporterReads)
{
    const Direction pole = {Deg(30), Deg(60)};
    for (int format : {4, 5}) {
        const std::string caption = kPlaneFormatLabels[static_cast<std::size_t>(format)];
        const bool plungeFirst = caption.find("(plunge, plunge-dir)") != std::string::npos;
        const LineValue read = plungeFirst ? DecodeNumbers(true, format, "60", "30")
                                           : DecodeNumbers(true, format, "30", "60");
        ASSERT_TRUE(read.ok) << caption;
        EXPECT_NEAR(read.trend, pole.trend, 1e-9) << caption;
        EXPECT_NEAR(read.plunge, pole.plunge, 1e-9) << caption;
    }
    const Direction line = {Deg(210), Deg(40)};
    for (int format = 2; format < kPlaneFormatCount; ++format) {
        const std::string panel = PloqLineFormatItem(format);
        const bool plungeFirst = panel.rfind("Plunge, plunge-direction", 0) == 0;
        EXPECT_EQ(plungeFirst, format == 2 || format == 4) << format;
        const LineValue read = plungeFirst ? DecodeNumbers(false, format, "40", "210")
                                           : DecodeNumbers(false, format, "210", "40");
        ASSERT_TRUE(read.ok) << panel;
        EXPECT_NEAR(read.trend, line.trend, 1e-9) << panel;
        EXPECT_NEAR(read.plunge, line.plunge, 1e-9) << panel;
    }
}

TEST(OptionsFaults, ColourCellsOutsideTheStripChooseNothing)
{
    struct Case {
        Point at;
        std::optional<int> grid;
        std::optional<int> arrow;
    };
    const Case cases[] = {
        {{2, 5}, std::nullopt, std::nullopt}, // left of the first cell
        {{3, 5}, 12, 0},
        {{14, 5}, 12, 0},
        {{15, 5}, 13, 1},
        {{62, 5}, 16, 4},
        {{63, 5}, std::nullopt, 5}, // past the five grid cells
        {{98, 5}, std::nullopt, 7},
        {{99, 5}, std::nullopt, std::nullopt},
        {{20, -1}, std::nullopt, std::nullopt},
        {{20, 40}, std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GridColourAt(c.at), c.grid) << c.at.x << "," << c.at.y;
        EXPECT_EQ(ArrowColourAt(c.at), c.arrow) << c.at.x << "," << c.at.y;
    }
}

// --- Characters and the colour chooser.

TEST(OptionsFont, ChosenFontIsTakenAndTellsWhetherItChanged)
{
    VarGlob v;
    EXPECT_FALSE(TakeSheetFont({v.FontName, v.FontHeight}, v));
    EXPECT_TRUE(TakeSheetFont({"Courier New", -16}, v));
    EXPECT_EQ(v.FontName, "Courier New");
    EXPECT_EQ(v.FontHeight, -16);
}

TEST(ColourChooser, OneThatCannotBeShownIsToldAndChoosesNothing)
{
    test::ScriptedPrompts prompts;
    prompts.expectColour(std::nullopt, false)
        .expectMessage("Impossible to load the colour selection dialog box")
        .expectColour(clRed)
        .expectColour(std::nullopt);
    EXPECT_FALSE(prompts.ChooseColour(clBlue));
    EXPECT_EQ(prompts.ChooseColour(clBlue), clRed);
    EXPECT_FALSE(prompts.ChooseColour(clBlue));
    EXPECT_EQ(prompts.messages().size(), 1u);
    EXPECT_EQ(prompts.colourQuestions(), (std::vector<TColor>{clBlue, clBlue, clBlue}));
}

// --- Pictures.

TEST(OptionsPictures, SampleNetStaysInItsSquareAndLabelsTheThreeAzimuths)
{
    for (std::int32_t style : {0, 1 << 14 | 1 << 15}) {
        VarGlob v;
        v.StyleCnvs = style | 1 << 1 | 1 << 2 | 1 << 3 | 1 << 7;
        RecordingSurface surface;
        SampleNet(surface, 150, v);
        std::vector<std::string> texts;
        for (const Primitive& p : surface.primitives())
            if (p.shape == Shape::Text)
                texts.push_back(p.text);
        EXPECT_EQ(texts, (std::vector<std::string>{"120", "30", "210"}));
        // Arcs are left out: their boxes and rays may reach beyond the picture.
        for (const Primitive& p : surface.primitives()) {
            if (p.shape == Shape::Arc)
                continue;
            const bool boxed = p.shape == Shape::Ellipse || p.shape == Shape::Rectangle;
            const std::vector<Point> reach =
                boxed ? std::vector<Point>{{p.box.left, p.box.top}, {p.box.right, p.box.bottom}}
                      : p.points;
            for (Point at : reach) {
                EXPECT_GE(at.x, 0);
                EXPECT_LE(at.x, 150);
                EXPECT_GE(at.y, 0);
                EXPECT_LE(at.y, 150);
            }
        }
        // The trace of the plane is drawn in Tco[2], a curve and not only the tadpole.
        bool trace = false;
        for (const Primitive& p : surface.primitives())
            trace = trace
                    || (p.pen.colour == v.Tco[2]
                        && (p.shape == Shape::Polyline || p.shape == Shape::Arc));
        EXPECT_TRUE(trace);
    }
}

TEST(OptionsPictures, ChosenGridColourIsOutlinedInBlue)
{
    VarGlob v;
    v.GridCol = 14;
    RecordingSurface surface;
    GridColourCells(surface, v);
    int outlines = 0;
    for (const Primitive& p : surface.primitives())
        if (p.shape == Shape::Rectangle && p.pen.colour == clBlue) {
            ++outlines;
            EXPECT_EQ(p.pen.width, 2);
            EXPECT_EQ(GridColourAt({(p.box.left + p.box.right) / 2, 8}), 14);
        }
    EXPECT_EQ(outlines, 1);
}

// --- Stats-1 and Stats-2 ----------------------------------------------------------------

TEST(OptionsStatsPages, UnchangedPagesGiveTheSameSettings)
{
    const VarGlob custom = Custom();
    VarGlob v = custom;
    TakeStats1Page(Stats1PageOf(v), v);
    ASSERT_FALSE(TakeStats2Page(Stats2PageOf(v), v));
    EXPECT_EQ(Stored(v), Stored(custom));
}

TEST(OptionsStatsPages, EachStats1ControlChangesOnlyItsSetting)
{
    const ControlCase<Stats1Page> cases[] = {
        {"crowns", [](Stats1Page& p) { p.crowns = 7; }, [](VarGlob& v) { v.NbCr = 12; }},
        {"crowns", [](Stats1Page& p) { p.crowns = 0; }, [](VarGlob& v) { v.NbCr = 5; }},
        {"grid mesh", [](Stats1Page& p) { p.mesh = 6; },
         [](VarGlob& v) {
             v.PasCont = 15;
             v.StyleCont = (v.StyleCont & ~kPasContMask) | 15 << kPasContShift;
         }},
        {"Counting display", [](Stats1Page& p) { p.countUniformity = !p.countUniformity; },
         [](VarGlob& v) { SetBit(v.OptS3Dadd, 5, !TestBit(v.OptS3Dadd, 5)); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.control);
        VarGlob v = Custom();
        // Only the mesh's bits and the low byte are in StyleCont, as OK leaves it.
        v.StyleCont &= 0xFF | kPasContMask;
        VarGlob expected = v;
        Stats1Page page = Stats1PageOf(v);
        c.change(page);
        c.expected(expected);
        TakeStats1Page(page, v);
        EXPECT_EQ(Stored(v), Stored(expected));
        EXPECT_EQ(Stats1PageOf(ThroughFile(v)), page);
    }
}

TEST(OptionsStatsPages, OkKeepsTheLowByteOfStyleContAndClearsItsOtherBits)
{
    VarGlob v;
    v.StyleCont = 0x7F0C34AB; // mesh 12 in bits 16-23, stray bits above and in bits 8-15
    v.PasCont = 12;
    Stats1Page page = Stats1PageOf(v);
    page.mesh = 1; // 4
    TakeStats1Page(page, v);
    EXPECT_EQ(v.StyleCont, 0x000400AB);
    EXPECT_EQ(v.PasCont, 4);
}

TEST(OptionsStatsPages, ZeroCrownsAndMeshAreShownAsSix)
{
    VarGlob v;
    v.NbCr = 0;
    v.PasCont = 0;
    const Stats1Page page = Stats1PageOf(v);
    EXPECT_EQ(page.crowns, 1);
    EXPECT_STREQ(kCrownItems[1], " 6 crowns");
    EXPECT_EQ(kMeshItems[static_cast<std::size_t>(page.mesh)], 6);
}

TEST(OptionsStatsPages, NodeCountsOfFiveToTwelveCrowns)
{
    // Counted node by node, the centre and 6k on crown k, against the closed form of the label.
    const int expected[] = {91, 127, 169, 217, 271, 331, 397, 469};
    for (int crowns = 5; crowns <= 12; ++crowns) {
        int nodes = 1;
        for (int k = 1; k <= crowns; ++k)
            nodes += 6 * k;
        EXPECT_EQ(nodes, expected[crowns - 5]);
        EXPECT_EQ(NodeCountLabel(crowns), std::to_string(nodes) + " nods");
    }
}

// The mesh cancelled after OK must not come back from the preference file at the next start:
// the file keeps StyleCont, not PasCont.
TEST(OptionsStatsCancel, CancelledMeshStaysCancelledThroughThePreferenceFile)
{
    VarGlob v;
    const OptionsMemory memory = OpenOptions(v, v.Rc);
    ASSERT_EQ(v.PasCont, 6);
    Stats1Page page = Stats1PageOf(v);
    page.mesh = 5; // 12
    page.crowns = 3;
    TakeStats1Page(page, v);
    ASSERT_EQ(ThroughFile(v).PasCont, 12);
    v.TcoCont[4] = 0x123456;
    CancelStats1Page(memory, v);
    const VarGlob loaded = ThroughFile(v);
    EXPECT_EQ(loaded.PasCont, 6);
    EXPECT_EQ(loaded.StyleCont, memory.settings.StyleCont);
    EXPECT_EQ(loaded.NbCr, 6);
    EXPECT_EQ(loaded.TcoCont, memory.settings.TcoCont);
}

TEST(OptionsStatsPages, DefaultBootstrapRangesAndAPeRangeOutsideTheList)
{
    VarGlob v;
    const Stats2Page page = Stats2PageOf(v);
    EXPECT_EQ(kAzRangeItems[static_cast<std::size_t>(page.azRange)], 40);
    EXPECT_EQ(page.peRange, -1); // PeBS 40 would be a range of 80
    EXPECT_EQ(kTossingItems[static_cast<std::size_t>(page.tossings)], 2000);
    ASSERT_FALSE(TakeStats2Page(page, v));
    EXPECT_EQ(v.AmBS, 20);
    EXPECT_EQ(v.PeBS, 40);
}

TEST(OptionsStatsPages, EachStats2ControlChangesOnlyItsSetting)
{
    const ControlCase<Stats2Page> cases[] = {
        {"Az range", [](Stats2Page& p) { p.azRange = 8; }, [](VarGlob& v) { v.AmBS = 180; }},
        {"Pe range", [](Stats2Page& p) { p.peRange = 0; }, [](VarGlob& v) { v.PeBS = 5; }},
        {"Nb of tossings", [](Stats2Page& p) { p.tossings = 0; },
         [](VarGlob& v) { v.NbTirBS = 250; }},
        {"tilt angle cut-off", [](Stats2Page& p) { p.tiltCutOff = "12.5"; },
         [](VarGlob& v) { v.TDcutVal = Deg(12.5); }},
        {"axis trend cut-off", [](Stats2Page& p) { p.axisCutOff = "-45"; },
         [](VarGlob& v) { v.TDdelta = Deg(45); }},
        {"polygon min size", [](Stats2Page& p) { p.polygonMin = " 7 "; },
         [](VarGlob& v) { v.TDpoly1 = 7; }},
        {"underline rot max", [](Stats2Page& p) { p.polygonUnderline = "11"; },
         [](VarGlob& v) { v.TDpoly2 = 11; }},
        {"polygones summits", [](Stats2Page& p) { p.summitMark = "3"; },
         [](VarGlob& v) { v.TDsySum = 3; }},
        {"list rotation axis", [](Stats2Page& p) { p.listRotationAxes = !p.listRotationAxes; },
         [](VarGlob& v) { SetBit(v.OptS3Dadd, 7, !TestBit(v.OptS3Dadd, 7)); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.control);
        VarGlob v = Custom();
        VarGlob expected = v;
        Stats2Page page = Stats2PageOf(v);
        c.change(page);
        c.expected(expected);
        ASSERT_FALSE(TakeStats2Page(page, v));
        // The cut-offs go through "%1.1f" degrees: compared as the file keeps them.
        EXPECT_NEAR(v.TDcutVal, expected.TDcutVal, Deg(0.05));
        EXPECT_NEAR(v.TDdelta, expected.TDdelta, Deg(0.05));
        v.TDcutVal = expected.TDcutVal;
        v.TDdelta = expected.TDdelta;
        EXPECT_EQ(Stored(v), Stored(expected));
    }
}

TEST(OptionsStatsPages, SummitMarkIsKeptWithinOneToFour)
{
    const std::pair<const char*, int> cases[] = {{"9", 4}, {"0", 1}, {"-3", 1},
                                                 {"4", 4}, {"1", 1}, {"2147483647", 4}};
    for (const auto& [typed, stored] : cases) {
        VarGlob v;
        Stats2Page page = Stats2PageOf(v);
        page.summitMark = typed;
        ASSERT_FALSE(TakeStats2Page(page, v)) << typed;
        EXPECT_EQ(v.TDsySum, stored) << typed;
    }
}

TEST(OptionsStatsFaults, ABoxThatDoesNotReadIsNamedAndNothingIsTaken)
{
    struct Case {
        std::string Stats2Page::*box;
        const char* typed;
        const char* named;
    };
    const Case cases[] = {
        {&Stats2Page::polygonMin, "3a", "\"polygon min size\""},
        {&Stats2Page::polygonUnderline, "", "\"underline rot max for polygones >\""},
        {&Stats2Page::summitMark, "2.5", "\"polygones summits : symb n\xB0\""},
        {&Stats2Page::summitMark, "99999999999", "\"polygones summits"},
        {&Stats2Page::tiltCutOff, "1.2.3", "\"tilt angle cut-off\""},
        {&Stats2Page::axisCutOff, "1,2.3", "\"axis trend cut-off\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        const VarGlob custom = Custom();
        VarGlob v = custom;
        Stats2Page page = Stats2PageOf(v);
        // Boxes read before the bad one and lists all changed: none of it may be taken.
        page.azRange = 0;
        page.tossings = 4;
        page.tiltCutOff = c.box == &Stats2Page::tiltCutOff ? page.tiltCutOff : "20";
        page.polygonMin = c.box == &Stats2Page::polygonMin ? page.polygonMin : "9";
        page.*c.box = c.typed;
        const std::optional<std::string> refusal = TakeStats2Page(page, v);
        ASSERT_TRUE(refusal);
        EXPECT_NE(refusal->find(c.named), std::string::npos) << *refusal;
        EXPECT_NE(refusal->find(std::string("\"") + c.typed + "\""), std::string::npos);
        EXPECT_EQ(Stored(v), Stored(custom));
    }
}

TEST(OptionsStatsCancel, TrackdipBoxesReturnToTheOpeningValues)
{
    VarGlob v = Custom();
    const OptionsMemory memory = OpenOptions(v, v.Rc);
    Stats2Page page = Stats2PageOf(v);
    page.tiltCutOff = "33";
    page.axisCutOff = "44";
    page.polygonMin = "8";
    page.polygonUnderline = "9";
    page.summitMark = "2";
    page.azRange = 0;
    ASSERT_FALSE(TakeStats2Page(page, v));
    CancelStats2Page(memory, v);
    const VarGlob& old = memory.settings;
    EXPECT_EQ(v.TDcutVal, old.TDcutVal);
    EXPECT_EQ(v.TDdelta, old.TDdelta);
    EXPECT_EQ(v.TDpoly1, old.TDpoly1);
    EXPECT_EQ(v.TDpoly2, old.TDpoly2);
    // What the page's Cancel does not name keeps what OK took.
    EXPECT_EQ(v.TDsySum, 2);
    EXPECT_EQ(v.AmBS, 5);
}

// --- General ---------------------------------------------------------------------------

TEST(OptionsGeneralCancel, PaletteFlagsColourAndBatchFileReturnOtherBitsStay)
{
    VarGlob v = Custom();
    v.NomFBatch = "/data/first.pqb";
    OptionsMemory memory = OpenOptions(v, v.Rc);
    const VarGlob opening = memory.settings;
    v.Tco[3] = 0x0000FF;
    v.Tco[8] = 0x00FF00; // a fixed colour: not the page's
    v.Couleur = 5;
    for (int bit : {kGeneToolBar, kGeneHelpOnTop, kGeneOptionsKeepOn, kGeneImportNumber})
        SetBit(v.StyleGene, bit, !TestBit(v.StyleGene, bit));
    v.NomFBatch = "/data/second.pqb";
    AcceptGeneralPage(memory, v);
    EXPECT_EQ(v.Couleur, opening.Couleur);
    v.NomFBatch = "/data/third.pqb";

    CancelGeneralPage(memory, v);
    EXPECT_TRUE(std::equal(v.Tco.begin(), v.Tco.begin() + 8, opening.Tco.begin()));
    EXPECT_EQ(v.Tco[8], 0x00FF00);
    for (int bit : {kGeneToolBar, kGeneHelpOnTop, kGeneOptionsKeepOn})
        EXPECT_EQ(TestBit(v.StyleGene, bit), TestBit(opening.StyleGene, bit)) << bit;
    // The import page's flag, accepted there, is not the General page's to undo.
    EXPECT_NE(TestBit(v.StyleGene, kGeneImportNumber),
              TestBit(opening.StyleGene, kGeneImportNumber));
    EXPECT_EQ(v.NomFBatch, "/data/second.pqb"); // the last accepted
}

} // namespace
} // namespace ploq

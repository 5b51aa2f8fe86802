// The values of the contouring dialog: the level list (sorted insertion, re-sorting, the limit of
// ten), the grey scale both ways, the default levels, the option word, the checks of "Contour",
// the typed values, and the counting over the working set, with a Monte Carlo of U.

#include "stats3d/ContourLevels.h"

#include "app/VarGlob.h"
#include "canvas/Plot.h"
#include "canvas/UtilDessin.h"
#include "canvas/UtilPlot.h"
#include "model/TypesGlob.h"
#include "stats3d/Contours.h"
#include "support/Draws.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace ploq {
namespace {

constexpr double kPi = std::numbers::pi;

double Rad(double degrees)
{
    return degrees * kDegToRad;
}

const Net kNet{215, 215, 200};

std::vector<double> Values(const ContourLevelList& list)
{
    std::vector<double> z;
    for (const Contour& c : list.levels())
        z.push_back(c.z);
    return z;
}

std::vector<TColor> Colours(const ContourLevelList& list)
{
    std::vector<TColor> c;
    for (const Contour& level : list.levels())
        c.push_back(level.cz);
    return c;
}

ContourLevelList ListOf(std::initializer_list<Contour> levels)
{
    ContourLevelList list;
    for (const Contour& c : levels)
        EXPECT_EQ(list.add(c.z, c.cz), LevelEdit::Done);
    return list;
}

// The grey by hand: each channel round((100 - p) 2.4).
TEST(ContourGrey, PercentToColourAndBack)
{
    struct Row {
        double percent;
        int channel;
    };
    const Row rows[] = {{22.5, 186}, {0, 240}, {100, 0}, {15, 204}, {50, 120}, {80, 48}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.percent);
        EXPECT_EQ(GreyOfPercent(r.percent), rgb(r.channel, r.channel, r.channel));
        EXPECT_NEAR(PercentOfGrey(rgb(r.channel, r.channel, r.channel)), r.percent, 0.21);
    }
    EXPECT_DOUBLE_EQ(PercentOfGrey(rgb(186, 186, 186)), 22.5);
    // Ranks of four levels: 20, 40, 60, 80 percent.
    EXPECT_EQ(LevelGrey(0, 4), rgb(192, 192, 192));
    EXPECT_EQ(LevelGrey(3, 4), rgb(48, 48, 48));
}

TEST(ContourLevelListTest, AddAtTheSortedPlaceWithTheColoursMovedDown)
{
    ContourLevelList list = ListOf({{1, 11}, {2, 22}, {4, 44}});
    int at = -1;
    EXPECT_EQ(list.add(3, 33, &at), LevelEdit::Done);
    EXPECT_EQ(at, 2);
    EXPECT_EQ(Values(list), (std::vector<double>{1, 2, 3, 4}));
    EXPECT_EQ(Colours(list), (std::vector<TColor>{11, 22, 33, 44}));
    EXPECT_EQ(list.add(0.5, 5, &at), LevelEdit::Done);
    EXPECT_EQ(at, 0);
    EXPECT_EQ(list.add(2.0, 99), LevelEdit::Duplicate);
    EXPECT_EQ(list.count(), 5);

    ContourColours tco{};
    list.storeColours(tco);
    EXPECT_EQ((std::vector<TColor>(tco.begin(), tco.begin() + 6)),
              (std::vector<TColor>{5, 11, 22, 33, 44, 0}));

    const TContour tz = list.toTContour();
    EXPECT_DOUBLE_EQ(tz[4].z, 4);
    EXPECT_DOUBLE_EQ(tz[5].z, -1);
    EXPECT_EQ(tz[12].cz, clWhite);
}

TEST(ContourLevelListTest, TheEleventhLevelIsRefused)
{
    ContourLevelList list;
    for (int i = 1; i <= kMaxContourLevels; ++i)
        ASSERT_EQ(list.add(i, static_cast<TColor>(i)), LevelEdit::Done);
    EXPECT_EQ(list.add(0.5, 0), LevelEdit::Full);
    EXPECT_EQ(list.count(), 10);
    EXPECT_DOUBLE_EQ(list.at(0).z, 1);
}

// Levels 1, 2, 4; modifying 1 into 5 must not leave 5 before 2 and 4, whose fills would paint
// over it.
TEST(ContourLevelListTest, ModifyReSortsEachColourWithItsLevel)
{
    struct Row {
        int index;
        double z;
        std::vector<double> values;
        std::vector<TColor> colours;
        int moved;
    };
    const Row rows[] = {
        {0, 5, {2, 4, 5}, {22, 44, 55}, 2},
        {2, 1.5, {1, 1.5, 2}, {11, 55, 22}, 1},
        {1, 3, {1, 3, 4}, {11, 55, 44}, 1},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.z);
        ContourLevelList list = ListOf({{1, 11}, {2, 22}, {4, 44}});
        int moved = -1;
        EXPECT_EQ(list.modify(r.index, r.z, 55, &moved), LevelEdit::Done);
        EXPECT_EQ(Values(list), r.values);
        EXPECT_EQ(Colours(list), r.colours);
        EXPECT_EQ(moved, r.moved);
    }
    ContourLevelList list = ListOf({{1, 11}, {2, 22}});
    EXPECT_EQ(list.modify(0, 2, 0), LevelEdit::Duplicate);
    EXPECT_EQ(list.modify(5, 3, 0), LevelEdit::NoSelection);
    EXPECT_EQ(list.remove(0), LevelEdit::Done);
    EXPECT_EQ(Values(list), (std::vector<double>{2}));
}

TEST(ContourLevelListTest, ListAndFieldTexts)
{
    EXPECT_EQ(LevelListText(2), "  2.0");
    EXPECT_EQ(LevelListText(12.5), " 12.5");
    EXPECT_EQ(LevelListText(256), "256.0");
    EXPECT_EQ(LevelFieldText(1), "1.0");
    EXPECT_EQ(LevelFieldText(0.5), ".5");
    EXPECT_EQ(LevelFieldText(16), "16.0");
}

// n copies of the vertical: every node within the cone of the vertical counts all of them,
// none more, so the maximum is n; U = (1 - cos 20) n.
std::vector<Direction> Vertical(int n)
{
    return std::vector<Direction>(static_cast<std::size_t>(n), Direction{0, kPi / 2});
}

TEST(ContourDefaults, DoublingLevelsBelowTheMaximumAtMostTen)
{
    struct Row {
        int n;
        bool uniformity;
        bool grey;
        std::vector<double> levels;
        bool rawAfter;
    };
    // With uniformity multiples a level L stays while L (1 - cos 20) n < n, L < 16.58.
    const Row rows[] = {
        {40, true, false, {1, 2, 4, 8, 16}, false},
        {40, false, false, {1, 2, 4, 8, 16, 32}, true},
        {5000, false, true, {1, 2, 4, 8, 16, 32, 64, 128, 256, 512}, true},
        {5000, true, true, {1, 2, 4, 8, 16}, false},
        {1, false, false, {}, true}, // a maximum of 1 is not above the level 1 in raw counts
        {0, true, false, {}, true},  // nothing counted: raw data, U = 1
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.n);
        ContourDialogState s = OpeningState(0x60000, kDefaultTcoCont);
        s.pas = 9;
        s.cone = 30;
        s.uniformity = r.uniformity;
        s.greyScale = r.grey;
        s.levelField = "7.0";
        DefaultParameters(s, Vertical(r.n), kNet);
        EXPECT_EQ(s.pas, 6);
        EXPECT_DOUBLE_EQ(s.cone, 20);
        EXPECT_EQ(s.max, r.n);
        EXPECT_EQ(s.uniformity, !r.rawAfter);
        EXPECT_EQ(s.levelField, "1.0");
        EXPECT_EQ(Values(s.levels), r.levels);
        const int n = static_cast<int>(r.levels.size());
        for (int i = 0; i < n; ++i) {
            const int channel =
                static_cast<int>(std::lround((100 - (i + 1) * 80.0 / n) * 240 / 100));
            const TColor expected = r.grey ? rgb(channel, channel, channel)
                                           : kDefaultTcoCont[static_cast<std::size_t>(i)];
            EXPECT_EQ(s.levels.at(i).cz, expected) << i;
        }
        if (r.n > 0)
            EXPECT_NEAR(s.U, (1 - std::cos(Rad(20))) * r.n, 1e-12);
        else
            EXPECT_DOUBLE_EQ(s.U, 1);
        EXPECT_DOUBLE_EQ(s.funif(), r.rawAfter ? 1 : s.U);
    }
    // A maximum not above U gives no level in uniformity multiples.
    ParamContours p;
    DoublingLevels(p, 5, 5, false, kDefaultTcoCont, false);
    EXPECT_EQ(p.nz, 0);
}

TEST(ContourGreyScale, SwitchingRecoloursAndRestores)
{
    ContourDialogState s = OpeningState(0x60000, kDefaultTcoCont);
    s.levels = ListOf({{1, 5}, {2, 6}, {4, 7}, {8, 8}});
    SetGreyScale(s, true);
    EXPECT_EQ(Colours(s.levels), (std::vector<TColor>{rgb(192, 192, 192), rgb(144, 144, 144),
                                                      rgb(96, 96, 96), rgb(48, 48, 48)}));
    SetGreyScale(s, false);
    EXPECT_EQ(Colours(s.levels),
              (std::vector<TColor>(kDefaultTcoCont.begin(), kDefaultTcoCont.begin() + 4)));
    s.greyPercent = 22.5;
    EXPECT_EQ(s.currentColour(), s.colour);
    s.greyScale = true;
    EXPECT_EQ(s.currentColour(), rgb(186, 186, 186));
}

TEST(ContourOptionWord, OpeningFromStyleContAndBack)
{
    struct Row {
        std::int32_t word;
        bool filled, black, grey, uniformity, collapsed;
        ContourDrawingChoice drawing;
        int pas;
    };
    const Row rows[] = {
        {0x60000, false, false, false, false, false, ContourDrawingChoice::Segments, 6},
        {0x6000B, true, true, false, true, false, ContourDrawingChoice::Segments, 6},
        {0x90034, false, false, true, false, true, ContourDrawingChoice::Polygons, 9},
        {0x3004F, true, true, true, true, false, ContourDrawingChoice::BezierCurves, 3},
        {0x0F0080 | 0x1000000 | 0x41, true, false, false, false, false,
         ContourDrawingChoice::BezierCurves, 15},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.word);
        const ContourDialogState s = OpeningState(r.word, kDefaultTcoCont);
        EXPECT_EQ(s.filled, r.filled);
        EXPECT_EQ(s.blackLine, r.black);
        EXPECT_EQ(s.greyScale, r.grey);
        EXPECT_EQ(s.uniformity, r.uniformity);
        EXPECT_EQ(s.collapsed, r.collapsed);
        EXPECT_EQ(s.drawing, r.drawing);
        EXPECT_EQ(s.pas, r.pas);
        EXPECT_DOUBLE_EQ(s.cone, 20);
        ASSERT_EQ(s.levels.count(), 1);
        EXPECT_DOUBLE_EQ(s.levels.at(0).z, 1.5);
        EXPECT_EQ(s.levels.at(0).cz, r.grey ? rgb(204, 204, 204) : kDefaultTcoCont[0]);
        EXPECT_DOUBLE_EQ(s.funif(), 1);
        // Bits the dialog does not own (7, 24 and up) are kept.
        EXPECT_EQ(StyleContOf(s, r.word), r.word);
    }
    // A grid step below 3 in the word opens at 3.
    EXPECT_EQ(OpeningState(0x10000, kDefaultTcoCont).pas, 3);
}

TEST(ContourDrawing, ModeCAndNotes)
{
    struct Row {
        ContourDrawingChoice drawing;
        bool filled;
        int modeC;
        const char* note;
    };
    const Row rows[] = {
        {ContourDrawingChoice::Segments, true, kContourSegments, "(segments) "},
        {ContourDrawingChoice::Polygons, false, kContourPolylines, "(polygones) "},
        {ContourDrawingChoice::BezierCurves, false, kContourBezier, "(Bezier smoothing) "},
        {ContourDrawingChoice::BezierCurves, true, kContourPolylines,
         "(no smoothing when filled !) "},
    };
    for (const Row& r : rows) {
        ContourDialogState s;
        s.drawing = r.drawing;
        s.filled = r.filled;
        EXPECT_EQ(ModeCOf(s), r.modeC);
        EXPECT_EQ(ParamsOf(s).modeC, r.modeC);
        EXPECT_EQ(DrawingNote(s), r.note);
    }
    EXPECT_EQ(BezierNote(true), "(Bezier smoothing) ");
    EXPECT_EQ(BezierNote(false), "(no smoothing) ");
}

TEST(ContourLabels, UniformityAndRawValues)
{
    ContourDialogState s;
    s.uniformity = true;
    s.U = 60.3;
    s.max = 241;
    EXPECT_EQ(UnitLabel(s), " uniformity multiples (1*u = 60.3) ");
    EXPECT_EQ(MaxLabel(s), " max = 241 (uniformity * 4.0)");
    s.uniformity = false;
    EXPECT_EQ(UnitLabel(s), " raw values (max = 241 values)");
    EXPECT_EQ(MaxLabel(s), "");
}

TEST(ContourChecks, BeforeDrawing)
{
    struct Row {
        int pas;
        double cone;
        double level;
        int pasAfter;
        double coneAfter;
        double levelAfter;
    };
    const Row rows[] = {
        {6, 20, 2.0, 6, 20, 2.01},  {6, 10, 1.5, 6, 12, 1.5}, {2, 4, 3.005, 3, 6, 3.01},
        {6, 20, 1.98, 6, 20, 1.98}, {5, 10, 0.5, 5, 10, 0.5},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.level);
        ContourDialogState s;
        s.uniformity = false;
        s.pas = r.pas;
        s.cone = r.cone;
        s.levels = ListOf({{r.level, 7}});
        const std::optional<ParamContours> p = ContourParamsFor(s, Vertical(10), kNet);
        ASSERT_TRUE(p);
        EXPECT_EQ(s.pas, r.pasAfter);
        EXPECT_DOUBLE_EQ(s.cone, r.coneAfter);
        EXPECT_EQ(p->pas, r.pasAfter);
        EXPECT_DOUBLE_EQ(p->cone, r.coneAfter);
        EXPECT_EQ(p->nz, 1);
        EXPECT_NEAR(p->tz[0].z, r.levelAfter, 1e-12);
        EXPECT_EQ(p->tz[0].cz, 7);
        EXPECT_DOUBLE_EQ(p->max, 10);
        EXPECT_DOUBLE_EQ(p->funif, 1);
    }
    ContourDialogState empty;
    empty.levels = ContourLevelList{};
    empty.pas = 2;
    EXPECT_FALSE(ContourParamsFor(empty, Vertical(10), kNet));
    EXPECT_EQ(empty.pas, 2) << "nothing changed without a level";
}

TEST(ContourTypedValues, RefusedAndRead)
{
    struct Step {
        const char* text;
        int fromPreferences;
        std::optional<int> read;
    };
    const Step steps[] = {{"6", 6, 6},
                          {" 5 ", 6, 5},
                          {"30", 6, 30},
                          {"4", 4, 4},
                          {"3", 3, 3},
                          {"4", 6, std::nullopt},
                          {"31", 6, std::nullopt},
                          {"2.5", 6, std::nullopt},
                          {"abc", 6, std::nullopt},
                          {"", 6, std::nullopt},
                          {"-6", 6, std::nullopt},
                          {"6x", 6, std::nullopt}};
    for (const Step& s : steps)
        EXPECT_EQ(ReadGridStep(s.text, s.fromPreferences), s.read) << s.text;

    struct Real {
        const char* text;
        std::optional<double> read;
    };
    const Real cones[] = {{"", 20},   {"  ", 20}, {"12,5", 12.5}, {"89.9", 89.9}, {"0", {}},
                          {"90", {}}, {"-5", {}}, {"x", {}},      {"1.2.3", {}}};
    for (const Real& r : cones)
        EXPECT_EQ(ReadCone(r.text), r.read) << r.text;
    const Real levels[] = {{".5", 0.5}, {"1,5", 1.5}, {"2", 2},    {"0", {}},
                           {"-1", {}},  {"", {}},     {"two", {}}, {"1e2", {}}};
    for (const Real& r : levels)
        EXPECT_EQ(ReadLevel(r.text), r.read) << r.text;
    const Real greys[] = {{"0", 0},      {"100", 100}, {"22.5", 22.5}, {"-10", {}},
                          {"100.1", {}}, {"", {}},     {"%", {}}};
    for (const Real& r : greys)
        EXPECT_EQ(ReadGreyPercent(r.text), r.read) << r.text;
}

InfoVal Line(double trendDeg, double plungeDeg)
{
    InfoVal v;
    v.na = "L";
    v.azi = Rad(trendDeg);
    v.pen = Rad(plungeDeg);
    return v;
}

// Ten vertical lines of the chosen set; thirty lines at 45/090 hidden or of another set: the
// maximum is 10 and U that of the ten, not of the forty.
TEST(ContourCounting, OverTheWorkingSetHiddenRecordsLeftOut)
{
    VarGlob settings;
    for (const int kind : {kWPOrdinary, kWPRotated}) {
        SCOPED_TRACE(kind);
        CanvasModel canvas(kind, settings);
        for (int i = 0; i < 10; ++i)
            AjoutVal(canvas, Line(0, 90), 1, 0);
        for (int i = 0; i < 15; ++i)
            SetBit(AjoutVal(canvas, Line(90, 45), 1, 0).inf, kInfPresent, false);
        for (int i = 0; i < 15; ++i)
            AjoutVal(canvas, Line(90, 45), 2, 0);
        SymbolSelection tsy;
        tsy.set(1, 0, true);
        const std::vector<Direction> set = ContourSet(canvas, tsy);
        ASSERT_EQ(set.size(), 10u);
        ContourDialogState s;
        s.uniformity = true;
        Recount(s, set, kNet);
        EXPECT_EQ(s.n, 10);
        EXPECT_EQ(s.max, 10);
        EXPECT_NEAR(s.U, (1 - std::cos(Rad(20))) * 10, 1e-12);
        EXPECT_TRUE(s.uniformity);
        DefaultParameters(s, set, kNet);
        EXPECT_EQ(Values(s.levels), (std::vector<double>{1, 2, 4, 8, 16}));
    }
    // A contour canvas gives its stored directions, another kind none.
    CanvasModel contour(kWPContouring, settings);
    KeepContouring(contour, Vertical(3), ParamContours{});
    EXPECT_EQ(ContourSet(contour, SymbolSelection{}).size(), 3u);
    CanvasModel counting(kWPCounting, settings);
    EXPECT_TRUE(ContourSet(counting, SymbolSelection{}).empty());
}

// 5000 axes spread evenly over the sphere: the node densities average close to U, the expected
// count of a node, not to twice it. Each node count is binomial (5000, 1 - cos 20) with a
// standard deviation near 17; the mean over the hemisphere's nodes varies by about 1.5 %.
TEST(ContourCounting, MonteCarloOfUniformAxesAveragesOneUniformity)
{
    test::Draws draws(4417);
    std::vector<Direction> axes;
    for (int i = 0; i < 5000; ++i) {
        const double z = 2 * draws.uniform() - 1;
        const double phi = 2 * kPi * draws.uniform();
        const double r = std::sqrt(1 - z * z);
        axes.push_back(VecToDir({r * std::cos(phi), r * std::sin(phi), z}));
    }
    for (const bool wulff : {false, true}) {
        const Net net{215, 215, 200, true, wulff};
        ContourDialogState s;
        s.uniformity = true;
        Recount(s, axes, net);
        const ConeCount count(axes, s.cone, net);
        const ContourGrid g =
            BuildContourGrid(net, s.pas, [&count](PlaneOffset o) { return count(o); });
        double sum = 0;
        int nodes = 0;
        for (std::size_t i = 0; i < g.flag.size(); ++i)
            if (g.flag[i] != kNodeOutside) {
                sum += g.value[i];
                ++nodes;
            }
        ASSERT_GT(nodes, 500);
        EXPECT_NEAR(sum / nodes / s.U, 1.0, 0.05) << (wulff ? "Wulff" : "Schmidt");
        EXPECT_GT(s.max / s.U, 1.0);
        EXPECT_LT(s.max / s.U, 1.6);
    }
}

} // namespace
} // namespace ploq

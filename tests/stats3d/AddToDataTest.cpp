// New measurements from additional values and constructions: the codes, symbol and colour the
// user gives them, the refusals (a change of class, nothing chosen, a full canvas) and the
// lines written; and the two entries a circle fitted by hand leaves.

#include "stats3d/AddToData.h"

#include "platform/RecordingSurface.h"
#include "stats3d/ManualCircle.h"
#include "stats3d/Stats3Dadd.h"

#include <gtest/gtest.h>

namespace ploq {
namespace {

double Rad(double degrees)
{
    return degrees * kDegToRad;
}

InfoVal Record(const char* nature, double trendDeg, double plungeDeg, const char* comment = "")
{
    InfoVal v;
    v.na = nature;
    v.azi = Rad(trendDeg);
    v.pen = Rad(plungeDeg);
    v.sy = 9;
    v.nco = 3;
    v.co = comment;
    return v;
}

struct Canvas {
    Canvas(int records = 2, int natWP = kWPOrdinary) : model(natWP, settings)
    {
        model.SetRayon(150, images);
        model.lStylePlot = 1 << kInfDrawTrace;
        for (int i = 0; i < records; ++i)
            model.AddRecord(Record("L", 10, 10));
        model.lNC = records;
    }
    VarGlob settings;
    RecordingImageFactory images;
    CanvasModel model;
};

TEST(AddToData, AnEntryBecomesAMeasurementOfTheCanvas)
{
    struct Row {
        int nat;
        const char* nature;
        bool plane;
    };
    for (const Row& r : {Row{kAddBestAxis, "L", false}, Row{kAddPoleBP, "S", true},
                         Row{kAddRotationPole, "", false}, Row{kAddManualGC, "S", true},
                         Row{kAddPoleBGC, "L", false}}) {
        SCOPED_TRACE(r.nat);
        Canvas c(3);
        InfoAdd e;
        e.nat = r.nat;
        e.nco = 5;
        e.x[0] = Rad(120);
        e.y[0] = Rad(35);
        const AddToDataRequest request{
            kAddToDataOne, "", {AddValueRecord(e, 12, c.model.lStylePlot, c.model.net())}};
        const AddToDataChoices choices = InitialAddToData(request);
        EXPECT_EQ(choices.nature, r.nature);
        EXPECT_EQ(choices.comment, "add.v 12");
        EXPECT_EQ(choices.symbol, 9);
        EXPECT_EQ(choices.colour, 5);
        const AddToDataResult result = AddToData(c.model, request, choices);
        ASSERT_EQ(result.refusal, AddToDataRefusal::None);
        EXPECT_EQ(result.numbers, (std::vector<int>{4}));
        EXPECT_EQ(result.line, "(added to data list, number : 4)");
        ASSERT_EQ(c.model.lNT, 4);
        EXPECT_EQ(c.model.lNC, 4);
        const InfoVal& v = c.model.lVal[4];
        EXPECT_EQ(v.na, r.nature);
        EXPECT_EQ(v.co, "add.v 12");
        EXPECT_EQ(v.sy, 9);
        EXPECT_EQ(v.nco, 5);
        EXPECT_EQ(TestBit(v.inf, kInfPlane), r.plane);
        EXPECT_TRUE(TestBit(v.inf, kInfPresent));
        EXPECT_TRUE(TestBit(v.inf, kInfDrawTrace)) << "the canvas's plot style";
        EXPECT_EQ((Point{v.p, v.q}), DirToPixel({Rad(120), Rad(35)}, c.model.net()));
    }
}

TEST(AddToData, CodesSymbolAndColourChosen)
{
    Canvas c;
    const AddToDataRequest request{kAddToDataOne, "", {Record("S", 200, 40)}};
    AddToDataChoices choices = InitialAddToData(request);
    choices.nature = "Sxb-foreset";
    choices.number = "1234567890";
    choices.location = "Bed C";
    choices.comment = "too long a comment";
    choices.symbol = 4;
    choices.tailed = true;
    choices.colour = 11;
    ASSERT_EQ(AddToData(c.model, request, choices).refusal, AddToDataRefusal::None);
    const InfoVal& v = c.model.lVal[3];
    EXPECT_EQ(v.na, "Sxb-fores") << "codes are cut to 9 characters";
    EXPECT_EQ(v.nu, "123456789");
    EXPECT_EQ(v.lo, "Bed C");
    EXPECT_EQ(v.co, "too long ");
    EXPECT_EQ(v.sy, -4) << "tailed";
    EXPECT_EQ(v.nco, 11);
    EXPECT_TRUE(TestBit(v.inf, kInfPlane));
}

TEST(AddToData, RefusalsAddNothing)
{
    struct Row {
        const char* name;
        const char* from;
        const char* to;
        int records;
        AddToDataRefusal refusal;
    };
    const Row rows[] = {
        {"a line made a plane", "L", "S", 2, AddToDataRefusal::TypeChanged},
        {"a plane made a line", "S", "Lx", 2, AddToDataRefusal::TypeChanged},
        {"a plane made empty", "F", "", 2, AddToDataRefusal::TypeChanged},
        {"no nature made a plane", "", "P", 2, AddToDataRefusal::TypeChanged},
        {"a lower-case plane letter is a plane", "S", "f2", 2, AddToDataRefusal::None},
        {"a line with another line letter", "L", "B", 2, AddToDataRefusal::None},
        {"no nature kept a line", "", "A", 2, AddToDataRefusal::None},
        {"a canvas of 5000 records", "L", "L", kMaxValues, AddToDataRefusal::CanvasFull},
        {"one record of room", "L", "L", kMaxValues - 1, AddToDataRefusal::None},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Canvas c(r.records);
        const AddToDataRequest request{kAddToDataOne, "", {Record(r.from, 10, 20)}};
        AddToDataChoices choices = InitialAddToData(request);
        choices.nature = r.to;
        const AddToDataResult result = AddToData(c.model, request, choices);
        EXPECT_EQ(result.refusal, r.refusal);
        const bool added = r.refusal == AddToDataRefusal::None;
        EXPECT_EQ(c.model.lNT, r.records + (added ? 1 : 0));
        EXPECT_EQ(c.model.lNC, r.records + (added ? 1 : 0));
        EXPECT_EQ(result.line.empty(), !added);
    }
    EXPECT_EQ(AddToDataMessage({}, AddToDataRefusal::TypeChanged),
              "You can't change the type of the value (axis or plane)");
    EXPECT_EQ(AddToDataMessage({}, AddToDataRefusal::CanvasFull), kMsgCanvasFull);

    Canvas counting(0, kWPCounting);
    const AddToDataRequest request{kAddToDataOne, "", {Record("L", 10, 20)}};
    EXPECT_EQ(AddToData(counting.model, request, InitialAddToData(request)).refusal,
              AddToDataRefusal::CanvasFull)
        << "a canvas that holds no records";
}

TEST(AddToData, TwoRecordsOfAConstruction)
{
    const Notation notation{1, 1}; // dip/dip direction, plunge/direction
    struct Row {
        const char* name;
        int mode;
        bool first, second;
        std::vector<const char*> comments; // of the records added
        const char* line;
        const char* message;
    };
    const Row rows[] = {
        {"both bisector planes",
         kAddToDataBisectorPlanes,
         true,
         true,
         {"b1", "b1"},
         "(biss. 1 and 2 added to data list, number : 3 and 4)",
         ""},
        {"the first bisector",
         kAddToDataBisectorLines,
         true,
         false,
         {"b1"},
         "(biss. 1 added to data list, number : 3)",
         ""},
        {"the second bisector",
         kAddToDataBisectorLines,
         false,
         true,
         {"b1"},
         "(biss. 2 added to data list, number : 3)",
         ""},
        {"no bisector", kAddToDataBisectorPlanes, false, false, {}, "", "No bissector selected"},
        {"both intersections", kAddToDataIntersections, true, true, {"b1", "b1"}, "", ""},
        {"no intersection chosen", kAddToDataIntersections, false, false, {}, "", ""},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Canvas c;
        const char* nature = r.mode == kAddToDataBisectorPlanes ? "S" : "L";
        const AddToDataRequest request{
            r.mode, "", {Record(nature, 30, 40, "biss. 2S"), Record(nature, 210, 10, "biss. 2S")}};
        AddToDataChoices choices = InitialAddToData(request);
        EXPECT_TRUE(ChoosesRecords(request));
        choices.take = {r.first, r.second};
        choices.comment = "b1";
        const AddToDataResult result = AddToData(c.model, request, choices);
        EXPECT_EQ(result.line, r.line);
        EXPECT_EQ(AddToDataMessage(request, result.refusal), r.message);
        ASSERT_EQ(c.model.lNT, 2 + static_cast<int>(r.comments.size()));
        if (!r.first && r.second) {
            EXPECT_EQ(c.model.lVal[3].azi, Rad(210)) << "the second record";
        }
    }

    const AddToDataRequest bisectors{
        kAddToDataBisectorPlanes, "", {Record("S", 30, 40), Record("S", 210, 10)}};
    EXPECT_EQ(AddToDataBox(bisectors, 0, notation, false), "add biss.1 (50 / 210)");
    EXPECT_EQ(AddToDataBox(bisectors, 1, notation, true), "add biss.2 (80.0 / 30.0)");
    const AddToDataRequest intersections{
        kAddToDataIntersections, "", {Record("L", 30, 40), Record("L", 210, 10)}};
    EXPECT_EQ(AddToDataBox(intersections, 0, notation, false), "add int.1 (40 / 30)");
    EXPECT_EQ(AddToDataBox(intersections, 1, notation, false), "add int.2 (10 / 210)");
    EXPECT_EQ(AddToDataBox(intersections, 2, notation, false), "");

    Canvas c(kMaxValues - 1);
    AddToDataChoices both = InitialAddToData(intersections);
    EXPECT_EQ(AddToData(c.model, intersections, both).refusal, AddToDataRefusal::CanvasFull)
        << "two records, one slot";
    EXPECT_EQ(c.model.lNT, kMaxValues - 1);
}

TEST(ManualCircle, TwoEntriesAndTheirMemory)
{
    struct Row {
        char type;
        int circleKind;
        int poleKind;
        double apertureDeg; // as given
        double keptDeg;     // as kept
        std::size_t colourSlot;
        std::size_t symbolSlot;
        const char* caption;
    };
    const Row rows[] = {
        {'+', 43, 44, 33, 90, 43, 44, "Great circle"},
        {'-', 45, 46, 33, 33, 45, 46, "Small circle"},
        {'/', 47, 48, 33, 90, 47, 47, "Great circle by 2 points"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.caption);
        Canvas c;
        c.settings.TcoAdd[r.colourSlot] = 7;
        c.settings.SyAdd[r.symbolSlot] = 105;
        ManualCircleChoices choices = InitialManualChoices(r.type, c.settings);
        EXPECT_EQ(choices.colour, 7);
        EXPECT_EQ(choices.symbol, 105);
        EXPECT_TRUE(choices.plotPole);
        EXPECT_EQ(choices.closest, (ClosestValues{4, false, true}));
        EXPECT_EQ(ManualCircleCaption(r.type), r.caption);

        choices.plotPole = false;
        choices.tailed = true;
        choices.closest = {10, true, false};
        const ManualCircle circle{r.type, {Rad(100), Rad(50)}, Rad(r.apertureDeg)};
        InfoAdd before;
        before.nat = kAddPoleBGC;
        ASSERT_TRUE(AppendAdd(c.model, std::span(&before, 1)));
        ASSERT_TRUE(KeepManualFit(c.model, circle, choices));
        ASSERT_EQ(c.model.lNAdd, 3);
        const InfoAdd& ring = c.model.lAdd[1];
        const InfoAdd& pole = c.model.lAdd[2];
        EXPECT_EQ(ring.nat, r.circleKind);
        EXPECT_EQ(pole.nat, r.poleKind);
        EXPECT_EQ(ring.rang, 2);
        EXPECT_EQ(pole.rang, 3);
        EXPECT_TRUE(ring.vis);
        EXPECT_FALSE(pole.vis) << "plot the pole unticked";
        EXPECT_EQ(ring.a[1], 1) << "pen width 1";
        EXPECT_NEAR(ring.x[1], Rad(r.keptDeg), 1e-12);
        EXPECT_NEAR(pole.x[1], Rad(r.keptDeg), 1e-12) << "the search reads it from the pole";
        EXPECT_EQ(ring.nco, 7);
        EXPECT_EQ(pole.nsy, -105);
        EXPECT_EQ(pole.x[0], Rad(100));
        EXPECT_EQ(pole.y[0], Rad(50));
        const Point pixel = DirToPixel({Rad(100), Rad(50)}, c.model.net());
        EXPECT_EQ((Point{pole.a[0], pole.b[0]}), pixel);
        EXPECT_EQ(pole.b[1], 10) << "maximum offset";
        EXPECT_EQ(pole.a[5], 1) << "List";
        EXPECT_EQ(pole.b[5], -1) << "Underline";
        EXPECT_EQ(c.model.lUndoPlot.bfit, r.circleKind);
        EXPECT_EQ(c.model.lUndoPlot.v2, 2);
        EXPECT_TRUE(c.model.lUndoPlot.actif);

        choices.colour = 12;
        choices.symbol = 108;
        choices.decimals = true;
        StoreManualChoices(r.type, choices, c.settings);
        EXPECT_EQ(c.settings.TcoAdd[r.colourSlot], 12);
        EXPECT_EQ(c.settings.SyAdd[r.symbolSlot], 108);
        EXPECT_TRUE(TestBit(c.settings.OptAdd, kOptAddDecimals));
        EXPECT_TRUE(TestBit(c.settings.OptAdd, kOptAddTailed));
        const ManualCircleChoices again = InitialManualChoices(r.type, c.settings);
        EXPECT_EQ(again.colour, 12);
        EXPECT_EQ(again.symbol, 108);
        EXPECT_TRUE(again.decimals && again.tailed);
    }
}

TEST(ManualCircle, RefusedWhenTheListIsFullOrTheTypeUnknown)
{
    Canvas c;
    InfoAdd e;
    e.nat = kAddPoleBGC;
    ASSERT_TRUE(AppendAdd(c.model, std::vector<InfoAdd>(99, e)));
    const ManualCircle circle{'+', {Rad(100), Rad(50)}};
    EXPECT_FALSE(KeepManualFit(c.model, circle, {}));
    EXPECT_EQ(c.model.lNAdd, 99);
    EXPECT_EQ(c.model.lUndoPlot.bfit, 0);
    Canvas empty;
    EXPECT_FALSE(KeepManualFit(empty.model, {'*', {}}, {}));
    EXPECT_EQ(empty.model.lNAdd, 0);
}

TEST(ManualCircle, Report)
{
    const Notation notation{1, 1};
    const DayCount now = toDayCount({2026, 12, 9, 14, 5, 0});
    const auto great = ManualCircleReport({'+', {Rad(100), Rad(50)}}, notation, false, now);
    ASSERT_EQ(great.size(), 2u);
    EXPECT_EQ(great[0].text, "14:05 - Great circle (manually fitted)");
    EXPECT_TRUE(great[0].bold);
    EXPECT_EQ(great[1].text, "pole : 50 / 100");
    const auto twoPoints = ManualCircleReport({'/', {Rad(100), Rad(50)}}, notation, true, now);
    EXPECT_EQ(twoPoints[0].text, "14:05 - Great circle (manually fitted)");
    EXPECT_EQ(twoPoints[1].text, "pole : 50.0 / 100.0");
    const auto small =
        ManualCircleReport({'-', {Rad(100), Rad(50)}, Rad(33.25)}, notation, true, now);
    EXPECT_EQ(small[0].text, "14:05 - Small circle (manually fitted)");
    EXPECT_EQ(small[1].text, "pole of the center : 50.0 / 100.0 aperture : 33.2");
    const auto rounded =
        ManualCircleReport({'-', {Rad(100), Rad(50)}, Rad(33.5)}, notation, false, now);
    EXPECT_EQ(rounded[1].text, "pole of the center : 50 / 100 aperture : 34");
}

} // namespace
} // namespace ploq

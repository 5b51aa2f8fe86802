// The display dialog's actions on the additional values of canvases, without the dialog:
// entries shown, hidden, deleted and copied by their number; the two lists; the copy kept for
// Cancel while other commands change the list; the canvas undo of appended entries.

#include "stats3d/DisplayAdd.h"

#include "canvas/DrawingProbe.h"
#include "stats3d/Stats3Dadd.h"

#include <gtest/gtest.h>

namespace ploq {
namespace {

double Rad(double degrees)
{
    return degrees * kDegToRad;
}

InfoAdd Entry(int nat, double trendDeg = 40, double plungeDeg = 30, int colour = 4,
              int symbol = 103)
{
    InfoAdd e;
    e.nat = nat;
    e.nco = colour;
    e.nsy = symbol;
    e.x[0] = Rad(trendDeg);
    e.y[0] = Rad(plungeDeg);
    e.x[1] = Rad(12);
    e.a[1] = 1;
    e.vis = e.initVis = true;
    return e;
}

// A canvas with entries of the kinds given, numbered 1, 2, ...
CanvasModel WithEntries(std::initializer_list<int> kinds, int natWP = kWPOrdinary)
{
    static const VarGlob settings;
    CanvasModel canvas(natWP, settings);
    double trend = 10;
    for (int nat : kinds) {
        const InfoAdd e = Entry(nat, trend += 25);
        EXPECT_TRUE(AppendAdd(canvas, std::span(&e, 1)));
    }
    return canvas;
}

std::vector<int> Numbers(const CanvasModel& canvas)
{
    std::vector<int> out;
    for (const InfoAdd& e : AddInUse(canvas))
        out.push_back(e.rang);
    return out;
}

std::vector<Primitive> Drawn(const InfoAdd& e, const CanvasModel& canvas)
{
    test::RecordingCanvas rc(150);
    DrawAddValue(rc.ctx, canvas, e);
    return rc.surface.primitives();
}

bool SameDrawing(const std::vector<Primitive>& a, const std::vector<Primitive>& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].shape != b[i].shape || a[i].points != b[i].points || a[i].box != b[i].box
            || a[i].pen.colour != b[i].pen.colour)
            return false;
    return true;
}

TEST(DisplayAdd, ShowAndHideByNumber)
{
    struct Row {
        const char* name;
        std::vector<std::pair<int, bool>> steps; // number, visible
        std::vector<bool> visible;               // of entries 1..4 afterwards
        bool found = true;
    };
    const Row rows[] = {
        {"hide one", {{2, false}}, {true, false, true, true}},
        {"hide two, show one again",
         {{2, false}, {4, false}, {2, true}},
         {true, true, true, false}},
        {"hide every one",
         {{1, false}, {2, false}, {3, false}, {4, false}},
         {false, false, false, false}},
        {"an unknown number changes nothing", {{9, false}}, {true, true, true, true}, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        CanvasModel canvas = WithEntries({1, 11, 12, 26});
        const std::vector<InfoAdd> before(AddInUse(canvas).begin(), AddInUse(canvas).end());
        for (auto [rang, vis] : r.steps)
            EXPECT_EQ(SetAddVisible(canvas, rang, vis), r.found);
        ASSERT_EQ(Numbers(canvas), (std::vector<int>{1, 2, 3, 4})) << "places and numbers kept";
        for (std::size_t i = 0; i < 4; ++i) {
            const InfoAdd& e = canvas.lAdd[i];
            EXPECT_EQ(e.vis, r.visible[i]) << i;
            EXPECT_EQ(Drawn(e, canvas).empty(), !e.vis) << i;
            if (e.vis) {
                EXPECT_TRUE(SameDrawing(Drawn(e, canvas), Drawn(before[i], canvas)))
                    << "shown again in its own colour and symbol: " << i;
            }
        }
    }

    CanvasModel canvas = WithEntries({1, 11, 12, 13, 26});
    const int shown[] = {2, 5, 7};
    ShowOnlyAdd(canvas, shown);
    std::vector<bool> vis;
    for (const InfoAdd& e : AddInUse(canvas))
        vis.push_back(e.vis);
    EXPECT_EQ(vis, (std::vector<bool>{false, true, false, false, true}));
}

TEST(DisplayAdd, DeleteByNumber)
{
    struct Row {
        const char* name;
        std::vector<int> deleted;
        std::vector<int> left; // numbers in positions 1..
        int appended;          // the number an entry appended next takes
    };
    const Row rows[] = {
        {"3 of 5", {3}, {1, 2, 4, 5}, 6},
        {"the first", {1}, {2, 3, 4, 5}, 6},
        {"two, one after the other", {3, 4}, {1, 2, 5}, 6},
        {"every one", {1, 2, 3, 4, 5}, {}, 1},
        {"an unknown number", {8}, {1, 2, 3, 4, 5}, 6},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        CanvasModel canvas = WithEntries({1, 11, 12, 13, 26});
        const InfoAdd fifth = canvas.lAdd[4];
        for (int rang : r.deleted)
            EXPECT_EQ(DeleteAdd(canvas, rang), rang <= 5);
        EXPECT_EQ(Numbers(canvas), r.left);
        EXPECT_EQ(canvas.lNAdd, static_cast<int>(r.left.size()));
        for (std::size_t i = r.left.size(); i < canvas.lAdd.size(); ++i)
            ASSERT_FALSE(canvas.lAdd[i].vis) << "freed slot " << i;
        if (const InfoAdd* e = FindAdd(canvas, 5)) {
            EXPECT_EQ(*e, fifth) << "the entries that move up are unchanged";
        }
        const InfoAdd next = Entry(26);
        ASSERT_TRUE(AppendAdd(canvas, std::span(&next, 1)));
        EXPECT_EQ(Numbers(canvas).back(), r.appended);
    }
}

TEST(DisplayAdd, CopyToAnotherCanvas)
{
    CanvasModel from = WithEntries({1, 11, 12, 26, 49});
    from.lAdd[1].vis = false;
    from.lAdd[1].b[1] = 1;
    from.lAdd[1].a[1] = 2;
    from.lAdd[4].a = {0, 1, 1, 3, -1, 2};
    CanvasModel to = WithEntries({25, 26});
    to.lUndoPlot = {0, 2, 0, 1, kAddBestGC, true};

    const int chosen[] = {4, 2, 5, 9};
    ASSERT_EQ(CopyAdd(from, chosen, to), CopyOutcome::Copied);
    EXPECT_EQ(Numbers(to), (std::vector<int>{1, 2, 3, 4, 5}));
    for (const auto& [copied, original] : {std::pair{2, 3}, {3, 1}, {4, 4}}) {
        InfoAdd expected = from.lAdd[static_cast<std::size_t>(original)];
        expected.rang = copied + 1;
        expected.vis = expected.initVis = true;
        if (expected.nat == kAddSC3Points)
            expected.a = {0, 1, 1, -1, -1, -1}; // its points as positions
        EXPECT_EQ(to.lAdd[static_cast<std::size_t>(copied)], expected) << copied;
    }
    EXPECT_FALSE(from.lAdd[1].vis) << "the source keeps its visibility";
    EXPECT_EQ(Numbers(from), (std::vector<int>{1, 2, 3, 4, 5}));
    EXPECT_FALSE(to.lUndoPlot.actif) << "its undo would take the copies";

    const int unknown[] = {7};
    EXPECT_EQ(CopyAdd(from, unknown, to), CopyOutcome::Nothing);

    CanvasModel full = WithEntries({});
    ASSERT_TRUE(AppendAdd(full, std::vector<InfoAdd>(99, Entry(26))));
    const int two[] = {1, 2};
    EXPECT_EQ(CopyAdd(from, two, full), CopyOutcome::Full);
    EXPECT_EQ(full.lNAdd, 99) << "all or nothing";
    EXPECT_EQ(CopyAdd(from, std::span(two).first(1), full), CopyOutcome::Copied);
    EXPECT_EQ(full.lNAdd, 100);

    static const VarGlob settings;
    CanvasModel contours(kWPContouring, settings);
    EXPECT_EQ(CopyAdd(from, two, contours), CopyOutcome::Full) << "it owns no list";
}

TEST(DisplayAdd, CanvasesAndKindsOffered)
{
    for (int kind = 0; kind < kWPKindCount; ++kind) {
        const bool offered = kind == 0 || kind == 1 || kind == 2 || kind == 3 || kind == 6;
        EXPECT_EQ(OffersAddList(kind), offered) << kind;
        EXPECT_EQ(AddsToData(kind), kind == 0 || kind == 1 || kind == 6) << kind;
    }
    struct Row {
        int nat;
        bool left;
        bool right;
    };
    for (const Row& r :
         {Row{1, true, true}, Row{12, false, false}, Row{13, false, false}, Row{27, false, false},
          Row{28, false, false}, Row{3, true, false}, Row{45, true, false}, Row{25, true, true},
          Row{22, true, true}, Row{44, true, true}, Row{99, false, false}}) {
        EXPECT_EQ(OffersAddToData(r.nat, false), r.left) << r.nat;
        EXPECT_EQ(OffersAddToData(r.nat, true), r.right) << r.nat;
    }
}

TEST(DisplayAdd, ListLines)
{
    struct Row {
        int nat;
        int rang;
        const char* line;
    };
    for (const Row& r : {Row{1, 1, "01  Best axis"}, Row{13, 12, "12  Conf. cone  99%, BA"},
                         Row{21, 7, "07  Pole of best plane"}, Row{38, 9, "09  "},
                         Row{26, 105, "105  Pole of best GC"}}) {
        InfoAdd e = Entry(r.nat);
        e.rang = r.rang;
        EXPECT_EQ(AddListLine(e), r.line);
    }
}

TEST(DisplayAdd, ListsOnOneCanvasAndFromOneToAnother)
{
    CanvasModel canvas = WithEntries({1, 11, 12, 13});
    canvas.lAdd[1].vis = false;
    canvas.lAdd[3].vis = false;
    EXPECT_EQ(InitialAddLists(canvas, true), (AddLists{{2, 4}, {1, 3}}));
    EXPECT_EQ(InitialAddLists(canvas, false), (AddLists{{1, 2, 3, 4}, {}}));

    AddLists lists = InitialAddLists(canvas, true);
    EXPECT_TRUE(MoveAddLine(lists, 4, true, canvas));
    EXPECT_EQ(lists, (AddLists{{2}, {1, 3, 4}}));
    EXPECT_TRUE(MoveAddLine(lists, 1, false, canvas));
    EXPECT_EQ(lists, (AddLists{{1, 2}, {3, 4}})) << "in the order of the list";
    EXPECT_FALSE(MoveAddLine(lists, 1, false, canvas)) << "not on the right list";

    // Another command appends two entries (one hidden) and removes one: the lines the user
    // moved stay where they are.
    const InfoAdd added[] = {Entry(26), Entry(25)};
    ASSERT_TRUE(AppendAdd(canvas, added));
    canvas.lAdd[5].vis = false;
    ASSERT_TRUE(DeleteAdd(canvas, 3));
    EXPECT_EQ(FollowAddLists(lists, canvas, true), (AddLists{{1, 2, 6}, {4, 5}}));
    EXPECT_EQ(FollowAddLists({{1}, {2}}, canvas, false), (AddLists{{1, 4, 5, 6}, {2}}));
}

TEST(DisplayAdd, DeleteWithOneOrTwoLinesSelected)
{
    struct Row {
        const char* name;
        bool same;
        int left, right; // the selected lines
        std::vector<int> remaining;
        AddLists lists;
    };
    // On one canvas 2 and 4 are hidden (left), 1 and 3 shown (right); from one canvas to
    // another 1, 2 and 4 are on the left and 3 is to be copied.
    const Row rows[] = {
        {"one canvas, a left line alone", true, 2, 0, {1, 3, 4}, {{4}, {1, 3}}},
        {"one canvas, a right line alone", true, 0, 3, {1, 2, 4}, {{2, 4}, {1}}},
        {"one canvas, both", true, 4, 1, {2, 3}, {{2}, {3}}},
        {"one canvas, no line", true, 0, 0, {1, 2, 3, 4}, {{2, 4}, {1, 3}}},
        {"two canvases, a left line", false, 4, 0, {1, 2, 3}, {{1, 2}, {3}}},
        {"two canvases, a right line goes back", false, 0, 3, {1, 2, 3, 4}, {{1, 2, 3, 4}, {}}},
        {"two canvases, both", false, 1, 3, {2, 3, 4}, {{2, 3, 4}, {}}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        CanvasModel canvas = WithEntries({1, 11, 12, 13});
        canvas.lAdd[1].vis = canvas.lAdd[3].vis = false;
        AddLists lists = r.same ? InitialAddLists(canvas, true) : AddLists{{1, 2, 4}, {3}};
        const bool changed = DeleteSelected(canvas, r.same, lists, r.left, r.right);
        EXPECT_EQ(changed, r.remaining.size() < 4);
        EXPECT_EQ(Numbers(canvas), r.remaining);
        EXPECT_EQ(lists, r.lists);
    }
}

TEST(DisplayAdd, CancelTakesBackOnlyWhatTheDialogDid)
{
    const InfoAdd bestPole[] = {Entry(1), Entry(11), Entry(12), Entry(13)};
    struct Row {
        const char* name;
        std::function<void(CanvasModel&, AddCopy&)> during;
        std::vector<int> afterCancel;
        bool restored;
        std::vector<int> hidden = {}; // numbers hidden after Cancel
    };
    const Row rows[] = {
        {"nothing done", [](CanvasModel&, AddCopy&) {}, {1, 2, 3}, false},
        {"a deletion",
         [](CanvasModel& c, AddCopy& copy) {
             DeleteAdd(c, 2);
             NoteOwnChange(copy, c);
         },
         {1, 2, 3},
         true},
        {"a best pole run meanwhile",
         [&](CanvasModel& c, AddCopy& copy) {
             AppendAdd(c, bestPole);
             FollowElsewhere(copy, c);
         },
         {1, 2, 3, 4, 5, 6, 7},
         false},
        {"a deletion, then a best pole run",
         [&](CanvasModel& c, AddCopy& copy) {
             DeleteAdd(c, 1);
             NoteOwnChange(copy, c);
             AppendAdd(c, bestPole);
             FollowElsewhere(copy, c);
         },
         {1, 2, 3, 4, 5, 6, 7},
         true},
        {"the last one deleted, its number taken again by a new entry",
         [&](CanvasModel& c, AddCopy& copy) {
             DeleteAdd(c, 3);
             NoteOwnChange(copy, c);
             AppendAdd(c, std::span(bestPole).first(1));
             FollowElsewhere(copy, c);
         },
         {1, 2, 3},
         false},
        {"entries taken back by an undo meanwhile",
         [&](CanvasModel& c, AddCopy& copy) {
             DeleteAdd(c, 1);
             NoteOwnChange(copy, c);
             c.lAdd[0].vis = false; // another command hides entry 2
             c.lNAdd = 1;           // and takes entry 3 away
             FollowElsewhere(copy, c);
         },
         {1, 2},
         true,
         {2}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        CanvasModel canvas = WithEntries({25, 26, 27});
        AddCopy copy = TakeAddCopy(canvas);
        r.during(canvas, copy);
        EXPECT_FALSE(ChangedElsewhere(copy, canvas));
        canvas.lUndoPlot = {0, 4, 0, 1, kAddBestAxis, true};
        EXPECT_EQ(RestoreAddCopy(copy, canvas), r.restored);
        EXPECT_EQ(Numbers(canvas), r.afterCancel);
        EXPECT_EQ(canvas.lUndoPlot.actif, !r.restored) << "a restored list forgets its undo";
        std::vector<int> hidden;
        for (const InfoAdd& e : AddInUse(canvas))
            if (!e.vis)
                hidden.push_back(e.rang);
        EXPECT_EQ(hidden, r.hidden) << "the other command's changes are kept";
        for (std::size_t i = static_cast<std::size_t>(canvas.lNAdd); i < canvas.lAdd.size(); ++i)
            ASSERT_FALSE(canvas.lAdd[i].vis);
    }
}

TEST(DisplayAdd, UndoOfAppendedEntriesNeverGoesBelowZero)
{
    struct Row {
        const char* name;
        UndoPlotRecord undo;
        int entries;
        int taken;
    };
    const Row rows[] = {
        {"a best axis of four", {0, 4, 0, 1, kAddBestAxis, true}, 6, 4},
        {"four, but two left after deletions", {0, 4, 0, 1, kAddBestAxis, true}, 2, 2},
        {"a hand-fitted circle", {0, 2, 0, 1, kAddManualSC, true}, 3, 2},
        {"a count driven negative", {0, -3, 0, 1, kAddBestGC, true}, 3, 0},
        {"an undo already forgotten", {0, 4, 0, 1, 0, false}, 5, 0},
        {"a plotting of records", {1, 4, 0, 1, 0, true}, 5, 0},
        {"a construction (hidden, not removed)", {0, 2, 0, 1, 52, true}, 5, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        CanvasModel canvas = WithEntries({});
        ASSERT_TRUE(AppendAdd(
            canvas, std::vector<InfoAdd>(static_cast<std::size_t>(r.entries), Entry(26))));
        canvas.lUndoPlot = r.undo;
        EXPECT_EQ(TakeBackAdd(canvas), r.taken);
        EXPECT_EQ(canvas.lNAdd, r.entries - r.taken);
        EXPECT_EQ(TakeBackAdd(canvas), 0) << "a second undo removes no more";
        EXPECT_EQ(canvas.lNAdd, r.entries - r.taken);
    }

    struct Forget {
        int bfit;
        bool forgotten;
    };
    for (const Forget& f : {Forget{kAddBestAxis, true}, Forget{kAddManualGC, true},
                            Forget{58, true}, Forget{kAddClusters, true}, Forget{0, false},
                            Forget{5, false}, Forget{kAddSeeds, false}, Forget{103, false}}) {
        CanvasModel canvas = WithEntries({1});
        canvas.lUndoPlot = {3, 2, 7, 2, static_cast<std::uint8_t>(f.bfit), true};
        ForgetAddUndo(canvas);
        EXPECT_EQ(canvas.lUndoPlot.actif, !f.forgotten) << f.bfit;
        EXPECT_EQ(canvas.lUndoPlot.cas, 7) << "the rotation's field is left alone";
    }
}

} // namespace
} // namespace ploq

#include "stats3d/DisplayAdd.h"

#include "model/UtilGlob.h"
#include "stats3d/Stats3Dadd.h"

#include <algorithm>

namespace ploq {

namespace {

std::vector<InfoAdd> inUse(const CanvasModel& canvas)
{
    const std::span<const InfoAdd> used = AddInUse(canvas);
    return {used.begin(), used.end()};
}

template <class Entries> auto findIn(Entries& entries, int rang)
{
    return std::find_if(entries.begin(), entries.end(),
                        [rang](const InfoAdd& e) { return e.rang == rang; });
}

bool contains(const std::vector<int>& numbers, int rang)
{
    return std::find(numbers.begin(), numbers.end(), rang) != numbers.end();
}

// The numbers of `wanted` in the order of the source's list.
std::vector<int> inListOrder(const CanvasModel& source, const std::vector<int>& wanted)
{
    std::vector<int> out;
    for (const InfoAdd& e : AddInUse(source))
        if (contains(wanted, e.rang))
            out.push_back(e.rang);
    return out;
}

// Hidden, empty slots from `first` to `last` (excluded): what a new canvas has.
void clearSlots(CanvasModel& canvas, std::size_t first, std::size_t last)
{
    for (std::size_t i = first; i < last && i < canvas.lAdd.size(); ++i)
        canvas.lAdd[i] = InfoAdd{};
}

// The undo of these codes took entries off the end of the list.
bool appendsEntries(int bfit)
{
    return IsBestFitKind(bfit) || bfit == kAddManualGC || bfit == kAddManualSC
           || bfit == kAddGC2Points;
}

} // namespace

InfoAdd* FindAdd(CanvasModel& canvas, int rang)
{
    const std::span<InfoAdd> used = AddInUse(canvas);
    const auto it = findIn(used, rang);
    return it == used.end() ? nullptr : &*it;
}

const InfoAdd* FindAdd(const CanvasModel& canvas, int rang)
{
    const std::span<const InfoAdd> used = AddInUse(canvas);
    const auto it = findIn(used, rang);
    return it == used.end() ? nullptr : &*it;
}

bool SetAddVisible(CanvasModel& canvas, int rang, bool visible)
{
    InfoAdd* e = FindAdd(canvas, rang);
    if (e)
        e->vis = visible;
    return e != nullptr;
}

void ShowOnlyAdd(CanvasModel& canvas, std::span<const int> shown)
{
    for (InfoAdd& e : AddInUse(canvas))
        e.vis = std::find(shown.begin(), shown.end(), e.rang) != shown.end();
}

bool DeleteAdd(CanvasModel& canvas, int rang)
{
    const std::span<InfoAdd> used = AddInUse(canvas);
    const auto it = findIn(used, rang);
    if (it == used.end())
        return false;
    std::move(it + 1, used.end(), it);
    clearSlots(canvas, used.size() - 1, used.size());
    canvas.lNAdd = static_cast<int>(used.size()) - 1;
    ForgetAddUndo(canvas);
    return true;
}

CopyOutcome CopyAdd(const CanvasModel& from, std::span<const int> rangs, CanvasModel& to)
{
    std::vector<InfoAdd> copies;
    for (int rang : rangs) {
        const InfoAdd* e = FindAdd(from, rang);
        if (!e)
            continue;
        InfoAdd copy = *e;
        copy.vis = copy.initVis = true;
        if (copy.nat == kAddSC3Points)
            for (std::size_t k = 3; k < 6; ++k)
                copy.a[k] = -1;
        copies.push_back(copy);
    }
    if (copies.empty())
        return CopyOutcome::Nothing;
    if (!AppendAdd(to, copies))
        return CopyOutcome::Full;
    ForgetAddUndo(to);
    return CopyOutcome::Copied;
}

bool UndoNamesAdd(const UndoPlotRecord& undo)
{
    constexpr int kRotation = 5;
    return undo.bfit >= 1 && undo.bfit < 100 && undo.bfit != kRotation;
}

void ForgetAddUndo(CanvasModel& canvas)
{
    UndoPlotRecord& undo = canvas.lUndoPlot;
    if (!UndoNamesAdd(undo) || undo.bfit == kAddSeeds)
        return;
    undo = {0, 0, undo.cas, 1, 0, false};
}

int TakeBackAdd(CanvasModel& canvas)
{
    const UndoPlotRecord& undo = canvas.lUndoPlot;
    if (!undo.actif || !appendsEntries(undo.bfit))
        return 0;
    const std::size_t used = AddInUse(canvas).size();
    const std::size_t taken =
        std::min<std::size_t>(used, static_cast<std::size_t>(std::max(0, undo.v2)));
    clearSlots(canvas, used - taken, used);
    canvas.lNAdd = static_cast<int>(used - taken);
    ForgetAddUndo(canvas);
    return static_cast<int>(taken);
}

bool OffersAddList(int natWP)
{
    return OwnsAddList(natWP) && natWP < kWPDihedra;
}

bool AddsToData(int natWP)
{
    return OffersAddList(natWP) && HoldsRecords(natWP);
}

bool OffersAddToData(int nat, bool rightList)
{
    const AddKindInfo* kind = AddKindOf(nat);
    if (!kind)
        return false;
    return kind->offer == AddOffer::Yes || (kind->offer == AddOffer::LeftListOnly && !rightList);
}

std::string AddListLine(const InfoAdd& entry)
{
    return sformat("%02d", entry.rang) + "  " + std::string(AddLabel(entry.nat));
}

AddLists InitialAddLists(const CanvasModel& source, bool sameCanvas)
{
    AddLists lists;
    for (const InfoAdd& e : AddInUse(source))
        (sameCanvas && e.vis ? lists.right : lists.left).push_back(e.rang);
    return lists;
}

AddLists FollowAddLists(const AddLists& lists, const CanvasModel& source, bool sameCanvas)
{
    AddLists out;
    for (const InfoAdd& e : AddInUse(source)) {
        const bool right =
            contains(lists.right, e.rang) || (!contains(lists.left, e.rang) && sameCanvas && e.vis);
        (right ? out.right : out.left).push_back(e.rang);
    }
    return out;
}

bool MoveAddLine(AddLists& lists, int rang, bool toRight, const CanvasModel& source)
{
    std::vector<int>& from = toRight ? lists.left : lists.right;
    std::vector<int>& to = toRight ? lists.right : lists.left;
    const auto it = std::find(from.begin(), from.end(), rang);
    if (it == from.end())
        return false;
    from.erase(it);
    to.push_back(rang);
    to = inListOrder(source, to);
    return true;
}

bool DeleteSelected(CanvasModel& source, bool sameCanvas, AddLists& lists, int leftRang,
                    int rightRang)
{
    bool changed = leftRang != 0 && DeleteAdd(source, leftRang);
    if (rightRang != 0) {
        if (sameCanvas)
            changed = DeleteAdd(source, rightRang) || changed;
        else
            MoveAddLine(lists, rightRang, false, source);
    }
    lists = FollowAddLists(lists, source, sameCanvas);
    return changed;
}

AddCopy TakeAddCopy(const CanvasModel& canvas)
{
    std::vector<InfoAdd> now = inUse(canvas);
    return {now, now};
}

bool ChangedElsewhere(const AddCopy& copy, const CanvasModel& canvas)
{
    return copy.known != inUse(canvas);
}

void FollowElsewhere(AddCopy& copy, const CanvasModel& canvas)
{
    const std::vector<InfoAdd> now = inUse(canvas);
    std::vector<InfoAdd>& saved = copy.saved;
    for (const InfoAdd& before : copy.known) {
        const auto current = findIn(now, before.rang);
        const auto kept = findIn(saved, before.rang);
        if (current == now.end()) {
            if (kept != saved.end())
                saved.erase(kept);
        } else if (*current != before) {
            if (kept != saved.end())
                *kept = *current;
        }
    }
    for (const InfoAdd& e : now) {
        if (findIn(copy.known, e.rang) != copy.known.end())
            continue;
        if (const auto deleted = findIn(saved, e.rang); deleted != saved.end())
            saved.erase(deleted);
        saved.push_back(e);
    }
    copy.known = now;
}

void NoteOwnChange(AddCopy& copy, const CanvasModel& canvas)
{
    copy.known = inUse(canvas);
}

bool RestoreAddCopy(const AddCopy& copy, CanvasModel& canvas)
{
    const std::size_t used = AddInUse(canvas).size();
    if (inUse(canvas) == copy.saved || copy.saved.size() > canvas.lAdd.size())
        return false;
    std::copy(copy.saved.begin(), copy.saved.end(), canvas.lAdd.begin());
    clearSlots(canvas, copy.saved.size(), used);
    canvas.lNAdd = static_cast<int>(copy.saved.size());
    ForgetAddUndo(canvas);
    return true;
}

} // namespace ploq

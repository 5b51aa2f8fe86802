#pragma once

// What the display dialog does to the additional values of canvases, as functions of plain
// values: entries found by their number (rang) and shown, hidden, deleted or copied to another
// canvas; the two lists the dialog shows; the copy of a list it keeps for Cancel; and the
// canvas's undo of appended entries.
//
// Every action names an entry by its number, never by its position: positions move up after a
// deletion, numbers stay.

#include "canvas/Plot.h"
#include "stats3d/InfoAdd.h"

#include <span>
#include <string>
#include <vector>

namespace ploq {

// The entry numbered `rang`, or null.
InfoAdd* FindAdd(CanvasModel& canvas, int rang);
const InfoAdd* FindAdd(const CanvasModel& canvas, int rang);

// Shows or hides the entry; false when no entry has that number.
bool SetAddVisible(CanvasModel& canvas, int rang, bool visible);
// The entries numbered in `shown` become visible, every other one hidden.
void ShowOnlyAdd(CanvasModel& canvas, std::span<const int> shown);

// Removes the entry: the following ones move up, the count goes down and the freed slot is
// hidden. The canvas's undo of appended entries is forgotten, since the last entries are no
// longer those it names. False when no entry has that number.
bool DeleteAdd(CanvasModel& canvas, int rang);

enum class CopyOutcome { Copied, Nothing, Full };
// Appends copies of the entries numbered `rangs` (in that order) to another canvas: colour,
// symbol and geometry kept, visible, numbered there. All of them or, when they do not fit,
// none (Full). A circle through three points keeps its points as positions, since its record
// numbers name the records of its own canvas.
CopyOutcome CopyAdd(const CanvasModel& from, std::span<const int> rangs, CanvasModel& to);

// Whether the undo record names entries of the list (appended, hidden or shown): the codes of
// the additional-value kinds, below 100, but for plotting (0) and rotations (5).
bool UndoNamesAdd(const UndoPlotRecord& undo);
// Forgets such an undo record (cluster seeds being picked excepted: that is a state, not an
// undo).
void ForgetAddUndo(CanvasModel& canvas);
// The canvas undo of a best fit or a hand-fitted circle: removes the entries it appended, at
// most as many as the list holds, and forgets the record. Returns how many were removed.
int TakeBackAdd(CanvasModel& canvas);

// The canvases the display dialog offers: the kinds that own a list and draw it (0, 1, 2, 3, 6).
bool OffersAddList(int natWP);
// Those whose entries can become measurements: the ones that hold records too (0, 1, 6).
bool AddsToData(int natWP);
// Whether "add to data" is offered for an entry of that kind, in the left or the right list.
bool OffersAddToData(int nat, bool rightList);

// A line of the lists: the number on two digits at least, two blanks and the kind's label.
std::string AddListLine(const InfoAdd& entry);

// The numbers on each list, in the order of the source canvas's list.
struct AddLists {
    std::vector<int> left;
    std::vector<int> right;
    friend bool operator==(const AddLists&, const AddLists&) = default;
};

// On one canvas, hidden entries on the left and visible ones on the right; from one canvas to
// another, every entry of the source on the left, none on the right.
AddLists InitialAddLists(const CanvasModel& source, bool sameCanvas);
// The lists after the source's list changed: lines keep their side, new entries go where
// InitialAddLists would put them, lines of entries that are gone are dropped.
AddLists FollowAddLists(const AddLists& lists, const CanvasModel& source, bool sameCanvas);
// Moves the line of `rang` to the other list; false when it is not on the list it leaves.
bool MoveAddLine(AddLists& lists, int rang, bool toRight, const CanvasModel& source);

// Delete with a line selected in either list, or both (0: no selection). On one canvas each
// selected entry is deleted from it; from one canvas to another the left entry is deleted
// from the source, while a right line, which only names an entry to copy, goes back to the
// left list. Returns whether the source's list changed.
bool DeleteSelected(CanvasModel& source, bool sameCanvas, AddLists& lists, int leftRang,
                    int rightRang);

// A canvas's list as the dialog first took it (restored by Cancel) and as the dialog last
// left it (to tell a change made by another command).
struct AddCopy {
    std::vector<InfoAdd> saved;
    std::vector<InfoAdd> known;
};
AddCopy TakeAddCopy(const CanvasModel& canvas);
// Whether the list differs from the one the dialog last left.
bool ChangedElsewhere(const AddCopy& copy, const CanvasModel& canvas);
// Takes in the changes another command made (entries appended, removed, shown or hidden), so
// that Cancel keeps them: Cancel takes back only what the dialog did. An appended entry that
// takes the number of one the dialog deleted makes that deletion final.
void FollowElsewhere(AddCopy& copy, const CanvasModel& canvas);
// The dialog changed the list itself.
void NoteOwnChange(AddCopy& copy, const CanvasModel& canvas);
// Cancel: the saved list again. When that changes the list, its undo is forgotten. Returns
// whether the list changed.
bool RestoreAddCopy(const AddCopy& copy, CanvasModel& canvas);

} // namespace ploq

#pragma once

// New measurements offered to the user before they join a canvas's records: an additional
// value turned into a measurement, or the results of a graphic construction (an intersection,
// a plane, two bisectors, two intersections of a plane with a small circle). The user edits
// their codes, symbol and colour, and, when there are two, chooses which to keep.

#include "canvas/Plot.h"
#include "model/Conversion.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace ploq {

// How many records are offered and how their boxes read.
enum AddToDataMode : int {
    kAddToDataOne = 0,
    kAddToDataBisectorPlanes = -1,
    kAddToDataBisectorLines = -2,
    kAddToDataIntersections = -3,
};

struct AddToDataRequest {
    int mode = kAddToDataOne;
    std::string caption;
    std::vector<InfoVal> records; // one, or two for the negative modes
};

// What the user chose. The codes go to every record kept.
struct AddToDataChoices {
    std::string nature;
    std::string number;
    std::string location;
    std::string comment;
    int symbol = 9;
    int colour = 0;
    bool tailed = false;
    std::array<bool, 2> take{true, true};
};

// The dialog opens on the codes, symbol and colour of the first record, every record ticked.
AddToDataChoices InitialAddToData(const AddToDataRequest& request);

// Whether the request shows one box per record ("add biss.1 (...)") instead of one direction.
bool ChoosesRecords(const AddToDataRequest& request);
// The direction of a record as a line or a plane, by its nature.
std::string RecordDirection(const InfoVal& record, const Notation& notation, bool decimals);
// The box of record `index` (0 or 1): "add int.1 (", "add biss.2 (" ..., the direction, ")".
std::string AddToDataBox(const AddToDataRequest& request, int index, const Notation& notation,
                         bool decimals);

enum class AddToDataRefusal { None, TypeChanged, NoneChosen, CanvasFull };

struct AddToDataResult {
    AddToDataRefusal refusal = AddToDataRefusal::None;
    std::vector<int> numbers; // record numbers of the measurements added
    std::string line;         // for the information panel; may be empty
};

// "Ok": the chosen records take the codes (cut to 9 characters), the symbol (its tadpole when
// tailed) and the colour, and are appended to the canvas's records. Nothing is added when the
// nature of a record would change class (plane or not), when no record is chosen, or when the
// canvas has no room for them all.
AddToDataResult AddToData(CanvasModel& canvas, const AddToDataRequest& request,
                          const AddToDataChoices& choices);

// The message a refusal shows; empty for none, and when no intersection is chosen (nothing is
// added, nothing said: only the bisectors have a message for it).
std::string_view AddToDataMessage(const AddToDataRequest& request, AddToDataRefusal refusal);

inline constexpr std::string_view kMsgTypeChange =
    "You can't change the type of the value (axis or plane)";
inline constexpr std::string_view kMsgNoBisector = "No bissector selected";

} // namespace ploq

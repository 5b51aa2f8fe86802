#include "stats3d/AddToData.h"

#include "canvas/UtilPlot.h"
#include "model/UtilGlob.h"

#include <cstdlib>

namespace ploq {

namespace {

bool planeCode(std::string_view nature)
{
    return !nature.empty() && IsPlane(nature.front());
}

// The records the user keeps, by index.
std::vector<std::size_t> chosen(const AddToDataRequest& request, const AddToDataChoices& c)
{
    std::vector<std::size_t> out;
    for (std::size_t i = 0; i < request.records.size() && i < c.take.size(); ++i)
        if (!ChoosesRecords(request) ? i == 0 : c.take[i])
            out.push_back(i);
    return out;
}

std::string addedLine(int mode, const std::vector<std::size_t>& kept, const std::vector<int>& n)
{
    if (mode == kAddToDataOne)
        return sformat("(added to data list, number : %d)", n.front());
    if (mode != kAddToDataBisectorPlanes && mode != kAddToDataBisectorLines)
        return {};
    if (kept.size() == 2)
        return sformat("(biss. 1 and 2 added to data list, number : %d and %d)", n[0], n[1]);
    return sformat("(biss. %d added to data list, number : %d)", static_cast<int>(kept[0]) + 1,
                   n[0]);
}

} // namespace

AddToDataChoices InitialAddToData(const AddToDataRequest& request)
{
    AddToDataChoices c;
    if (request.records.empty())
        return c;
    const InfoVal& first = request.records.front();
    c.nature = first.na.str();
    c.number = first.nu.str();
    c.location = first.lo.str();
    c.comment = first.co.str();
    c.symbol = std::abs(first.sy);
    c.tailed = first.sy < 0;
    c.colour = first.nco;
    return c;
}

bool ChoosesRecords(const AddToDataRequest& request)
{
    return request.mode != kAddToDataOne;
}

std::string RecordDirection(const InfoVal& record, const Notation& notation, bool decimals)
{
    return DirToText(decimals, planeCode(record.na.view()), record.pen, record.azi, notation);
}

std::string AddToDataBox(const AddToDataRequest& request, int index, const Notation& notation,
                         bool decimals)
{
    if (index < 0 || static_cast<std::size_t>(index) >= request.records.size())
        return {};
    const std::string what = request.mode == kAddToDataIntersections ? "add int." : "add biss.";
    return what + std::to_string(index + 1) + " ("
           + RecordDirection(request.records[static_cast<std::size_t>(index)], notation, decimals)
           + ")";
}

AddToDataResult AddToData(CanvasModel& canvas, const AddToDataRequest& request,
                          const AddToDataChoices& choices)
{
    AddToDataResult result;
    const std::vector<std::size_t> kept = chosen(request, choices);
    const St9 nature = choices.nature;
    if (kept.empty()) {
        result.refusal = AddToDataRefusal::NoneChosen;
        return result;
    }
    for (std::size_t i : kept)
        if (planeCode(request.records[i].na.view()) != planeCode(nature.view())) {
            result.refusal = AddToDataRefusal::TypeChanged;
            return result;
        }
    if (!HoldsRecords(canvas.natWP) || canvas.lVal.empty()
        || canvas.lNT + static_cast<int>(kept.size()) > kMaxValues) {
        result.refusal = AddToDataRefusal::CanvasFull;
        return result;
    }
    const int symbol = choices.tailed ? -std::abs(choices.symbol) : std::abs(choices.symbol);
    for (std::size_t i : kept) {
        InfoVal record = request.records[i];
        record.na = nature;
        record.nu = choices.number;
        record.lo = choices.location;
        record.co = choices.comment;
        AjoutVal(canvas, record, symbol, choices.colour);
        result.numbers.push_back(canvas.lNT);
    }
    result.line = addedLine(request.mode, kept, result.numbers);
    return result;
}

std::string_view AddToDataMessage(const AddToDataRequest& request, AddToDataRefusal refusal)
{
    switch (refusal) {
    case AddToDataRefusal::TypeChanged: return kMsgTypeChange;
    case AddToDataRefusal::CanvasFull: return kMsgCanvasFull;
    case AddToDataRefusal::NoneChosen:
        return request.mode == kAddToDataBisectorPlanes || request.mode == kAddToDataBisectorLines
                   ? kMsgNoBisector
                   : std::string_view{};
    case AddToDataRefusal::None: break;
    }
    return {};
}

} // namespace ploq

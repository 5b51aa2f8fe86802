#include "canvas/DlgTailleCnvs.h"

#include <algorithm>

namespace ploq {

NumberQuestion DiameterQuestion(int radius, double pixMM, std::optional<bool> framed)
{
    NumberQuestion q;
    q.caption = "Save Plot";
    q.label = "Canvas diameter (mm)";
    q.value = std::clamp(DiameterShown(radius, pixMM), kMinDiameterMM, kMaxDiameterMM);
    q.minimum = kMinDiameterMM;
    q.maximum = kMaxDiameterMM;
    q.step = kDiameterStepMM;
    if (framed) {
        q.option = kFramedOption;
        q.optionChecked = *framed;
    }
    return q;
}

std::optional<DiameterChoice> DemanderDiametre(Prompts& prompts, const CanvasModel* canvas,
                                               double pixMM, std::optional<bool> framed,
                                               std::optional<Point> at)
{
    if (!canvas)
        return std::nullopt;
    NumberQuestion question = DiameterQuestion(canvas->lRc, pixMM, framed);
    question.at = at;
    const std::optional<NumberAnswer> answer = prompts.askNumber(question);
    if (!answer)
        return std::nullopt;
    return DiameterChoice{std::max(kMinRadius, RadiusForDiameter(answer->value, pixMM)),
                          answer->optionChecked};
}

} // namespace ploq

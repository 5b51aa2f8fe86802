#include "app/PlaceDialog.h"

#include <algorithm>
#include <cstdlib>

namespace ploq {

Point PlaceDialog(const Placement& p)
{
    if (p.kind == 0)
        return {p.mainWindow.left, p.mainClientTop + (p.toolbarShown ? 50 : 20)};

    const std::optional<ScreenRect>& beside = std::abs(p.kind) == 1 ? p.canvas : p.sheet;
    if (!beside)
        return p.current;
    const int gap = p.gap == 0 ? 1 : p.gap;
    const int room = p.dialogWidth + gap;
    const bool fitsLeft = room < beside->left;
    const bool fitsRight = room < p.screenWidth - beside->right();
    const int left = beside->left - room;
    const int right = beside->right() + gap;
    int x = 0;
    if (p.kind < 0)
        x = fitsLeft ? left : fitsRight ? right : 2;
    else
        x = fitsRight ? right : fitsLeft ? left : p.screenWidth - p.dialogWidth - 2;
    return {x, beside->top + p.topOffset};
}

Point KeepOnScreen(const ScreenRect& frame, const ScreenRect& available)
{
    const int lowest = available.top + available.height - kTitleBarReach;
    const int rightmost = available.right() - frame.width;
    return {std::max(available.left, std::min(frame.left, rightmost)),
            std::max(available.top, std::min(frame.top, lowest))};
}

} // namespace ploq

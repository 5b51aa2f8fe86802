#pragma once

#include "stats3d/ContourLevels.h"

#include <string>

namespace ploq {

// "--levels 1,2.5,4": each refused as the contouring dialogs' "add" refuses it, coloured as
// their default levels are.
void TypedContourLevels(ContourDialogState& s, const std::string& text);

} // namespace ploq

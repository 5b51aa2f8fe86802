#pragma once

#include "app/Commands.h"

#include <QIcon>

namespace ploq {

// The picture of a tool bar button.
QIcon ToolIcon(Cmd cmd);

} // namespace ploq

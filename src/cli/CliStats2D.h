#pragma once

// What the Stats 2D subcommands share: the kind of measurement and the angle taken of planes,
// and the sorted values of the selected rows as the dialogs collect them from a canvas.

#include "stats2d/Stats2D.h"

#include "cli/CliApp.h"

namespace ploq {

struct Stats2DInput {
    SheetInput input;
    std::string kind;   // axes180, axes360, vectors, dips; empty: the setting's
    std::string planes; // strike, dipdir, pole; empty: the setting's
};
// FILE and the selection, --kind and --planes.
void AddStats2DInput(CLI::App& sub, Stats2DInput& input);
int KindOf(const CliApp& cli, const Stats2DInput& input);
int PlaneAngleOf(const CliApp& cli, const Stats2DInput& input);
// The one angle of every selected measurement, sorted; refused when there is none.
std::vector<double> Stats2DValues(CliApp& cli, const Stats2DInput& input);
// The kind and plane angle as JSON texts.
const char* KindName(int natM);
const char* PlaneAngleName(int sBy);

} // namespace ploq

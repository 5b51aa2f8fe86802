#include "cli/CliApp.h"
#include <vector>

namespace ploq {

namespace {

using AddSubcommand = void (*)(CliApp&);

std::vector<AddSubcommand>& listed()
{
    static std::vector<AddSubcommand> list;
    return list;
}

struct Listed {
    explicit Listed(AddSubcommand add) { listed().push_back(add); }
};

} // namespace

// One line per subcommand: X(Name) declares AddName(CliApp&), written in CliName.cpp (added to
// src/cli/CMakeLists.txt), and lists it; --help shows the subcommands in this order. Keep the
// lines sorted, so that subcommands added at the same time land on different lines.
#define X(Name)                                                                                    \
    void Add##Name(CliApp& cli);                                                                   \
    namespace {                                                                                    \
    const Listed listed##Name(&Add##Name);                                                         \
    }

X(Bootstrap)
X(Calc)
X(Circles)
X(Circular)
X(Contour)
X(Convert)
X(Count)
X(Dihedra)
X(DihedraContour)
X(Export)
X(FaultsEnter)
X(FaultsExport)
X(FaultsHistogram)
X(FaultsSelect)
X(FaultsView)
X(Import)
X(Info)
X(Kuiper)
X(Merge)
X(Plot)
X(PT)
X(Rose)
X(Sort)
X(Tensor)
X(Trackdip)

#undef X

void AddSubcommands(CliApp& cli)
{
    for (const AddSubcommand add : listed())
        add(cli);
}

} // namespace ploq

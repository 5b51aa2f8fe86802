#include "cli/CliStats2D.h"

#include "platform/Text1252.h"

#include <array>

namespace ploq {

namespace {

constexpr std::array<const char*, 4> kKindNames = {"axes180", "axes360", "vectors", "dips"};
constexpr std::array<const char*, 3> kPlaneNames = {"strike", "dipdir", "pole"};

template <std::size_t N>
int indexOf(const std::array<const char*, N>& names, const std::string& name)
{
    for (std::size_t i = 0; i < N; ++i)
        if (name == names[i])
            return static_cast<int>(i);
    return -1;
}

} // namespace

void AddStats2DInput(CLI::App& sub, Stats2DInput& input)
{
    AddSheetInput(sub, input.input);
    sub.add_option("--kind", input.kind,
                   "axes180 (axis strikes 0-180), axes360 (axis trends 0-360), vectors (trends "
                   "0-360) or dips (0-90); the setting's without")
        ->check(CLI::IsMember({"axes180", "axes360", "vectors", "dips"}));
    sub.add_option("--planes", input.planes,
                   "planes taken by their strike, dip direction (dipdir) or pole; the setting's "
                   "without")
        ->check(CLI::IsMember({"strike", "dipdir", "pole"}));
}

int KindOf(const CliApp& cli, const Stats2DInput& input)
{
    return input.kind.empty() ? KindOfStyle(cli.settings.StyleStats2D)
                              : indexOf(kKindNames, input.kind);
}

int PlaneAngleOf(const CliApp& cli, const Stats2DInput& input)
{
    return input.planes.empty() ? PlaneOfStyle(cli.settings.StyleStats2D)
                                : indexOf(kPlaneNames, input.planes);
}

std::vector<double> Stats2DValues(CliApp& cli, const Stats2DInput& input)
{
    const LoadedSheet loaded = ReadSheet(cli, input.input.file);
    const std::unique_ptr<CanvasModel> canvas = PlottedCanvas(cli, input.input, loaded);
    std::vector<double> values = CollectRecords(DisplayedRecords(*canvas), nullptr,
                                                KindOf(cli, input), PlaneAngleOf(cli, input));
    if (values.empty())
        throw CliFailure(input.input.file + ": " + Cp1252ToUtf8(kMsgNoValue));
    return values;
}

const char* KindName(int natM)
{
    return natM >= 0 && natM < static_cast<int>(kKindNames.size())
               ? kKindNames[static_cast<std::size_t>(natM)]
               : "";
}

const char* PlaneAngleName(int sBy)
{
    return sBy >= 0 && sBy < static_cast<int>(kPlaneNames.size())
               ? kPlaneNames[static_cast<std::size_t>(sBy)]
               : "";
}

} // namespace ploq

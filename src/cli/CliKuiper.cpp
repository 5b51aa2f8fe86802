#include "platform/Text1252.h"

#include "cli/CliStats2D.h"

namespace ploq {

namespace {

void runKuiper(CliApp& cli, const Stats2DInput& input)
{
    const std::vector<double> values = Stats2DValues(cli, input);
    const int n = static_cast<int>(values.size());
    if (OnlyZeroValues(values))
        throw CliFailure(input.input.file + ": " + Cp1252ToUtf8(kMsgKuiperZeros));
    const int natM = KindOf(cli, input);
    const KuiperResult r = KuiperTest(values, natM);
    if (!input.input.json) {
        std::vector<std::string> lines{KuiperCountLine(n)};
        for (const std::string& line : KuiperLines(r, cli.clock.now()))
            lines.push_back(line);
        PrintLines(cli, lines);
        return;
    }
    PrintJson(cli, {{"kind", KindName(natM)},
                    {"planes", PlaneAngleName(PlaneAngleOf(cli, input))},
                    {"n", r.n},
                    {"d_min", r.dMin},
                    {"d_max", r.dMax},
                    {"V", r.V},
                    {"critical05", r.c05},
                    {"critical01", r.c01},
                    {"reject05", r.reject05},
                    {"reject01", r.reject01}});
}

} // namespace

void AddKuiper(CliApp& cli)
{
    auto input = std::make_shared<Stats2DInput>();
    CLI::App* sub = cli.add(
        "kuiper",
        "Stats 2D > Kuiper's test of uniformity of one angle of the selected rows, with "
        "Stephens' modified statistic, as the test's panel reports it.",
        "  kind, planes (texts), n, d_min, d_max (least and largest d_i - i/n), V (Kuiper's V),\n"
        "  critical05, critical01 (critical values of V), reject05, reject01 (true/false)",
        [&cli, input] { runKuiper(cli, *input); });
    AddStats2DInput(*sub, *input);
}

} // namespace ploq

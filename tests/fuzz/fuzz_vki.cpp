// Arbitrary bytes as a VKi.txt file into the reader of the bootstrap diagrams: it never reads
// past the data, never gives more records than the file has lines after its two headers nor
// more than it was asked for, and gives only finite values; the diagram of what it read draws
// its squares within its frame, and no more of them than records were read.

#include "app/VarGlob.h"
#include "platform/RecordingSurface.h"
#include "stats3d/Bootstrap.h"
#include "stats3d/BootstrapDiagram.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace ploq;
    if (size < 1)
        return 0;
    // Byte 0: the number of records the canvas expects; the rest is the file, held in its
    // own buffer so that the sanitizer sees any read beyond it.
    const int expected = data[0] * 17 - 100;
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    const VkiRecords read = ReadVki(text, expected);
    const auto lines = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1;
    if (read.records.size() + 2 > lines && !read.records.empty())
        std::abort();
    if (read.records.size() > static_cast<std::size_t>(std::max(expected, 0)) + 1)
        std::abort();
    for (const Direction& d : read.records)
        if (!std::isfinite(d.trend) || !std::isfinite(d.plunge))
            std::abort();
    if (read.reference
        && !(std::isfinite(read.reference->trend) && std::isfinite(read.reference->plunge)))
        std::abort();
    const Net net{115, 115, 100, true, false};
    const BootstrapPlot plot =
        PlotBootstrap(read, expected, net, 1 + data[0] % 180, 1 + data[0] % 90);
    if (plot.squares.size() + 1 > std::max<std::size_t>(read.records.size(), 1))
        std::abort();
    RecordingSurface surface;
    VarGlob settings;
    DrawContext ctx{surface, net, 0, 0, settings};
    DrawBootstrapDiagram(ctx, plot);
    for (const Primitive& q : surface.primitives())
        if (q.shape == Shape::FillRect
            && (q.box.left < plot.frame.left || q.box.right > plot.frame.right + 1
                || q.box.top < plot.frame.top || q.box.bottom > plot.frame.bottom + 1))
            std::abort();
    return 0;
}

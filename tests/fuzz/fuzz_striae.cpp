// Arbitrary bytes into the striae reader: whatever it makes of a text against any plane must be
// a line of range, or a refusal with its message; never NaN, never a crash.

#include "faults/FaultEntry.h"
#include "model/PartialLine.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <numbers>
#include <string_view>

namespace {

bool inRange(const ploq::Direction& d)
{
    return std::isfinite(d.trend) && std::isfinite(d.plunge) && d.trend >= 0
           && d.trend < 2 * std::numbers::pi && d.plunge >= 0 && d.plunge <= std::numbers::pi / 2;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 4)
        return 0;
    // Byte 0 chooses the notations, bytes 1 and 2 the plane (horizontal and vertical included),
    // the rest is the text.
    const ploq::Notation notation{data[0] % 5, (data[0] >> 3) % 3};
    const ploq::Direction pole{data[1] * (2 * std::numbers::pi / 256),
                               (data[2] % 91) * ploq::kDegToRad};
    const std::string_view text(reinterpret_cast<const char*>(data + 3), size - 3);

    for (const auto reading : {ploq::SlashReading::PitchFirst, ploq::SlashReading::PlungeFirst}) {
        const ploq::PartialLine partial = ploq::ReadPartialLine(text, notation.frtL, reading);
        if (partial.kind == ploq::PartialKind::Trend || partial.kind == ploq::PartialKind::Pitch
            || partial.kind == ploq::PartialKind::Plunge) {
            const ploq::LinesInPlane lines = ploq::PartialLineInPlane(partial, pole);
            if (!inRange(lines.first) || !inRange(lines.second) || !inRange(lines.chosen()))
                std::abort();
        }
    }
    const ploq::StriaeReading striae =
        ploq::ReadStriae(text, pole, {notation, (data[0] & 0x80) != 0}, 1 + data[2] % 20);
    if (striae.ok && (!inRange(striae.line) || striae.text.empty()))
        std::abort();
    if (!striae.ok && striae.message.text.empty())
        std::abort();
    if (striae.fsAngleDeg && !(*striae.fsAngleDeg >= 0 && *striae.fsAngleDeg <= 90))
        std::abort();
    return 0;
}

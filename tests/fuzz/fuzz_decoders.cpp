// Arbitrary bytes into the number and notation decoders: nothing may crash, overflow or hang,
// and whatever a decoder accepts must be a finite direction.

#include "model/Conversion.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    // The first byte chooses the nature letter and the notations, the rest is the text.
    static constexpr std::string_view letters = "ABFLPSxs";
    const char letter = letters[data[0] % letters.size()];
    const ploq::Notation notation{(data[0] >> 3) % 5, (data[0] >> 6) % 3};
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

    double value = 0;
    if (ploq::TryReadReal(text, value) && !(std::isfinite(value) && value >= 0))
        std::abort();
    for (const ploq::DirResult& r :
         {ploq::TextToDir(letter, text, notation), ploq::CellToDir(letter, text, notation)}) {
        if (r.ok && !(std::isfinite(r.trend) && std::isfinite(r.plunge)))
            std::abort();
        if (r.ok)
            (void)ploq::DirToText(true, letter == 'S', r.plunge, r.trend, notation);
    }
    return 0;
}

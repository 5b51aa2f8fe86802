// Arbitrary bytes into the preference reader. Whatever it makes of them must save into a file
// that reads back without a problem and saves to the same bytes: a loaded block is always
// usable, and reading and writing agree.

#include "app/VarGlob.h"

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

namespace {

std::string Saved(const ploq::VarGlob& v)
{
    std::ostringstream out;
    ploq::SavePrefs(v, out, 0);
    return out.str();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    ploq::VarGlob loaded;
    ploq::LoadPrefs(loaded, in, ploq::ScreenMetrics{});
    const std::string first = Saved(loaded);

    std::istringstream again(first);
    ploq::VarGlob reloaded;
    if (!ploq::LoadPrefs(reloaded, again, ploq::ScreenMetrics{}).empty())
        std::abort();
    if (Saved(reloaded) != first)
        std::abort();
    return 0;
}

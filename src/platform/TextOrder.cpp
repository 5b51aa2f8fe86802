#include "platform/TextOrder.h"

namespace ploq {

std::vector<int> TextOrder::ranks(const std::vector<std::string>& texts) const
{
    return RanksByKeys(
        texts, [](std::string_view text) { return text; },
        [this](std::string_view a, std::string_view b) { return compare(a, b); });
}

namespace {

unsigned char folded(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return u >= 'a' && u <= 'z' ? static_cast<unsigned char>(u - 'a' + 'A') : u;
}

} // namespace

int NoCaseOrder::compare(std::string_view a, std::string_view b) const
{
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i)
        if (folded(a[i]) != folded(b[i]))
            return folded(a[i]) < folded(b[i]) ? -1 : 1;
    return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

} // namespace ploq

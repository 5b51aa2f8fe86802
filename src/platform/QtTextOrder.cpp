#include "platform/QtTextOrder.h"

#include "platform/QtText.h"

#include <QCollatorSortKey>

namespace ploq {

QtTextOrder::QtTextOrder()
{
    collator_.setCaseSensitivity(Qt::CaseInsensitive);
}

int QtTextOrder::compare(std::string_view a, std::string_view b) const
{
    return collator_.compare(toQString(a), toQString(b));
}

std::vector<int> QtTextOrder::ranks(const std::vector<std::string>& texts) const
{
    return RanksByKeys(
        texts, [this](std::string_view text) { return collator_.sortKey(toQString(text)); },
        [](const QCollatorSortKey& a, const QCollatorSortKey& b) { return a.compare(b); });
}

} // namespace ploq

#include "platform/QtTextOrder.h"

#include "platform/QtText.h"

#include <QCollatorSortKey>

namespace ploq {

namespace {

// Some collations (the C locale's among them) keep the case in their sort keys whatever they are
// told: the texts are compared case-folded.
QString folded(std::string_view text)
{
    return toQString(text).toCaseFolded();
}

} // namespace

QtTextOrder::QtTextOrder()
{
    collator_.setCaseSensitivity(Qt::CaseInsensitive);
}

int QtTextOrder::compare(std::string_view a, std::string_view b) const
{
    return collator_.compare(folded(a), folded(b));
}

std::vector<int> QtTextOrder::ranks(const std::vector<std::string>& texts) const
{
    return RanksByKeys(
        texts, [this](std::string_view text) { return collator_.sortKey(folded(text)); },
        [](const QCollatorSortKey& a, const QCollatorSortKey& b) { return a.compare(b); });
}

} // namespace ploq

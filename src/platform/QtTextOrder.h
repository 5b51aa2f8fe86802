#pragma once

// The platform's locale-aware comparison without regard to case, for the core's sorts.

#include "platform/TextOrder.h"

#include <QCollator>

namespace ploq {

class QtTextOrder : public TextOrder {
public:
    // The collation of the user's locale, case ignored.
    QtTextOrder();

    int compare(std::string_view a, std::string_view b) const override;
    // One sort key per distinct text, so that the texts themselves are converted only once.
    std::vector<int> ranks(const std::vector<std::string>& texts) const override;

private:
    QCollator collator_;
};

} // namespace ploq

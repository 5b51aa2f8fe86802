#pragma once

// What a bootstrap diagram reads back from its file of resampled fits, once, when it is made:
// a later bootstrap rewrites the file, but an older diagram keeps showing its own run.

#include "model/Trigo.h"

#include <optional>
#include <vector>

namespace ploq {

struct VkiRecords {
    std::optional<Direction> reference; // from the first header line
    std::vector<Direction> records;     // record 0 (the reference) first
};

} // namespace ploq
